// The property fields of the resource panel over the demo project: which fields each kind of
// resource shows, what each commit writes into the model and its history, the limits of the
// number fields, the file choosers that bring files into the project, and a long random run of
// commits that always saves and loads unchanged.
#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "platform/message_sink.h"
#include "projectfile/project_reader.h"
#include "projectfile/project_writer.h"
#include "render/dib_image.h"
#include "ui/app/main_frame.h"
#include "ui/canvas/kx_dialog_editor_view.h"
#include "ui/document/document_set.h"
#include "ui/panels/bmp_combo_box.h"
#include "ui/panels/font_list_ctrl.h"
#include "ui/panels/image_list_ctrl.h"
#include "ui/panels/property_controls.h"
#include "ui/panels/resource_dlg.h"
#include "ui/support/demo_project.h"
#include "ui/support/qt_text.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <random>

namespace {

using kx::test::ReadAll;

using Panel = CPropertyPanel;

QString Utf8(const char *text)
{
    return QString::fromUtf8(text);
}

// What the user does: type and leave the field, choose an item, click a box.
void Type(QLineEdit *edit, const QString &text)
{
    edit->setText(text);
    edit->setModified(true);
    emit edit->editingFinished();
}

void Choose(QComboBox *combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

// The first object of the type in the project's dialogs.
CObjectData *FirstOfType(CProjectContext &project, int type)
{
    for (const auto &dialog : project.Dialogs()) {
        CObjectDataList *root = dialog->RootGroup();
        for (int i = 1; CObjectData *object = root->ObjectAt(i); ++i) {
            if (object->Type() == type)
                return object;
        }
    }
    return nullptr;
}

// The demo in a folder of its own (project file and pictures copied, fonts linked), so that the
// choosers may write into it.
QString CopyDemo(const QString &folder)
{
    const QDir demo = QFileInfo(Utf8(KX_DEMO_PROJECT)).dir();
    QDir target(folder);
    target.mkpath(QStringLiteral("resources"));
    target.mkpath(QStringLiteral("fonts"));
    for (const QString &name :
        QDir(demo.filePath(QStringLiteral("resources"))).entryList(QDir::Files))
        QFile::copy(demo.filePath(QStringLiteral("resources/") + name),
            target.filePath(QStringLiteral("resources/") + name));
    for (const QString &name : QDir(demo.filePath(QStringLiteral("fonts"))).entryList(QDir::Files))
        QFile::link(QFileInfo(demo.filePath(QStringLiteral("fonts/") + name)).canonicalFilePath(),
            target.filePath(QStringLiteral("fonts/") + name));
    const QString project = target.filePath(QStringLiteral("demo.xml"));
    QFile::copy(Utf8(KX_DEMO_PROJECT), project);
    return project;
}

} // namespace

class PropertyPanelTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void FieldsFollowTheResourceKindAndObjectType();
    void EachKindOfFieldCommitsItsAttribute();
    void NumbersOutsideTheModelAreRefused();
    void SizePresetResizesTheDialogWindow();
    void TypedTextStaysWithItsResource();
    void ChosenFilesComeIntoTheProject();
    void RandomCommitsSaveAndLoadUnchanged();

private:
    // A main window over the demo project, messages recorded.
    void Open(CMainFrame &frame, const QString &path = Utf8(KX_DEMO_PROJECT))
    {
        frame.SetMessageSink(&m_messages);
        QVERIFY(frame.LoadProject(path));
    }
    static CResourceDlg &Resources(CMainFrame &frame) { return *frame.ResourcePanel(); }
    static Panel &Fields(CMainFrame &frame) { return *frame.ResourcePanel()->Properties(); }
    static void ShowImage(CMainFrame &frame, int row)
    {
        emit Resources(frame).ImageList()->RowClicked(row, Qt::NoModifier);
    }
    static void ShowFont(CMainFrame &frame, int row)
    {
        emit Resources(frame).FontList()->RowClicked(row, Qt::NoModifier);
    }
    static void ShowTreeItem(CMainFrame &frame, KXClass *resource)
    {
        Resources(frame).ClickTreeItem(Resources(frame).ItemOf(resource));
    }

    kx::RecordingMessageSink m_messages;
};

void PropertyPanelTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void PropertyPanelTest::init()
{
    m_messages.Clear();
}

void PropertyPanelTest::FieldsFollowTheResourceKindAndObjectType()
{
    CMainFrame frame;
    Open(frame);
    CProjectContext &project = frame.Project();
    static const char *const kNames[Panel::kFieldCount]
        = {"type", "name", "attr", "click", "pushclick", "pushtime", "repeat", "radio", "position",
            "parent", "width", "height", "preset", "lock", "hide", "bold", "boldeffect", "effect",
            "colour", "subcolour", "components", "linespace", "vertical", "text", "gettext", "file",
            "image", "font", "align", "stretch", "margin", "states"};
    const char *const objectFields = "type name attr lock hide position parent width height";
    const char *const textLayout = "font align stretch margin linespace";
    struct Case {
        const char *what;
        std::function<void()> show;
        QString shown;
    };
    const auto object = [&](int type) {
        return [&frame, &project, type] { ShowTreeItem(frame, FirstOfType(project, type)); };
    };
    const auto join = [](std::initializer_list<const char *> parts) {
        QStringList all;
        for (const char *part : parts)
            all.append(Utf8(part));
        return all.join(QLatin1Char(' '));
    };
    const Case cases[] = {
        {"project", [&] { Resources(frame).SetMode(CResourceDlg::kModeResource); }, "name"},
        {"dialog", [&] { ShowTreeItem(frame, project.Dialogs().At(0)); },
            "name position width height preset colour components text gettext"},
        {"image", [&] { ShowImage(frame, 0); }, "type name states font align margin"},
        {"font", [&] { ShowFont(frame, 0); }, "name width effect bold boldeffect file"},
        {"Button", object(kTypeButton),
            join({objectFields, textLayout, "click pushclick pushtime repeat text gettext image"})},
        {"Editbox", object(kTypeEditbox),
            join({objectFields, textLayout, "click repeat text gettext image"})},
        {"Frame", object(kTypeFrame), join({objectFields, textLayout, "click text gettext image"})},
        {"Picture", object(kTypePicture), join({objectFields, "click file"})},
        {"Icon", object(kTypeIcon), join({objectFields, "click file"})},
        {"Movie", object(kTypeMovie), join({objectFields, "click file"})},
        {"Canvas", object(kTypeCanvas), join({objectFields, "click"})},
        {"Text", object(kTypeText),
            join({objectFields, textLayout, "click text gettext colour subcolour vertical"})},
        {"Group", object(kTypeGroup), join({objectFields, "radio"})},
    };
    for (const Case &test : cases) {
        test.show();
        const QStringList expected = test.shown.split(QLatin1Char(' '));
        for (int field = 0; field < Panel::kFieldCount; ++field) {
            const bool shown = Fields(frame).IsFieldShown(static_cast<Panel::Field>(field));
            if (shown != expected.contains(Utf8(kNames[field])))
                QFAIL(qPrintable(
                    QStringLiteral("%1: field %2 is %3")
                        .arg(Utf8(test.what), Utf8(kNames[field]), shown ? "shown" : "hidden")));
        }
    }

    // Heights that come from the pictures cannot be typed; an image definition shows the states
    // its type has.
    ShowTreeItem(frame, FirstOfType(project, kTypeButton));
    QVERIFY(Fields(frame).Controls().height->isReadOnly());
    ShowTreeItem(frame, FirstOfType(project, kTypeFrame));
    QVERIFY(!Fields(frame).Controls().height->isReadOnly());
    for (int row = 0; row < project.Images().Count(); ++row) {
        ShowImage(frame, row);
        const int slotCount = kx::ImageSlotWords(project.Images().At(row)->Type()).Count();
        for (int slot = 0; slot < Panel::kStateRowCount; ++slot)
            QCOMPARE(Fields(frame).Controls().states[slot].file->isVisibleTo(&Fields(frame)),
                slot < slotCount);
    }
    // Nothing shown: nothing but an empty, disabled name.
    Fields(frame).Show(PropertyKind::None, nullptr);
    for (int field = 0; field < Panel::kFieldCount; ++field)
        QCOMPARE(
            Fields(frame).IsFieldShown(static_cast<Panel::Field>(field)), field == Panel::kName);
}

