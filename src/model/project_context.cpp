#include "model/project_context.h"

#include "model/object_data_list.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

CProjectContext::CProjectContext()
    : m_root(m_prefixes)
{ }

CProjectContext::~CProjectContext() = default;

void CProjectContext::SetProjectFolder(std::string_view folder)
{
    m_projectFolder = folder;
    if (!m_projectFolder.empty() && m_projectFolder.back() != '/')
        m_projectFolder += '/';
}

bool CProjectContext::AcceptsFileName(std::string_view file) const
{
    // A project file may come from anyone: its file names stay inside the project's folders.
    // Links inside the folders are the user's own business and are followed.
    // An empty name stands for the folder itself, which opens as no picture and no font.
    bool inside = file.empty() || (file.front() != '/' && file.find('\0') == std::string::npos);
    for (std::size_t start = 0; inside && start <= file.size();) {
        const std::size_t slash = std::min(file.find('/', start), file.size());
        if (file.substr(start, slash - start) == "..")
            inside = false;
        start = slash + 1;
    }
    if (!inside && m_refusedFileNames.emplace(file).second)
        m_untoldRefusedFileNames.emplace_back(file);
    return inside;
}

std::vector<std::string> CProjectContext::TakeRefusedFileNames()
{
    return std::exchange(m_untoldRefusedFileNames, {});
}

std::string CProjectContext::RefusedFileNamesText(const std::vector<std::string> &names)
{
    std::string text = "Pictures and fonts are read only from the project's resources/ and "
                       "fonts/ folders; these file names leave them and were not opened:";
    for (const std::string &name : names) {
        text += " \"";
        for (const char c : name) {
            // A name is shown on one line, whatever it holds.
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                text += '?';
            else
                text += c;
        }
        text += '"';
    }
    return text;
}

std::string CProjectContext::ImagePath(std::string_view file) const
{
    if (!AcceptsFileName(file))
        return {};
    if (m_projectFolder.empty()) {
        if (std::string staged = StagedPath(FileKind::Picture, file); !staged.empty())
            return staged;
    }
    return m_projectFolder + "resources/" + std::string(file);
}

std::string CProjectContext::FontPath(std::string_view file) const
{
    if (!AcceptsFileName(file))
        return {};
    if (m_projectFolder.empty()) {
        if (std::string staged = StagedPath(FileKind::Font, file); !staged.empty())
            return staged;
    }
    return m_projectFolder + "fonts/" + std::string(file);
}

void CProjectContext::StageFile(FileKind kind, std::string_view name, std::string path)
{
    for (StagedFile &staged : m_staged) {
        if (staged.kind == kind && staged.name == name) {
            staged.path = std::move(path);
            return;
        }
    }
    m_staged.push_back({kind, std::string(name), std::move(path)});
}

std::string CProjectContext::StagedPath(FileKind kind, std::string_view name) const
{
    for (const StagedFile &staged : m_staged) {
        if (staged.kind == kind && staged.name == name)
            return staged.path;
    }
    return {};
}

std::vector<CProjectContext::StagedFile> CProjectContext::StagedFiles() const
{
    return m_staged;
}

std::vector<CProjectContext::StagedFile> CProjectContext::TakeStagedFiles()
{
    return std::exchange(m_staged, {});
}

KXClass *CProjectContext::FindResourceByName(std::string_view name) const
{
    if (CFontData *font = m_fonts.FindByName(name))
        return font;
    if (CImageData *image = m_images.FindByName(name))
        return image;
    if (CKXDialogData *dialog = Dialogs().FindByName(name))
        return dialog;
    for (const auto &dialog : Dialogs()) {
        if (CObjectData *object = dialog->RootGroup()->FindByName(name))
            return object;
    }
    return nullptr;
}

namespace kx {

TakenNames::TakenNames(const CProjectContext &project, const CObjectData *except)
{
    for (const auto &font : project.Fonts())
        m_names.insert(font->Name());
    for (const auto &image : project.Images())
        m_names.insert(image->Name());
    for (const auto &dialog : project.Dialogs()) {
        m_names.insert(dialog->Name());
        AddTree(*dialog->RootGroup(), except);
    }
}

void TakenNames::AddTree(const CObjectData &object, const CObjectData *except)
{
    if (&object == except)
        return;
    m_names.insert(object.Name());
    if (object.IsGroup()) {
        for (const CObjectData *child : static_cast<const CObjectDataList &>(object).Children())
            AddTree(*child, except);
    }
}

void TakenNames::Add(std::string_view name)
{
    if (Contains(name))
        return;
    m_added.emplace_back(name);
    m_names.insert(m_added.back());
}

std::string TakenNames::Free(std::string_view prefix) const
{
    std::string name(prefix);
    for (int number = 2; Contains(name); ++number)
        name = std::string(prefix) + std::to_string(number);
    return name;
}

std::string TakenNames::FreeGroupName() const
{
    std::string name;
    for (int number = 0; name.empty() || Contains(name); ++number)
        name = "OGROUP" + std::to_string(number);
    return name;
}

} // namespace kx

std::string CProjectContext::UniqueName(std::string_view prefix) const
{
    return kx::TakenNames(*this).Free(prefix);
}

