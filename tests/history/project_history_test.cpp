// The project's history: steps that add, delete, move, rename and edit dialogs and definitions,
// interleaved with the dialogs' own object steps, undone and redone in any order the journal
// allows; undoing everything gives back the project file byte for byte.
#include "history/project_history.h"
#include "model/object_data_list.h"
#include "projectfile/project_writer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// The first line where two texts differ, with its number; empty when they are equal.
std::string FirstDifference(const std::string &a, const std::string &b)
{
    std::size_t line = 1;
    for (std::size_t i = 0; i < a.size() || i < b.size(); ++i) {
        if (i >= a.size() || i >= b.size() || a[i] != b[i]) {
            const std::size_t start = a.rfind('\n', i == 0 ? 0 : i - 1);
            const std::size_t from = start == std::string::npos ? 0 : start + 1;
            return "line " + std::to_string(line) + ": " + a.substr(from, a.find('\n', from) - from)
                + " / " + b.substr(from, b.find('\n', from) - from);
        }
        if (a[i] == '\n')
            ++line;
    }
    return {};
}

class ProjectHistoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char *name : {"FA", "FB"}) {
            auto font = std::make_unique<CFontData>();
            font->SetName(name);
            font->SetFile(std::string(name) + ".ttf");
            project.Fonts().Add(font);
        }
        for (const char *name : {"IA", "IB"}) {
            auto image = std::make_unique<CImageData>();
            image->SetName(name);
            image->SetFontName("FA");
            project.Images().Add(image);
        }
        for (const char *name : {"DA", "DB"}) {
            auto dialog = std::make_unique<CKXDialogData>(name, project.Prefixes());
            for (int i = 0; i < 3; ++i) {
                CObjectData *button = dialog->RootGroup()->CreateChild(
                    kTypeButton, std::string("OB") + name + std::to_string(i));
                button->SetImage(i % 2 ? "IA" : "IB");
                button->SetFont(i % 2 ? "FA" : "FB");
            }
            dialog->SaveUndoInfo();
            project.Dialogs().Add(dialog);
        }
    }

    std::string File() const { return kx::FormatProject(project); }

    std::unique_ptr<kx::ProjectStep> Step(kx::StepAction action)
    {
        return std::make_unique<kx::ProjectStep>(
            project, kx::StepLabel {action, kx::StepSubject::None, {}});
    }

    // Steps the journal as the editor does: a project step by itself, a dialog step through its
    // dialog's history.
    bool Undo(const CKXDialogData *active)
    {
        kx::EditJournal::Entry *entry = journal.UndoCandidate(active);
        if (!entry)
            return false;
        journal.Undone(*entry);
        if (entry->dialog)
            const_cast<CKXDialogData *>(entry->dialog)->History().Undo();
        return true;
    }
    bool Redo(const CKXDialogData *active)
    {
        kx::EditJournal::Entry *entry = journal.RedoCandidate(active);
        if (!entry)
            return false;
        journal.Redone(*entry);
        if (entry->dialog)
            const_cast<CKXDialogData *>(entry->dialog)->History().Redo();
        return true;
    }

    // One random change of the project or of a dialog's objects, recorded as the editor records
    // it. Names come from a small pool, so renames meet references left by deleted definitions.
    void RandomChange(std::mt19937 &random)
    {
        const auto pick = [&random](int count) {
            return std::uniform_int_distribution<int>(0, count - 1)(random);
        };
        const std::string name = std::string(pick(2) ? "F" : "I") + "X" + std::to_string(pick(3));
        switch (pick(7)) {
        case 0: { // add a font or image
            auto step = Step(kx::StepAction::Add);
            if (name[0] == 'F') {
                const auto before = kx::OrderOf(project.Fonts());
                auto font = std::make_unique<CFontData>();
                font->SetName(name);
                if (project.IsNameTaken(name) || project.Fonts().Add(font) < 0)
                    return;
                step->ListChanged(before);
            } else {
                const auto before = kx::OrderOf(project.Images());
                auto image = std::make_unique<CImageData>();
                image->SetName(name);
                if (project.IsNameTaken(name) || project.Images().Add(image) < 0)
                    return;
                step->ListChanged(before);
            }
            journal.AddProjectStep(std::move(step));
            break;
        }
        case 1: { // delete a font (its users keep its name)
            if (project.Fonts().IsEmpty())
                return;
            auto step = Step(kx::StepAction::Delete);
            const auto before = kx::OrderOf(project.Fonts());
            std::vector<std::unique_ptr<CFontData>> taken;
            taken.push_back(
                project.Fonts().Take(project.Fonts().At(pick(project.Fonts().Count()))));
            step->ListChanged(before, std::move(taken));
            journal.AddProjectStep(std::move(step));
            break;
        }
        case 2: { // rename a font or an image, with its references
            auto step = Step(kx::StepAction::Rename);
            kx::ReferenceLog log;
            if (project.IsNameTaken(name))
                return;
            if (name[0] == 'F' && !project.Fonts().IsEmpty()) {
                CFontData *font = project.Fonts().At(pick(project.Fonts().Count()));
                const std::string old = font->Name();
                project.RenameFontReference(old, name, &log);
                font->SetName(name);
                step->Renamed(*font, old, std::move(log));
            } else if (name[0] == 'I' && !project.Images().IsEmpty()) {
                CImageData *image = project.Images().At(pick(project.Images().Count()));
                const std::string old = image->Name();
                project.RenameImageReference(old, name, &log);
                image->SetName(name);
                step->Renamed(*image, old, std::move(log));
            } else {
                return;
            }
            journal.AddProjectStep(std::move(step));
            break;
        }
        case 3: { // edit a font, move a dialog
            auto step = Step(kx::StepAction::Edit);
            if (pick(2) && !project.Fonts().IsEmpty()) {
                CFontData *font = project.Fonts().At(pick(project.Fonts().Count()));
                const kx::FontState before = kx::FontState::Of(*font);
                font->SetSize(font->Size() + 1 + pick(5));
                step->Edited(*font, before);
            } else {
                const auto before = kx::OrderOf(project.Dialogs());
                project.Dialogs().Swap(0, project.Dialogs().Count() - 1);
                step->ListChanged(before);
            }
            journal.AddProjectStep(std::move(step));
            break;
        }
        case 4: { // delete or rename a dialog
            auto step = Step(kx::StepAction::Delete);
            CKXDialogData *dialog = project.Dialogs().At(pick(project.Dialogs().Count()));
            if (pick(2) && project.Dialogs().Count() > 1) {
                const auto before = kx::OrderOf(project.Dialogs());
                std::vector<std::unique_ptr<CKXDialogData>> taken;
                taken.push_back(project.Dialogs().Take(dialog));
                step->ListChanged(before, std::move(taken));
            } else {
                const std::string dialogName = "DX" + std::to_string(pick(3));
                if (project.IsNameTaken(dialogName))
                    return;
                const std::string old = dialog->Name();
                dialog->Rename(dialogName);
                step->Renamed(*dialog, old);
            }
            journal.AddProjectStep(std::move(step));
            break;
        }
        default: { // an object of a dialog takes another font or moves
            CKXDialogData *dialog = project.Dialogs().At(pick(project.Dialogs().Count()));
            CObjectData *object = dialog->RootGroup()->ChildAt(pick(3));
            if (pick(2) && !project.Fonts().IsEmpty())
                object->SetFont(project.Fonts().At(pick(project.Fonts().Count()))->Name());
            else
                object->SetPosition(object->X() + 1, object->Y());
            const int before = dialog->History().Index();
            dialog->SaveUndoInfo();
            if (dialog->History().Index() != before)
                journal.AddDialogStep(*dialog, dialog->History().Index(), {});
            break;
        }
        }
    }

    CProjectContext project;
    kx::EditJournal journal;
};

} // namespace