void PropertyPanelTest::EachKindOfFieldCommitsItsAttribute()
{
    CMainFrame frame;
    Open(frame);
    CProjectContext &project = frame.Project();
    const Panel::Widgets &w = Fields(frame).Controls();
    CObjectData *button = FirstOfType(project, kTypeButton);
    CObjectData *text = FirstOfType(project, kTypeText);
    CObjectData *editbox = FirstOfType(project, kTypeEditbox);
    CObjectData *picture = FirstOfType(project, kTypePicture);
    CKXDialogData *home = project.Dialogs().At(0);
    const auto steps = [&project](const CObjectData *object) {
        for (const auto &dialog : project.Dialogs()) {
            if (dialog->RootGroup()->IndexOf(object) >= 0)
                return dialog->History().Count();
        }
        return -1;
    };

    // Each commit writes its attribute; tracked attributes make one history step, the few the
    // history leaves out (Lock, Hide, PushClick, PushTime, GetText) make none.
    struct Case {
        const char *what;
        CObjectData *object;
        std::function<void()> edit;
        std::function<bool()> done;
        int newSteps;
    };
    int fontIndex = 0;
    int alignX = 0;
    int imageIndex = 0;
    const Case cases[] = {
        {"Click", button, [&] { w.click->click(); }, [&] { return !button->Click(); }, 1},
        {"attribute", button, [&] { Choose(w.attr, (button->Attr() + 1) % 7); },
            [&] { return button->Attr() == w.attr->currentIndex(); }, 1},
        {"PushTime", button, [&] { Type(w.pushTime, "350"); },
            [&] { return button->PushTime() == 350; }, 0},
        {"PushTime of an edit box", editbox, [&] { Type(w.pushTime, "999"); },
            [&] { return editbox->PushTime() != 999; }, 0},
        {"Lock", button, [&] { w.lock->click(); }, [&] { return button->Lock(); }, 0},
        {"Vertical", text, [&] { w.vertical->click(); }, [&] { return text->Vertical(); }, 1},
        {"改行幅", text, [&] { Type(w.linespace, "24"); }, [&] { return text->Linespace() == 24; },
            1},
        {"テキスト", text, [&] { Type(w.text, Utf8("温度 <&>")); },
            [&] { return text->Text() == kx::ui::ToModelText(Utf8("温度 <&>")); }, 1},
        {"colour", text, [&] { Choose(w.colour, 3); }, [&] { return text->TextCol() == "RED"; }, 1},
        {"Custom colour", text, [&] { Choose(w.colour, 16); },
            [&] { return text->TextCol() == "RED"; }, 0},
        {"layout", text,
            [&] {
                fontIndex = (w.font->currentIndex() + 1) % w.font->count();
                alignX = (text->AlignX() + 1) % 3;
                Choose(w.font, fontIndex);
                Choose(w.alignX, alignX);
                Type(w.marginX, QString::number(text->MarginX() + 7));
            },
            [&] {
                return text->Font() == project.Fonts().At(fontIndex)->Name()
                    && text->AlignX() == alignX && text->MarginX() == w.marginX->Value();
            },
            3},
        {"イメージ", button,
            [&] {
                // Another picture than the button has.
                imageIndex = w.image->GetNameAt(0) == button->Image() ? 1 : 0;
                Choose(w.image, imageIndex);
            },
            [&] {
                const CImageData *image = project.Images().FindByName(button->Image());
                return button->Image() == w.image->GetNameAt(imageIndex) && image
                    && button->Height() == image->NaturalSize(kTypeButton).height
                    && button->Font() == image->FontName();
            },
            1},
        {"ファイル", picture, [&] { Type(w.file, "icon_home.gif"); },
            [&] {
                return picture->ImageFile() == "icon_home.gif" && picture->Width() == 48
                    && picture->Height() == 48;
            },
            1},
        {"Repeat", button, [&] { w.repeat->click(); },
            [&] { return button->Repeat() == w.repeat->isChecked(); }, 1},
        {"MarginY", text, [&] { Type(w.marginY, QString::number(text->MarginY() + 3)); },
            [&] { return text->MarginY() == w.marginY->Value() && w.marginY->Value() > 0; }, 1},
        {"unchanged text", text, [&] { Type(w.text, w.text->text()); }, [] { return true; }, 0},
    };
    for (const Case &test : cases) {
        ShowTreeItem(frame, test.object);
        const int before = steps(test.object);
        test.edit();
        QVERIFY2(test.done(), test.what);
        QVERIFY2(steps(test.object) == before + test.newSteps,
            qPrintable(QStringLiteral("%1: %2 steps")
                           .arg(Utf8(test.what))
                           .arg(steps(test.object) - before)));
    }

    // A commit that changes nothing reaches no funnel.
    ShowTreeItem(frame, text);
    QSignalSpy changes(frame.Documents().For(home), &CKXDialogEditorDoc::Changed);
    Type(w.linespace, w.linespace->text());
    w.colour->setCurrentIndex(w.colour->currentIndex());
    emit w.colour->activated(w.colour->currentIndex());
    QCOMPARE(changes.count(), 0);

    // A position in canvas coordinates inside a group: the group takes its children's bounds
    // again, every other child keeps its place. Moving the leftmost child right moves the group
    // and leaves the child at 0 in it: still one step.
    CObjectData *inner = nullptr;
    for (int i = 1; CObjectData *o = home->RootGroup()->ObjectAt(i); ++i) {
        CObjectDataList *parent = o->Parent();
        if (!inner && !o->IsGroup() && !parent->IsRoot() && parent->ChildCount() > 1 && o->X() == 0)
            inner = o;
    }
    QVERIFY(inner);
    CObjectDataList *group = inner->Parent();
    std::vector<std::pair<CObjectData *, int>> others;
    for (CObjectData *child : group->Children())
        others.emplace_back(child, child->AbsoluteX());
    const int x = inner->AbsoluteX();
    const int before = home->History().Count();
    ShowTreeItem(frame, inner);
    Type(w.x, QString::number(x + 1));
    QCOMPARE(inner->AbsoluteX(), x + 1);
    QCOMPARE(home->History().Count(), before + 1);
    int least = INT_MAX;
    for (const auto &[child, childX] : others) {
        least = std::min(least, child->X());
        if (child != inner)
            QCOMPARE(child->AbsoluteX(), childX);
    }
    QCOMPARE(least, 0);

    // The dialog: title, named background and its components both ways.
    ShowTreeItem(frame, home);
    Type(w.text, Utf8("ホーム画面"));
    QCOMPARE(home->Title(), kx::ui::ToModelText(Utf8("ホーム画面")));
    Choose(w.colour, 7);
    QCOMPARE(home->BackgroundColour(), std::string("KX_COL_WHITE"));
    QCOMPARE(w.red->text(), QStringLiteral("255"));
    Type(w.red, "0");
    Type(w.green, "0");
    Type(w.blue, "0");
    QCOMPARE(home->BackgroundColour(), std::string("KX_COL_BLACK"));
    QCOMPARE(w.colour->currentIndex(), 0);
    Type(w.red, "16");
    Type(w.green, "160");
    Type(w.blue, "255");
    QCOMPARE(home->BackgroundColour(), std::string("RGB(0xff,0xa0,0x10)"));
    QCOMPARE(w.colour->currentText(), QStringLiteral("Custom"));

    // An image definition: layout and a state row (colours and a file, resolved at once).
    ShowImage(frame, 0);
    CImageData *image = project.Images().At(0);
    Choose(w.alignY, 2);
    QCOMPARE(image->AlignY(), 2);
    const auto &row = w.states[1];
    Choose(row.colour, 5);
    Choose(row.subColour, 3);
    Type(row.file, "button_push.png");
    QCOMPARE(image->SlotColour(1), std::string("MAGENTA"));
    QCOMPARE(image->SlotSubColour(1), std::string("RED"));
    QCOMPARE(image->SlotFile(1), std::string("button_push.png"));
    QVERIFY(image->Picture(1));

    // A font definition: size, effect, boldness and file.
    ShowFont(frame, 0);
    CFontData *font = project.Fonts().At(0);
    Type(w.width, "20");
    Choose(w.effect, 4);
    w.bold->click();
    Type(w.file, "DejaVuSans.ttf");
    QCOMPARE(font->Size(), 20);
    QCOMPARE(font->Effect(), 4);
    QVERIFY(font->Bold());
    QCOMPARE(font->File(), std::string("DejaVuSans.ttf"));
    QCOMPARE(Resources(frame).FontList()->ListModel()->index(0, 2).data().toString(),
        QStringLiteral("20"));

    // A frame whose font is none of the definitions is shown as it is, without a step; the edit
    // that gives it an image takes that image's layout, inside the edit's own step.
    CObjectData *frameObject = FirstOfType(project, kTypeFrame);
    const CImageData *panelImage = project.Images().FindByName(frameObject->Image());
    QVERIFY(panelImage);
    frameObject->SetFont("Gone");
    frameObject->SetAlignX((panelImage->AlignX() + 1) % 3);
    for (const auto &dialog : project.Dialogs())
        dialog->SaveUndoInfo();
    ShowTreeItem(frame, frameObject);
    const int frameSteps = steps(frameObject);
    QCoreApplication::processEvents();
    QCOMPARE(frameObject->Font(), std::string("Gone"));
    QCOMPARE(steps(frameObject), frameSteps);
    // An edit through the dialog's funnel that leaves the font undefined (as a paste or another
    // image would) adopts the layout in the same step.
    frameObject->SetFont("GoneToo");
    CKXDialogData *frameDialog = nullptr;
    for (const auto &dialog : project.Dialogs()) {
        if (dialog->RootGroup()->IndexOf(frameObject) >= 0)
            frameDialog = dialog.get();
    }
    QVERIFY(frameDialog);
    frame.Documents().For(frameDialog)->Commit(kChangeAttributes);
    QCOMPARE(frameObject->Font(), panelImage->FontName());
    QCOMPARE(frameObject->AlignX(), panelImage->AlignX());
    QCOMPARE(w.font->currentText(), kx::ui::FromUtf8(panelImage->FontName()));
    QCOMPARE(steps(frameObject), frameSteps + 1);

    // A file name is a name in the project's folders, never a path.
    ShowFont(frame, 0);
    m_messages.Clear();
    Type(w.file, "../../etc/passwd");
    QCOMPARE(font->File(), std::string("DejaVuSans.ttf"));
    QCOMPARE(w.file->text(), QStringLiteral("DejaVuSans.ttf"));
    QCOMPARE(m_messages.Messages().size(), std::size_t {1});
}

