#include "history/project_history.h"

#include "model/object_data_list.h"

#include <algorithm>
#include <type_traits>
#include <unordered_map>
#include <unordered_set>

namespace kx {

FontState FontState::Of(const CFontData &font)
{
    return {font.File(), font.Size(), font.Effect(), font.Bold(), font.BoldEffect()};
}

void FontState::ApplyTo(CFontData &font) const
{
    font.SetFile(file);
    font.SetSize(size);
    font.SetEffect(effect);
    font.SetBold(bold);
    font.SetBoldEffect(boldEffect);
}

ImageState ImageState::Of(const CImageData &image)
{
    ImageState state {image.FontName(), image.AlignX(), image.AlignY(), image.Stretch(),
        image.MarginX(), image.MarginY(), {}, {}, {}};
    for (int slot = 0; slot < kMaxImageSlots; ++slot) {
        const auto at = static_cast<std::size_t>(slot);
        state.files[at] = image.SlotFile(slot);
        state.colours[at] = image.SlotColour(slot);
        state.subColours[at] = image.SlotSubColour(slot);
    }
    return state;
}

void ImageState::ApplyTo(CImageData &image, CProjectContext &project) const
{
    image.SetFontName(font);
    image.SetAlignX(alignX);
    image.SetAlignY(alignY);
    image.SetStretch(stretch);
    image.SetMarginX(marginX);
    image.SetMarginY(marginY);
    for (int slot = 0; slot < kMaxImageSlots; ++slot) {
        const auto at = static_cast<std::size_t>(slot);
        image.SetSlotColour(slot, colours[at]);
        image.SetSlotSubColour(slot, subColours[at]);
        // The picture is looked up again only for another file.
        if (image.SlotFile(slot) != files[at])
            image.SetSlotFile(slot, files[at], &project);
    }
}

// ---- The parts of a step ----

class ProjectStep::Part {
public:
    virtual ~Part() = default;
    virtual void Undo(CProjectContext &project) = 0;
    virtual void Redo(CProjectContext &project) = 0;
    virtual void AddKeptDialogs(std::vector<const CKXDialogData *> & /*out*/) const { }
};

namespace {

// A list in another order: elements added, taken out or moved. The part owns the elements that
// are out of the list, whichever way it was last stepped.
template <typename T>
class ListPart final : public ProjectStep::Part {
public:
    ListPart(CNamedList<T> &list, std::vector<T *> before, std::vector<std::unique_ptr<T>> outside)
        : m_list(list)
        , m_before(std::move(before))
        , m_after(OrderOf(list))
        , m_outside(std::move(outside))
    { }

    void Undo(CProjectContext &) override { Arrange(m_before); }
    void Redo(CProjectContext &) override { Arrange(m_after); }

    void AddKeptDialogs(std::vector<const CKXDialogData *> &out) const override
    {
        if constexpr (std::is_same_v<T, CKXDialogData>) {
            for (const auto &dialog : m_outside)
                out.push_back(dialog.get());
        }
    }

private:
    void Arrange(const std::vector<T *> &order)
    {
        std::unordered_map<const T *, std::unique_ptr<T>> pool;
        for (auto &element : m_list.TakeAll())
            pool.emplace(element.get(), std::move(element));
        for (auto &element : m_outside)
            pool.emplace(element.get(), std::move(element));
        m_outside.clear();
        std::vector<std::unique_ptr<T>> rest;
        for (T *wanted : order) {
            const auto found = pool.find(wanted);
            if (found == pool.end())
                continue;
            std::unique_ptr<T> element = std::move(found->second);
            pool.erase(found);
            // A name taken meanwhile (never by the editor's own commands) keeps the element here.
            if (m_list.Add(element) < 0)
                m_outside.push_back(std::move(element));
        }
        // What the step does not know of came in some other way (a load): it stays in the list.
        std::unordered_set<const T *> known(m_before.begin(), m_before.end());
        known.insert(m_after.begin(), m_after.end());
        for (auto &[address, element] : pool) {
            if (known.count(address) != 0 || m_list.Add(element) < 0)
                m_outside.push_back(std::move(element));
        }
    }

    CNamedList<T> &m_list;
    std::vector<T *> m_before;
    std::vector<T *> m_after;
    std::vector<std::unique_ptr<T>> m_outside;
};

template <typename T>
class DefinitionRenamePart final : public ProjectStep::Part {
public:
    DefinitionRenamePart(T &definition, std::string oldName, ReferenceLog log)
        : m_definition(definition)
        , m_old(std::move(oldName))
        , m_new(definition.Name())
        , m_log(std::move(log))
    { }