TEST_F(ProjectHistoryTest, RandomStepsUndoToTheSameFileAndRedoToTheLast)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        if (seed > 1)
            SetUp();
        const std::string original = File();
        std::mt19937 random(seed);
        for (int step = 0; step < 60; ++step) {
            RandomChange(random);
            // Now and then steps back and forth with any dialog active, as a user switching
            // windows does.
            const CKXDialogData *active = project.Dialogs().At(static_cast<int>(random() % 3) - 1);
            for (int i = static_cast<int>(random() % 3); i > 0; --i)
                random() % 2 ? Undo(active) : Redo(active);
        }
        // Everything undone, the latest step first whichever it belongs to.
        while (journal.Count() > 0) {
            const kx::EditJournal::Entry *last = nullptr;
            for (int i = 0; i < journal.Count(); ++i) {
                if (journal.At(i).done)
                    last = &journal.At(i);
            }
            if (!last)
                break;
            ASSERT_TRUE(Undo(last->dialog)) << "seed " << seed;
        }
        ASSERT_EQ(FirstDifference(File(), original), "") << "seed " << seed;
        // Undoing twice changes nothing more, and redoing all brings back the same each time.
        while (Redo(nullptr) || Redo(project.Dialogs().At(0)) || Redo(project.Dialogs().At(1))) { }
        const std::string redone = File();
        while (Undo(nullptr) || Undo(project.Dialogs().At(0)) || Undo(project.Dialogs().At(1))) { }
        ASSERT_EQ(FirstDifference(File(), original), "") << "seed " << seed;
        while (Redo(nullptr) || Redo(project.Dialogs().At(0)) || Redo(project.Dialogs().At(1))) { }
        ASSERT_EQ(FirstDifference(File(), redone), "") << "seed " << seed;
        journal.Clear();
        project.DiscardAll();
    }
}