void PropertyPanelTest::NumbersOutsideTheModelAreRefused()
{
    CMainFrame frame;
    Open(frame);
    const Panel::Widgets &w = Fields(frame).Controls();
    CKXDialogData *home = frame.Project().Dialogs().At(0);
    ShowTreeItem(frame, home);
    const int width = home->Width();
    // The canvas draws no dialog wider than 16384 pixels: the field says so and keeps the size.
    w.width->setText(QStringLiteral("20000"));
    QTest::keyClick(w.width, Qt::Key_Return);
    QCOMPARE(home->Width(), width);
    QCOMPARE(w.width->text(), QString::number(width));
    QCOMPARE(m_messages.Messages().size(), std::size_t {1});
    QVERIFY(m_messages.Messages().front().text.find("16384") != std::string::npos);
    // Letters never get in; the largest size is taken.
    QTest::keyClicks(w.height, QStringLiteral("x"));
    QCOMPARE(w.height->text(), QString::number(home->Height()));
    w.height->setText(QStringLiteral("16384"));
    QTest::keyClick(w.height, Qt::Key_Return);
    QCOMPARE(home->Height(), 16384);
    // Components are bytes.
    m_messages.Clear();
    w.red->setText(QStringLiteral("300"));
    QTest::keyClick(w.red, Qt::Key_Return);
    QCOMPARE(m_messages.Messages().size(), std::size_t {1});
}