    void Undo(CProjectContext &project) override { Name(project, m_new, m_old); }
    void Redo(CProjectContext &project) override { Name(project, m_old, m_new); }

private:
    void Name(CProjectContext &project, const std::string &from, const std::string &to)
    {
        m_definition.SetName(to);
        project.SetLoggedReferences(m_log, std::is_same_v<T, CFontData>, from, to);
    }

    T &m_definition;
    std::string m_old;
    std::string m_new;
    ReferenceLog m_log;
};

class DialogRenamePart final : public ProjectStep::Part {
public:
    DialogRenamePart(CKXDialogData &dialog, std::string oldName)
        : m_dialog(dialog)
        , m_old(std::move(oldName))
        , m_new(dialog.Name())
    { }

    void Undo(CProjectContext &) override { m_dialog.Rename(m_old); }
    void Redo(CProjectContext &) override { m_dialog.Rename(m_new); }

private:
    CKXDialogData &m_dialog;
    std::string m_old;
    std::string m_new;
};

class ProjectRenamePart final : public ProjectStep::Part {
public:
    ProjectRenamePart(const CProjectContext &project, std::string oldName)
        : m_old(std::move(oldName))
        , m_new(project.Root().ProjectName())
    { }

    void Undo(CProjectContext &project) override { project.Root().SetProjectName(m_old); }
    void Redo(CProjectContext &project) override { project.Root().SetProjectName(m_new); }

private:
    std::string m_old;
    std::string m_new;
};

class FontEditPart final : public ProjectStep::Part {
public:
    FontEditPart(CFontData &font, const FontState &before)
        : m_font(font)
        , m_before(before)
        , m_after(FontState::Of(font))
    { }

    void Undo(CProjectContext &) override { m_before.ApplyTo(m_font); }
    void Redo(CProjectContext &) override { m_after.ApplyTo(m_font); }

private:
    CFontData &m_font;
    FontState m_before;
    FontState m_after;
};

class ImageEditPart final : public ProjectStep::Part {
public:
    ImageEditPart(CImageData &image, const ImageState &before)
        : m_image(image)
        , m_before(before)
        , m_after(ImageState::Of(image))
    { }

    void Undo(CProjectContext &project) override { m_before.ApplyTo(m_image, project); }
    void Redo(CProjectContext &project) override { m_after.ApplyTo(m_image, project); }

private:
    CImageData &m_image;
    ImageState m_before;
    ImageState m_after;
};

} // namespace

// ---- A step ----

ProjectStep::ProjectStep(CProjectContext &project, StepLabel label)
    : m_project(project)
    , m_label(std::move(label))
{ }

ProjectStep::~ProjectStep()
{
    // The last part took its elements last: it lets go of them first.
    while (!m_parts.empty())
        m_parts.pop_back();
}

void ProjectStep::ListChanged(
    const std::vector<CFontData *> &before, std::vector<std::unique_ptr<CFontData>> taken)
{
    m_parts.push_back(
        std::make_unique<ListPart<CFontData>>(m_project.Fonts(), before, std::move(taken)));
    m_changes |= kStepFonts;
}

void ProjectStep::ListChanged(
    const std::vector<CImageData *> &before, std::vector<std::unique_ptr<CImageData>> taken)
{
    m_parts.push_back(
        std::make_unique<ListPart<CImageData>>(m_project.Images(), before, std::move(taken)));
    m_changes |= kStepImages;
}

void ProjectStep::ListChanged(
    const std::vector<CKXDialogData *> &before, std::vector<std::unique_ptr<CKXDialogData>> taken)
{
    m_parts.push_back(
        std::make_unique<ListPart<CKXDialogData>>(m_project.Dialogs(), before, std::move(taken)));
    m_changes |= kStepDialogs;
}

void ProjectStep::Renamed(CFontData &font, std::string oldName, ReferenceLog log)
{
    // Image definitions and objects may name the font: they are drawn again.
    m_changes |= kStepFonts | (log.images.empty() ? 0 : kStepImages);
    m_parts.push_back(std::make_unique<DefinitionRenamePart<CFontData>>(
        font, std::move(oldName), std::move(log)));
}

void ProjectStep::Renamed(CImageData &image, std::string oldName, ReferenceLog log)
{
    m_changes |= kStepImages;
    m_parts.push_back(std::make_unique<DefinitionRenamePart<CImageData>>(
        image, std::move(oldName), std::move(log)));
}

void ProjectStep::Renamed(CKXDialogData &dialog, std::string oldName)
{
    m_changes |= kStepDialogs;
    m_parts.push_back(std::make_unique<DialogRenamePart>(dialog, std::move(oldName)));
}

void ProjectStep::ProjectRenamed(std::string oldName)
{
    m_changes |= kStepProject;
    m_parts.push_back(std::make_unique<ProjectRenamePart>(m_project, std::move(oldName)));
}

void ProjectStep::Edited(CFontData &font, const FontState &before)
{
    m_changes |= kStepFonts;
    m_parts.push_back(std::make_unique<FontEditPart>(font, before));
}

void ProjectStep::Edited(CImageData &image, const ImageState &before)
{
    m_changes |= kStepImages;
    m_parts.push_back(std::make_unique<ImageEditPart>(image, before));
}

void ProjectStep::Undo()
{
    for (auto part = m_parts.rbegin(); part != m_parts.rend(); ++part)
        (*part)->Undo(m_project);
}

void ProjectStep::Redo()
{
    for (const auto &part : m_parts)
        part->Redo(m_project);
}

std::vector<const CKXDialogData *> ProjectStep::KeptDialogs() const
{
    std::vector<const CKXDialogData *> kept;
    for (const auto &part : m_parts)
        part->AddKeptDialogs(kept);
    return kept;
}

// ---- The journal ----

EditJournal::~EditJournal()
{
    Clear();
}

void EditJournal::AddProjectStep(std::unique_ptr<ProjectStep> step)
{
    if (!step)
        return;
    DropUndoneProjectSteps();
    auto entry = std::make_unique<Entry>();
    entry->label = step->Label();
    entry->step = std::move(step);
    m_entries.push_back(std::move(entry));
}

void EditJournal::AddDialogStep(const CKXDialogData &dialog, int record, StepLabel label)
{
    // The dialog's history has let go of its undone records.
    std::vector<std::size_t> gone;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i]->dialog == &dialog && !m_entries[i]->done)
            gone.push_back(i);
    }
    Erase(gone);
    DropUndoneProjectSteps();
    auto entry = std::make_unique<Entry>();
    entry->dialog = &dialog;
    entry->record = record;
    entry->label = std::move(label);
    m_entries.push_back(std::move(entry));
}

