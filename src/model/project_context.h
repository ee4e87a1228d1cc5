// The one project of a running editor (or of one command-line run): the font and image lists,
// the resource root with its dialogs, and the settings that the project shares with its tools.
#pragma once

#include "model/kx_resource_data.h"
#include "model/name_id_list.h"
#include "model/picture.h"
#include "model/prefix_settings.h"
#include "model/resource_lists.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

namespace kx {

// Told by the project when everything is discarded, so that the windows that show the project
// can let go of it: dialog windows close before the model goes, the panel empties after.
class IProjectObserver {
public:
    virtual ~IProjectObserver() = default;
    virtual void CloseAllDialogWindows() = 0;
    virtual void ClearResourcePanel() = 0;
    // The project went from saved to unsaved or back.
    virtual void ProjectModifiedChanged(bool /*modified*/) { }
};

} // namespace kx

namespace kx {

// Every name of a project, gathered once so that many candidates can be probed cheaply (the
// names of new resources, the names of pasted objects). The names stay those of the project's
// resources: the project must not change while this lives, except through Add.
class TakenNames {
public:
    // The names of every font, image, dialog and object, leaving out the objects under except
    // (except itself included) when given.
    explicit TakenNames(const CProjectContext &project, const CObjectData *except = nullptr);

    bool Contains(std::string_view name) const { return m_names.count(name) != 0; }
    void Add(std::string_view name);
    // The prefix when it is free, else the prefix followed by 2, 3, ... (the first that is free).
    std::string Free(std::string_view prefix) const;
    // "OGROUP0", "OGROUP1", ... the first that is free.
    std::string FreeGroupName() const;

private:
    void AddTree(const CObjectData &object, const CObjectData *except);

    std::unordered_set<std::string_view> m_names;
    std::deque<std::string> m_added; // the texts of names added later
};

// Exactly what a rename of a font or image definition changed besides the definition: the image
// definitions that named the font and, dialog by dialog, the objects and the history's copies
// that named it. Names that merely equal the new one (a reference to a definition deleted
// before) are not in it, so undoing the rename gives back exactly what was there.
struct ReferenceLog {
    struct DialogReferences {
        CKXDialogData *dialog = nullptr;
        std::vector<std::uint64_t> objects; // serials of live objects
        std::vector<std::pair<std::uint64_t, const KXClass *>> copies; // serial and copy
    };
    std::vector<CImageData *> images;
    std::vector<DialogReferences> dialogs;
};

} // namespace kx

class CProjectContext {
public:
    CProjectContext();
    ~CProjectContext();

    CProjectContext(const CProjectContext &) = delete;
    CProjectContext &operator=(const CProjectContext &) = delete;

    CFontDataList &Fonts() { return m_fonts; }
    const CFontDataList &Fonts() const { return m_fonts; }
    CImageDataList &Images() { return m_images; }
    const CImageDataList &Images() const { return m_images; }
    CKXResourceData &Root() { return m_root; }
    const CKXResourceData &Root() const { return m_root; }
    CKXDialogDataList &Dialogs() { return m_root.Dialogs(); }
    const CKXDialogDataList &Dialogs() const { return m_root.Dialogs(); }
    kx::PrefixSettings &Prefixes() { return m_prefixes; }
    const kx::PrefixSettings &Prefixes() const { return m_prefixes; }
    CNameIdList &NameIds() { return m_nameIds; }
    const CNameIdList &NameIds() const { return m_nameIds; }

    // Cache of decoded pictures that image definitions resolve their files through; none until
    // the program that owns the project gives it one.
    kx::IPictureCache *PictureCache() const { return m_pictureCache.get(); }
    void SetPictureCache(std::unique_ptr<kx::IPictureCache> cache)
    {
        m_pictureCache = std::move(cache);
    }