void PropertyPanelTest::SizePresetResizesTheDialogWindow()
{
    CMainFrame frame;
    Open(frame);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    CKXDialogData *home = frame.Project().Dialogs().At(0);
    ShowTreeItem(frame, home);
    CKXDialogEditorView *view = frame.ActiveView();
    QVERIFY(view && view->Dialog() == home);
    const int steps = home->History().Count();
    const Panel::Widgets &w = Fields(frame).Controls();
    Choose(w.sizePreset, 1);
    QCOMPARE(QSize(home->Width(), home->Height()), QSize(160, 120));
    QCOMPARE(view->size(), QSize(160, 120));
    QCOMPARE(w.sizePreset->currentIndex(), 0);
    QCOMPARE(w.width->text(), QStringLiteral("160"));
    Choose(w.sizePreset, 6);
    QCOMPARE(view->size(), QSize(640, 480));
    QCOMPARE(home->History().Count(), steps + 2);
}

void PropertyPanelTest::TypedTextStaysWithItsResource()
{
    CMainFrame frame;
    Open(frame);
    frame.show();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    CObjectDataList *root = frame.Project().Dialogs().At(0)->RootGroup();
    CObjectData *first = FirstOfType(frame.Project(), kTypeText);
    CObjectData *second = nullptr;
    for (int i = root->IndexOf(first) + 1; !second && root->ObjectAt(i); ++i) {
        if (root->ObjectAt(i)->Type() == kTypeText)
            second = root->ObjectAt(i);
    }
    QVERIFY(second);
    const std::string secondText = second->Text();
    const Panel::Widgets &w = Fields(frame).Controls();
    // Another object is chosen (on the canvas, say) while the user types: the text goes to the
    // object it was typed for.
    ShowTreeItem(frame, first);
    w.text->setFocus();
    w.text->selectAll();
    QTest::keyClicks(w.text, QStringLiteral("typed"));
    ShowTreeItem(frame, second);
    QCOMPARE(first->Text(), std::string("typed"));
    QCOMPARE(second->Text(), secondText);
    // Everything is discarded while the user types: nothing is written anywhere.
    w.text->setFocus();
    QTest::keyClicks(w.text, QStringLiteral("more"));
    frame.DiscardAll();
    QVERIFY(frame.Project().Dialogs().IsEmpty());
}