TEST_F(ProjectHistoryTest, UndoingARenameLeavesReferencesToADeletedNameAlone)
{
    // OBDA0 names FB; FB is deleted, FA renamed to FB: OBDA0 now finds the renamed font. Undoing
    // the rename gives FA its name and users back, and OBDA0 still names FB.
    CObjectData *named = project.Dialogs().At(0)->RootGroup()->ChildAt(0);
    ASSERT_EQ(named->Font(), "FB");
    auto remove = Step(kx::StepAction::Delete);
    const auto before = kx::OrderOf(project.Fonts());
    std::vector<std::unique_ptr<CFontData>> taken;
    taken.push_back(project.Fonts().Take(project.Fonts().FindByName("FB")));
    remove->ListChanged(before, std::move(taken));
    journal.AddProjectStep(std::move(remove));

    auto rename = Step(kx::StepAction::Rename);
    kx::ReferenceLog log;
    CFontData *font = project.Fonts().FindByName("FA");
    project.RenameFontReference("FA", "FB", &log);
    font->SetName("FB");
    rename->Renamed(*font, "FA", std::move(log));
    journal.AddProjectStep(std::move(rename));
    CObjectData *user = project.Dialogs().At(0)->RootGroup()->ChildAt(1);
    EXPECT_EQ(user->Font(), "FB");
    EXPECT_EQ(project.Images().At(0)->FontName(), "FB");

    ASSERT_TRUE(Undo(nullptr));
    EXPECT_EQ(font->Name(), "FA");
    EXPECT_EQ(user->Font(), "FA");
    EXPECT_EQ(project.Images().At(0)->FontName(), "FA");
    EXPECT_EQ(named->Font(), "FB");
    ASSERT_TRUE(Undo(nullptr));
    EXPECT_NE(project.Fonts().FindByName("FB"), nullptr);
}

TEST_F(ProjectHistoryTest, EachDialogStepsWhenActiveAndProjectStepsAlways)
{
    CKXDialogData *a = project.Dialogs().At(0);
    CKXDialogData *b = project.Dialogs().At(1);
    const auto objectStep = [this](CKXDialogData *dialog) {
        dialog->RootGroup()->ChildAt(0)->SetPosition(dialog->RootGroup()->ChildAt(0)->X() + 5, 0);
        dialog->SaveUndoInfo();
        journal.AddDialogStep(*dialog, dialog->History().Index(), {});
    };
    objectStep(a);
    auto edit = Step(kx::StepAction::Edit);
    const kx::FontState before = kx::FontState::Of(*project.Fonts().At(0));
    project.Fonts().At(0)->SetSize(99);
    edit->Edited(*project.Fonts().At(0), before);
    journal.AddProjectStep(std::move(edit));
    objectStep(b);

    // With A active, B's step waits: the font comes back, then A's move.
    EXPECT_EQ(journal.UndoCandidate(a)->step.get() != nullptr, true);
    ASSERT_TRUE(Undo(a));
    EXPECT_EQ(project.Fonts().At(0)->Size(), before.size);
    EXPECT_EQ(b->RootGroup()->ChildAt(0)->X(), 5);
    ASSERT_TRUE(Undo(a));
    EXPECT_EQ(a->RootGroup()->ChildAt(0)->X(), 0);
    EXPECT_FALSE(Undo(a));
    // B's own step is still there for B.
    ASSERT_TRUE(Undo(b));
    EXPECT_EQ(b->RootGroup()->ChildAt(0)->X(), 0);
    // A new step of A drops the undone project step, not B's redo.
    objectStep(a);
    EXPECT_EQ(journal.RedoCandidate(a), nullptr);
    ASSERT_NE(journal.RedoCandidate(b), nullptr);
    EXPECT_EQ(journal.RedoCandidate(b)->dialog, b);
}