std::string CProjectContext::UniqueGroupName() const
{
    return kx::TakenNames(*this).FreeGroupName();
}

namespace {

// Renames the font or image an object names; notes the object (by serial) when it changed.
void RenameReferences(CObjectData &object, bool font, std::string_view oldName,
    std::string_view newName, std::vector<std::uint64_t> *changed)
{
    if (object.IsGroup()) {
        for (CObjectData *child : static_cast<CObjectDataList &>(object).Children())
            RenameReferences(*child, font, oldName, newName, changed);
        return;
    }
    if ((font ? object.Font() : object.Image()) != oldName)
        return;
    if (font)
        object.ReplaceFontName(oldName, newName);
    else
        object.ReplaceImageName(oldName, newName);
    if (changed)
        changed->push_back(object.Serial());
}

void RenameInDialogs(CKXDialogDataList &dialogs, bool font, std::string_view oldName,
    std::string_view newName, kx::ReferenceLog *log)
{
    for (const auto &dialog : dialogs) {
        kx::ReferenceLog::DialogReferences noted;
        noted.dialog = dialog.get();
        RenameReferences(
            *dialog->RootGroup(), font, oldName, newName, log ? &noted.objects : nullptr);
        dialog->History().ForEachStoredObject([&](KXClass &stored) {
            if (stored.Kind() != kKindObject)
                return;
            auto &object = static_cast<CObjectData &>(stored);
            if (object.IsGroup() || (font ? object.Font() : object.Image()) != oldName)
                return;
            if (font)
                object.ReplaceFontName(oldName, newName);
            else
                object.ReplaceImageName(oldName, newName);
            if (!log)
                return;
            // A live object the history owns is noted as an object, a copy as a copy.
            if (dialog->History().FindLiveBySerial(object.Serial()) == &object)
                noted.objects.push_back(object.Serial());
            else
                noted.copies.emplace_back(object.Serial(), &object);
        });
        if (log && (!noted.objects.empty() || !noted.copies.empty()))
            log->dialogs.push_back(std::move(noted));
    }
}

void SetReference(CObjectData &object, bool font, std::string_view from, std::string_view to)
{
    if (font && object.Font() == from)
        object.SetFont(to);
    else if (!font && object.Image() == from)
        object.SetImage(to);
}

} // namespace

void CProjectContext::RenameFontReference(
    std::string_view oldName, std::string_view newName, kx::ReferenceLog *log)
{
    for (const auto &image : m_images) {
        if (image->FontName() == oldName) {
            image->SetFontName(newName);
            if (log)
                log->images.push_back(image.get());
        }
    }
    RenameInDialogs(Dialogs(), true, oldName, newName, log);
}

void CProjectContext::RenameImageReference(
    std::string_view oldName, std::string_view newName, kx::ReferenceLog *log)
{
    RenameInDialogs(Dialogs(), false, oldName, newName, log);
}

void CProjectContext::SetLoggedReferences(
    const kx::ReferenceLog &log, bool font, std::string_view from, std::string_view to)
{
    for (CImageData *image : log.images) {
        // Only definitions of the project: one that left it stays as the step that took it
        // left it.
        if (font && m_images.IndexOf(image) >= 0 && image->FontName() == from)
            image->SetFontName(to);
    }
    for (const kx::ReferenceLog::DialogReferences &noted : log.dialogs) {
        CKXDialogData *dialog = noted.dialog;
        if (Dialogs().IndexOf(dialog) < 0)
            continue;
        const UndoBuffer &history = dialog->History();
        for (const std::uint64_t serial : noted.objects) {
            CObjectData *object = history.FindLiveBySerial(serial);
            if (!object)
                object = dialog->RootGroup()->FindBySerial(serial);
            if (object)
                SetReference(*object, font, from, to);
        }
        for (const auto &[serial, copy] : noted.copies) {
            if (KXClass *stored = history.FindStoredCopy(serial, copy))
                SetReference(static_cast<CObjectData &>(*stored), font, from, to);
        }
    }
}

void CProjectContext::DiscardAll()
{
    // Copies: an observer may unregister itself while it is told.
    const auto observers = m_observers;
    for (kx::IProjectObserver *observer : observers)
        observer->CloseAllDialogWindows();
    m_nameIds.Clear();
    m_fonts.Clear();
    m_images.Clear();
    Dialogs().Clear();
    for (kx::IProjectObserver *observer : observers)
        observer->ClearResourcePanel();
    m_projectFolder.clear();
    m_staged.clear();
    m_refusedFileNames.clear();
    m_untoldRefusedFileNames.clear();
    // Nothing is left that could be lost.
    SetModified(false);
}

void CProjectContext::SetModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    const auto observers = m_observers;
    for (kx::IProjectObserver *observer : observers)
        observer->ProjectModifiedChanged(modified);
}

void CProjectContext::AddObserver(kx::IProjectObserver *observer)
{
    if (observer
        && std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
        m_observers.push_back(observer);
}

void CProjectContext::RemoveObserver(kx::IProjectObserver *observer)
{
    std::erase(m_observers, observer);
}