void PropertyPanelTest::ChosenFilesComeIntoTheProject()
{
    QTemporaryDir temp;
    const QString projectFolder = temp.filePath(QStringLiteral("project"));
    const QString elsewhere = temp.filePath(QStringLiteral("elsewhere"));
    QDir().mkpath(elsewhere);
    const QString demoPictures = QFileInfo(Utf8(KX_DEMO_PROJECT)).dir().filePath("resources/");
    QFile::copy(demoPictures + "weather.png", elsewhere + "/sky.png");
    QFile::copy(demoPictures + "icon_home.gif", elsewhere + "/button_push.png");

    CMainFrame frame;
    Open(frame, CopyDemo(projectFolder));
    CProjectContext &project = frame.Project();
    const std::string folder = project.ProjectFolder();
    QString chosen;
    int copyQuestions = 0;
    bool copy = true;
    bool replace = false;
    frame.Questions().chooseFile = [&](QWidget *, const QString &start, kx::ui::ProjectFileKind) {
        // The chooser starts in the project's resources folder.
        if (start != kx::ui::FromLocalPath(folder) + "resources")
            return QString();
        return chosen;
    };
    frame.Questions().copyIntoProject = [&](QWidget *, const QString &, const QString &) {
        ++copyQuestions;
        return copy;
    };
    frame.Questions().replaceFile = [&](QWidget *, const QString &) { return replace; };

    // A picture from another folder is copied into resources/; the project stays where it is.
    CObjectData *picture = FirstOfType(project, kTypePicture);
    ShowTreeItem(frame, picture);
    chosen = elsewhere + "/sky.png";
    Fields(frame).Controls().browse->click();
    QCOMPARE(picture->ImageFile(), std::string("sky.png"));
    QCOMPARE(QSize(picture->Width(), picture->Height()), QSize(160, 90));
    QCOMPARE(project.ProjectFolder(), folder);
    QCOMPARE(ReadAll(projectFolder + "/resources/sky.png"), ReadAll(chosen));
    QCOMPARE(copyQuestions, 1);
    // Chosen again from inside the project, it is simply taken.
    chosen = projectFolder + "/resources/weather.png";
    Fields(frame).Controls().browse->click();
    QCOMPARE(picture->ImageFile(), std::string("weather.png"));
    QCOMPARE(copyQuestions, 1);

    // Another file of a name the project has: replaced only after the second question.
    ShowImage(frame, 0);
    CImageData *image = project.Images().At(0);
    const QByteArray original = ReadAll(projectFolder + "/resources/button_push.png");
    const std::string slotFile = image->SlotFile(3);
    chosen = elsewhere + "/button_push.png";
    Fields(frame).Controls().states[3].browse->click();
    QCOMPARE(image->SlotFile(3), slotFile);
    QCOMPARE(ReadAll(projectFolder + "/resources/button_push.png"), original);
    copy = false;
    replace = true;
    Fields(frame).Controls().states[3].browse->click();
    QCOMPARE(ReadAll(projectFolder + "/resources/button_push.png"), original);
    copy = true;
    Fields(frame).Controls().states[3].browse->click();
    QCOMPARE(image->SlotFile(3), std::string("button_push.png"));
    QCOMPARE(ReadAll(projectFolder + "/resources/button_push.png"), ReadAll(chosen));
    QCOMPARE(project.ProjectFolder(), folder);

    // A project never saved has no folder and takes none from the chosen file: the file is found
    // where it is, and the first save copies it into the project's fonts folder and says so.
    CMainFrame fresh;
    fresh.SetMessageSink(&m_messages);
    const QString fonts = temp.filePath(QStringLiteral("new/fonts"));
    QDir().mkpath(fonts);
    QFile::copy(demoPictures + "weather.png", fonts + "/any.ttf");
    fresh.Questions().chooseFile = [&](QWidget *, const QString &, kx::ui::ProjectFileKind kind) {
        return kind == kx::ui::ProjectFileKind::Font ? fonts + "/any.ttf" : QString();
    };
    Resources(fresh).SetMode(CResourceDlg::kModeFont);
    Resources(fresh).Add();
    Fields(fresh).Controls().browse->click();
    QCOMPARE(fresh.Project().Fonts().At(0)->File(), std::string("any.ttf"));
    QVERIFY(fresh.Project().ProjectFolder().empty());
    QCOMPARE(kx::ui::FromLocalPath(fresh.Project().FontPath("any.ttf")),
        QFileInfo(fonts + "/any.ttf").canonicalFilePath());
    const QString saved = temp.filePath(QStringLiteral("saved"));
    QDir().mkpath(saved);
    m_messages.Clear();
    QVERIFY(fresh.SaveAllTo(saved + "/p.xml"));
    QCOMPARE(ReadAll(saved + "/fonts/any.ttf"), ReadAll(fonts + "/any.ttf"));
    QVERIFY(QString::fromStdString(m_messages.Messages().back().text).contains(Utf8("any.ttf")));
    QCOMPARE(kx::ui::FromLocalPath(fresh.Project().FontPath("any.ttf")), saved + "/fonts/any.ttf");
}