    // Folder of the last loaded project file, ending in '/'; empty before the first load.
    const std::string &ProjectFolder() const { return m_projectFolder; }
    void SetProjectFolder(std::string_view folder);
    // Where the project keeps an image file and a font file: inside its "resources" and
    // "fonts" folders. A name that would leave them (an absolute name, a ".." part) is
    // refused: the answer is empty, nothing is opened, and the name is noted for
    // TakeRefusedFileNames.
    std::string ImagePath(std::string_view file) const;
    std::string FontPath(std::string_view file) const;
    // Whether a picture or font file name stays inside its folder; a refused name is noted.
    bool AcceptsFileName(std::string_view file) const;

    // Files chosen for a project that has no folder yet (it was never saved): they are found
    // where they are until the first save copies them into the project's resources/ and fonts/
    // folders. path is absolute; a name staged again takes the new path.
    enum class FileKind { Picture, Font };
    void StageFile(FileKind kind, std::string_view name, std::string path);
    // The path a staged name stands for; empty when the name is not staged.
    std::string StagedPath(FileKind kind, std::string_view name) const;
    struct StagedFile {
        FileKind kind;
        std::string name;
        std::string path;
    };
    // What is staged, in the order it was chosen; TakeStagedFiles empties it.
    std::vector<StagedFile> StagedFiles() const;
    std::vector<StagedFile> TakeStagedFiles();
    // The names refused since the last call, each name only once for the life of the project
    // (so that the user is told once), in the order they were met.
    std::vector<std::string> TakeRefusedFileNames();
    // The sentence that tells the user which names were refused.
    static std::string RefusedFileNamesText(const std::vector<std::string> &names);

    // The first resource with exactly this name: fonts, then images, then dialogs, then the
    // objects of each dialog in list order. None when the name is free.
    KXClass *FindResourceByName(std::string_view name) const;

    // Whether any resource has exactly this name (the lookup above).
    bool IsNameTaken(std::string_view name) const { return FindResourceByName(name) != nullptr; }
    // A name for a new resource: the prefix itself when it is free, else the prefix followed by
    // 2, 3, ... (the first that is free). All names are gathered once, so a project of many
    // thousand objects costs one walk.
    std::string UniqueName(std::string_view prefix) const;
    // A name for a new group: "OGROUP0", "OGROUP1", ... the first that is free.
    std::string UniqueGroupName() const;

    // Points image definitions and objects that use the old font name to the new one, also in
    // every dialog's history, so that undo never brings back a name that no longer exists. What
    // changed is noted in log when one is given.
    void RenameFontReference(
        std::string_view oldName, std::string_view newName, kx::ReferenceLog *log = nullptr);
    // Points objects that use the old image definition name to the new one, history included.
    void RenameImageReference(
        std::string_view oldName, std::string_view newName, kx::ReferenceLog *log = nullptr);
    // Points the references a rename noted from one name to the other: those of fonts when font,
    // else of images. Objects and copies that have gone since, or that name something else by
    // now (a later step of their own dialog changed them), are passed over.
    void SetLoggedReferences(
        const kx::ReferenceLog &log, bool font, std::string_view from, std::string_view to);

    // Closes every dialog window and empties the model; the project name, the project file
    // path and the prefixes stay.
    void DiscardAll();

    // Whether the project has changes that are not saved. Every change of the model marks it;
    // a save or a load into an empty project clears it. Observers hear of each switch.
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified);

    void AddObserver(kx::IProjectObserver *observer);
    void RemoveObserver(kx::IProjectObserver *observer);

private:
    kx::PrefixSettings m_prefixes;
    CNameIdList m_nameIds;
    std::string m_projectFolder;
    CFontDataList m_fonts;
    CImageDataList m_images;
    CKXResourceData m_root;
    std::unique_ptr<kx::IPictureCache> m_pictureCache;
    std::vector<kx::IProjectObserver *> m_observers;
    // Refused picture and font file names: all met so far, and those not yet taken.
    mutable std::set<std::string, std::less<>> m_refusedFileNames;
    mutable std::vector<std::string> m_untoldRefusedFileNames;
    std::vector<StagedFile> m_staged;
    bool m_modified = false;
};