EditJournal::Entry *EditJournal::UndoCandidate(const CKXDialogData *active)
{
    for (auto entry = m_entries.rbegin(); entry != m_entries.rend(); ++entry) {
        if ((*entry)->done && ((*entry)->step || ((*entry)->dialog == active && active)))
            return entry->get();
    }
    return nullptr;
}

EditJournal::Entry *EditJournal::RedoCandidate(const CKXDialogData *active)
{
    for (const auto &entry : m_entries) {
        if (!entry->done && (entry->step || (entry->dialog == active && active)))
            return entry.get();
    }
    return nullptr;
}

void EditJournal::Undone(Entry &entry)
{
    if (!entry.done)
        return;
    if (entry.step)
        entry.step->Undo();
    entry.done = false;
}

void EditJournal::Redone(Entry &entry)
{
    if (entry.done)
        return;
    if (entry.step)
        entry.step->Redo();
    entry.done = true;
}

void EditJournal::DropUndoneProjectSteps()
{
    std::vector<std::size_t> gone;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i]->step && !m_entries[i]->done)
            gone.push_back(i);
    }
    Erase(gone);
}

void EditJournal::ForgetProjectSteps()
{
    std::vector<std::size_t> gone;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i]->step)
            gone.push_back(i);
    }
    Erase(gone);
}

void EditJournal::Clear()
{
    // The latest first: a step may keep what an earlier one refers to.
    while (!m_entries.empty())
        m_entries.pop_back();
}

void EditJournal::ForgetDialog(const CKXDialogData *dialog)
{
    std::erase_if(m_entries, [dialog](const auto &entry) { return entry->dialog == dialog; });
}

void EditJournal::Erase(const std::vector<std::size_t> &indexes)
{
    if (indexes.empty())
        return;
    // The dialogs that only the steps going kept go with them, and so do their entries (only
    // their addresses are compared: they no longer exist).
    std::vector<const CKXDialogData *> kept;
    for (auto index = indexes.rbegin(); index != indexes.rend(); ++index) {
        Entry &entry = *m_entries[*index];
        if (entry.step) {
            for (const CKXDialogData *dialog : entry.step->KeptDialogs())
                kept.push_back(dialog);
            entry.step.reset();
        }
        m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(*index));
    }
    for (const CKXDialogData *dialog : kept)
        ForgetDialog(dialog);
}

} // namespace kx