void PropertyPanelTest::RandomCommitsSaveAndLoadUnchanged()
{
    CMainFrame frame;
    Open(frame);
    CProjectContext &project = frame.Project();
    Panel &panel = Fields(frame);
    const Panel::Widgets &w = panel.Controls();
    std::mt19937 random(20240518);
    const auto pick = [&random](int count) {
        return std::uniform_int_distribution<int>(0, std::max(count, 1) - 1)(random);
    };
    const QStringList texts
        = {Utf8("A"), Utf8("設定 <OK> & \"x\""), QString(), Utf8("温度'℃"), Utf8("Line  two")};
    const QStringList files = {"weather.png", "icon_home.gif", "fan.gif", "missing.png", ""};
    const auto typeNumber = [&](CIntEdit *edit, int low, int high) {
        Type(edit, QString::number(std::uniform_int_distribution<int>(low, high)(random)));
    };
    const auto chooseAny = [&](QComboBox *combo) { Choose(combo, pick(combo->count())); };
    int imageRow = 0;

    // What a user may do in each field, when it is shown.
    const std::vector<std::pair<Panel::Field, std::function<void()>>> actions = {
        {Panel::kAttr, [&] { chooseAny(w.attr); }},
        {Panel::kClick, [&] { w.click->click(); }},
        {Panel::kPushClick, [&] { w.pushClick->click(); }},
        {Panel::kPushTime, [&] { typeNumber(w.pushTime, 0, 5000); }},
        {Panel::kRepeat, [&] { w.repeat->click(); }},
        {Panel::kRadio, [&] { w.radio->click(); }},
        {Panel::kPosition, [&] { typeNumber(pick(2) ? w.x : w.y, -50, 600); }},
        {Panel::kWidth, [&] { typeNumber(w.width, 1, 300); }},
        {Panel::kHeight,
            [&] {
                if (!w.height->isReadOnly())
                    typeNumber(w.height, 1, 300);
            }},
        {Panel::kSizePreset, [&] { Choose(w.sizePreset, 1 + pick(6)); }},
        {Panel::kLock, [&] { w.lock->click(); }},
        {Panel::kHide, [&] { w.hide->click(); }},
        {Panel::kBold, [&] { w.bold->click(); }},
        {Panel::kBoldEffect, [&] { w.boldEffect->click(); }},
        {Panel::kEffect, [&] { chooseAny(w.effect); }},
        {Panel::kColour, [&] { chooseAny(w.colour); }},
        {Panel::kSubColour, [&] { chooseAny(w.subColour); }},
        {Panel::kComponents,
            [&] {
                CIntEdit *edits[] = {w.red, w.green, w.blue};
                typeNumber(edits[pick(3)], 0, 255);
            }},
        {Panel::kLinespace, [&] { typeNumber(w.linespace, -5, 40); }},
        {Panel::kVertical, [&] { w.vertical->click(); }},
        {Panel::kText, [&] { Type(w.text, texts.at(pick(texts.size()))); }},
        {Panel::kGetText, [&] { w.getText->click(); }},
        {Panel::kFile, [&] { Type(w.file, files.at(pick(files.size()))); }},
        {Panel::kImage, [&] { chooseAny(w.image); }},
        {Panel::kFont, [&] { chooseAny(w.font); }},
        {Panel::kAlign, [&] { chooseAny(pick(2) ? w.alignX : w.alignY); }},
        {Panel::kStretch, [&] { chooseAny(w.stretch); }},
        {Panel::kMargin, [&] { typeNumber(pick(2) ? w.marginX : w.marginY, -3, 30); }},
        {Panel::kStateRows,
            [&] {
                const int slotCount
                    = kx::ImageSlotWords(project.Images().At(imageRow)->Type()).Count();
                const auto &row = w.states[static_cast<std::size_t>(pick(slotCount))];
                if (pick(2))
                    chooseAny(pick(2) ? row.colour : row.subColour);
                else
                    Type(row.file, files.at(pick(files.size())));
            }},
    };

    int recorded = 0;
    for (int commit = 1; commit <= 2000; ++commit) {
        // Mostly objects, sometimes a dialog, an image or a font definition.
        const int what = pick(10);
        CKXDialogData *dialog = project.Dialogs().At(pick(project.Dialogs().Count()));
        if (what == 0)
            ShowTreeItem(frame, dialog);
        else if (what == 1)
            ShowImage(frame, imageRow = pick(project.Images().Count()));
        else if (what == 2)
            ShowFont(frame, pick(project.Fonts().Count()));
        else
            ShowTreeItem(frame,
                dialog->RootGroup()->ObjectAt(1 + pick(dialog->RootGroup()->CountNodes() - 1)));
        std::vector<const std::function<void()> *> possible;
        for (const auto &[field, action] : actions) {
            if (panel.IsFieldShown(field))
                possible.push_back(&action);
        }
        QVERIFY(!possible.empty());
        const int steps = dialog->History().Count();
        (*possible[static_cast<std::size_t>(pick(static_cast<int>(possible.size())))])();
        QCoreApplication::processEvents();
        QVERIFY(dialog->History().Count() - steps <= 1);
        recorded += dialog->History().Count() - steps;

        if (commit % 100 == 0) {
            const std::string saved = kx::FormatProject(project);
            CProjectContext loaded;
            kx::RecordingMessageSink quiet;
            kx::ProjectReader reader(loaded, quiet);
            QVERIFY(reader.ReadContent(saved, "random.xml"));
            QVERIFY(!reader.ParseFailed());
            QCOMPARE(kx::FormatProject(loaded), saved);
        }
    }
    // Most commits change something (a few choose what is there already).
    QVERIFY(recorded > 800);
}

QTEST_MAIN(PropertyPanelTest)
#include "property_panel_test.moc"
