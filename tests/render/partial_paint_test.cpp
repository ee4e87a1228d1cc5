// Painting only what an edit changed gives the same pixels as painting the whole dialog: a random
// run of edits, undos and redos over the golden dialog, each followed by a partial paint of the
// area the history says changed, compared with a full paint.
#include "render/golden_project.h"

#include "model/object_data_list.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "render/changed_area.h"
#include "render/dialog_painter.h"
#include "render/freetype_font.h"
#include "render/test_fonts.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

CObjectData *RandomObject(CObjectDataList &root, std::mt19937 &random)
{
    const int count = root.CountNodes();
    return count > 1 ? root.ObjectAt(1 + static_cast<int>(random() % (count - 1))) : nullptr;
}

} // namespace

TEST(PartialPaint, MatchesAFullPaintAfterEveryEdit)
{
    kxtest::GoldenProject golden;
    if (!golden.Ready())
        GTEST_SKIP() << "the fonts of the golden project are not installed";
    CProjectContext project;
    kx::RecordingMessageSink messages;
    ASSERT_TRUE(golden.LoadInto(project, messages));
    CKXDialogData *dialog = project.Dialogs().FindByName("Small");
    ASSERT_NE(dialog, nullptr);
    CObjectDataList &root = *dialog->RootGroup();
    dialog->SaveUndoInfo();

    CFreeTypeFont fonts(project, messages);
    kx::DialogPainter painter(project, fonts, messages);
    kx::Surface kept(dialog->Width(), dialog->Height());
    painter.PaintDialog(kept, *dialog);

    std::mt19937 random(20261208);
    int serial = 0;
    for (int step = 0; step < 300; ++step) {
        kx::KXRect area;
        const int action = static_cast<int>(random() % 10);
        CObjectData *object = RandomObject(root, random);
        if (action == 8 && dialog->History().Index() > 1) {
            const int undone = dialog->History().Index() - 1;
            dialog->History().Undo();
            area = kx::ChangedArea(*dialog, undone);
        } else if (action == 9 && dialog->History().Index() < dialog->History().Count()) {
            dialog->History().Redo();
            area = kx::ChangedArea(*dialog, dialog->History().Index() - 1);
        } else if (object) {
            switch (action) {
            case 0:
                object->SetPosition(object->X() + static_cast<int>(random() % 41) - 20,
                    object->Y() + static_cast<int>(random() % 41) - 20);
                break;
            case 1:
                object->SetWidth(static_cast<int>(random() % 120));
                object->SetHeight(static_cast<int>(random() % 60));
                break;
            case 2: // a text that may reach far beyond its object
                object->SetText(std::string(random() % 12, 'W') + "\\nAb");
                break;
            case 3:
                object->SetVertical(!object->Vertical());
                object->SetStretch(static_cast<int>(random() % 5));
                break;
            case 4:
                if (object->Parent())
                    object->Parent()->MoveChildDown(object);
                break;
            case 5:
                CObjectDataList::RemoveWithEmptyAncestors(object);
                break;
            case 6:
                root.DeselectAll();
                object->SetSelected(true);
                if (CObjectData *other = RandomObject(root, random))
                    other->SetSelected(true);
                root.GroupSelection(object, "G" + std::to_string(serial++));
                break;
            default:
                root.CreateChild(kTypeText, "T" + std::to_string(serial++))->SetText("new text");
                break;
            }
            dialog->SaveUndoInfo();
            area = kx::ChangedArea(*dialog, dialog->History().Index() - 1);
        }
        painter.PaintArea(kept, *dialog, area);
        kx::Surface whole(dialog->Width(), dialog->Height());
        painter.PaintDialog(whole, *dialog);
        ASSERT_TRUE(kxtest::SamePixels(whole, kept))
            << "after step " << step << " (" << action << ")";
    }
}
