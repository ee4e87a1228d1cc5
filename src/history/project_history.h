// The history of the project's own changes, outside the dialogs' objects: dialogs added, deleted,
// cut, pasted, renamed and reordered; font and image definitions added, deleted, cut, pasted,
// renamed, reordered and edited; the project's name. Each change is one step that can be undone
// and redone, and one journal keeps these steps and the dialogs' object steps in the order the
// user made them, so that Undo goes back through both.
#pragma once

#include "model/project_context.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kx {

// What a step did, for the Edit menu ("Undo Delete Font FSans16").
enum class StepAction { Add, Delete, Cut, Paste, Rename, Move, Edit, Group, Ungroup, Align };
enum class StepSubject { None, Project, Dialog, Font, Image, Object, Objects };

struct StepLabel {
    StepAction action = StepAction::Edit;
    StepSubject subject = StepSubject::None;
    // The resource concerned (UTF-8); empty when the step concerns several.
    std::string name;
    bool operator==(const StepLabel &) const = default;
};

// Which parts of the project a step changes; whoever shows them refreshes these after the step
// is undone or redone.
enum StepChange : int {
    kStepFonts = 1 << 0,
    kStepImages = 1 << 1,
    kStepDialogs = 1 << 2,
    kStepProject = 1 << 3,
};

// What the property fields can change of a font definition, compared and put back as a whole.
struct FontState {
    std::string file;
    int size, effect;
    bool bold, boldEffect;
    bool operator==(const FontState &) const = default;

    static FontState Of(const CFontData &font);
    void ApplyTo(CFontData &font) const;
};

// The same of an image definition (its pictures are found again for the files put back).
struct ImageState {
    std::string font;
    int alignX, alignY, stretch, marginX, marginY;
    std::array<std::string, kMaxImageSlots> files, colours, subColours;
    bool operator==(const ImageState &) const = default;

    static ImageState Of(const CImageData &image);
    void ApplyTo(CImageData &image, CProjectContext &project) const;
};

// One step of the project's history. It is made after its change is done, from parts that each
// know how to put their piece back; Undo undoes the parts from the last to the first, Redo does
// them again in order. A step keeps alive whatever its change took out of the project.
class ProjectStep {
public:
    ProjectStep(CProjectContext &project, StepLabel label);
    ~ProjectStep();
    ProjectStep(const ProjectStep &) = delete;
    ProjectStep &operator=(const ProjectStep &) = delete;

    const StepLabel &Label() const { return m_label; }
    int Changes() const { return m_changes; }
    bool IsEmpty() const { return m_parts.empty(); }

    // The order of a list changed (elements added, taken out, moved): before is the order
    // before the change, taken the elements that left the list. The order now is the order
    // after it.
    void ListChanged(
        const std::vector<CFontData *> &before, std::vector<std::unique_ptr<CFontData>> taken = {});
    void ListChanged(const std::vector<CImageData *> &before,
        std::vector<std::unique_ptr<CImageData>> taken = {});
    void ListChanged(const std::vector<CKXDialogData *> &before,
        std::vector<std::unique_ptr<CKXDialogData>> taken = {});
    // A definition was renamed from oldName to its name now; log holds what its references did.
    void Renamed(CFontData &font, std::string oldName, ReferenceLog log);
    void Renamed(CImageData &image, std::string oldName, ReferenceLog log);
    void Renamed(CKXDialogData &dialog, std::string oldName);
    void ProjectRenamed(std::string oldName);
    // A definition's fields changed from before to what they are now.
    void Edited(CFontData &font, const FontState &before);
    void Edited(CImageData &image, const ImageState &before);

    void Undo();
    void Redo();

    // The dialogs that the step keeps while they are out of the project: they go with it.
    std::vector<const CKXDialogData *> KeptDialogs() const;

    class Part;

private:
    CProjectContext &m_project;
    StepLabel m_label;
    int m_changes = 0;
    std::vector<std::unique_ptr<Part>> m_parts;
};

// The current order of a list, to hand to ListChanged after the change.
template <typename List>
auto OrderOf(const List &list)
{
    std::vector<std::remove_cvref_t<decltype(*list.At(0))> *> order;
    for (const auto &element : list)
        order.push_back(element.get());
    return order;
}

// The steps of the project and of its dialogs in the order they were made. Undo and Redo see the
// project's steps and those of one dialog, the active one: the others wait until their dialog is
// active again. Each dialog's own history does its steps; the journal says whose turn it is.
class EditJournal {
public:
    struct Entry {
        std::unique_ptr<ProjectStep> step; // a project step, or
        const CKXDialogData *dialog = nullptr; // a step of this dialog's history
        int record = 0; // the dialog history's index once the step was made
        StepLabel label;
        bool done = true;
    };

    EditJournal() = default;
    ~EditJournal();
    EditJournal(const EditJournal &) = delete;
    EditJournal &operator=(const EditJournal &) = delete;

    // A change of the project, done already. The project's undone steps can no longer be
    // redone: they go.
    void AddProjectStep(std::unique_ptr<ProjectStep> step);
    // The dialog's history recorded a step and is now at index record. Its undone steps have gone
    // from its history, and the project's undone steps go as well.
    void AddDialogStep(const CKXDialogData &dialog, int record, StepLabel label);

    // What Undo and Redo would take with that dialog active (none for no window); none when
    // nothing is left.
    Entry *UndoCandidate(const CKXDialogData *active);
    Entry *RedoCandidate(const CKXDialogData *active);
    // The candidate was undone or redone (a project step by its own Undo and Redo, which these
    // call; a dialog step by its dialog's history, which the caller stepped).
    void Undone(Entry &entry);
    void Redone(Entry &entry);

    // Forgets the project's steps, keeping the dialogs' (after a load, which cannot be undone).
    void ForgetProjectSteps();
    // Forgets everything (the project was discarded).
    void Clear();
    // The dialog's history is gone (its dialog left the project for good).
    void ForgetDialog(const CKXDialogData *dialog);

    int Count() const { return static_cast<int>(m_entries.size()); }
    const Entry &At(int index) const { return *m_entries[static_cast<std::size_t>(index)]; }

private:
    // Drops the project's undone steps, and the entries of dialogs only they kept.
    void DropUndoneProjectSteps();
    void Erase(const std::vector<std::size_t> &indexes);

    std::vector<std::unique_ptr<Entry>> m_entries;
};

} // namespace kx
