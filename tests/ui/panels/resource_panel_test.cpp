// The resource panel's commands on a real main window: names of new resources, the rename rule,
// deleting with the groups left empty, reordering, grouping, the list cells, and a long random
// run of commands that must leave a project that saves and loads back to the same file.
#include "model/object_data_list.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "projectfile/project_reader.h"
#include "projectfile/project_writer.h"
#include "ui/app/main_frame.h"
#include "ui/app/unsaved_changes.h"
#include "ui/document/document_set.h"
#include "ui/panels/font_list_ctrl.h"
#include "ui/panels/image_list_ctrl.h"
#include "ui/panels/object_list_ctrl.h"
#include "ui/panels/resource_dlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <fstream>
#include <random>

namespace {

std::string Last(const kx::RecordingMessageSink &messages)
{
    return messages.Messages().empty() ? std::string() : messages.Messages().back().text;
}

std::string ChildNames(const CObjectDataList &group)
{
    std::string names;
    for (const CObjectData *child : group.Children())
        names += child->Name() + " ";
    return names;
}

QString Cell(CResourceListView *list, int row, int column)
{
    return list->model()->index(row, column).data().toString();
}

// The project as saved, then loaded into a fresh project and saved again: the same text.
bool SavesAndLoadsBack(CProjectContext &project, const QString &folder, std::string *problem)
{
    const std::string first = kx::FormatProject(project);
    const std::string path = (folder + QStringLiteral("/round.xml")).toStdString();
    std::ofstream(path, std::ios::binary) << first;
    CProjectContext again;
    kx::RecordingMessageSink quiet;
    kx::ProjectReader reader(again, quiet);
    if (!reader.ReadFile(path)) {
        *problem = "cannot read back";
        return false;
    }
    const std::string second = kx::FormatProject(again);
    if (first != second)
        *problem = first + "\n---- read back as ----\n" + second;
    return first == second;
}

} // namespace

class ResourcePanelTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void NewResourcesGetFreeNames();
    void RenameFollowsTheNameRule();
    void DeleteTakesEmptiedGroupsAndRefusesTheLastDialogAndTheRoot();
    void MoveStopsAtBothEnds();
    void GroupingKeepsPlacesAndUngroupRefusesWhatCannotBeUngrouped();
    void ListsShowTheModel();
    void AddingNeedsDefinitions();
    void RandomCommandsKeepAProjectThatLoadsBack();

private:
    // A project with a font, a button image, an edit-box image and one dialog.
    void MakeBasics();
    CObjectData *AddObject(int type);

    CMainFrame *m_frame = nullptr;
    CResourceDlg *m_panel = nullptr;
    kx::RecordingMessageSink m_messages;
};

void ResourcePanelTest::init()
{
    m_frame = new CMainFrame;
    // Deleting what is in use asks first; the tests delete.
    m_frame->Questions().confirmDelete = [](QWidget *, const QString &) { return true; };
    m_frame->SetMessageSink(&m_messages);
    m_frame->Questions().saveChanges
        = [](QWidget *, const QString &) { return kx::ui::SaveChoice::Discard; };
    m_panel = m_frame->ResourcePanel();
    m_messages.Clear();
}

void ResourcePanelTest::cleanup()
{
    delete m_frame;
    m_frame = nullptr;
}

void ResourcePanelTest::MakeBasics()
{
    m_panel->SetMode(CResourceDlg::kModeFont);
    m_panel->Add();
    m_panel->SetMode(CResourceDlg::kModeImage);
    m_panel->AddType(1 + 0);
    m_panel->AddType(1 + 1);
    m_panel->SetMode(CResourceDlg::kModeDialog);
    m_panel->AddDialog();
}

CObjectData *ResourcePanelTest::AddObject(int type)
{
    m_panel->AddType(1 + type);
    return AsObject(*m_panel->CurrentResource())
        ? static_cast<CObjectData *>(m_panel->CurrentResource())
        : nullptr;
}

void ResourcePanelTest::NewResourcesGetFreeNames()
{
    MakeBasics();
    CProjectContext &project = m_frame->Project();
    QCOMPARE(project.Fonts().At(0)->Name(), std::string("F"));
    QCOMPARE(project.Fonts().At(0)->Size(), 32);
    QCOMPARE(project.Images().At(1)->Name(), std::string("IE"));
    QCOMPARE(project.Images().At(0)->SlotColour(5), std::string("BLACK"));
    CKXDialogData *first = project.Dialogs().At(0);
    QCOMPARE(first->Name(), std::string("D"));
    QCOMPARE(first->Width(), 640);

    for (int i = 0; i < 3; ++i)
        AddObject(kTypeButton);
    QCOMPARE(ChildNames(*first->RootGroup()), std::string("OB OB2 OB3 "));
    CObjectData *second = first->RootGroup()->ChildAt(1);
    QCOMPARE(second->Image(), std::string("IB"));
    QCOMPARE(second->Font(), std::string("F"));
    QVERIFY(second->Click());
    m_panel->ClickTreeItem(m_panel->ItemOf(second));
    m_panel->Delete();
    QCOMPARE(AddObject(kTypeButton)->Name(), std::string("OB2"));
    CObjectData *text = AddObject(kTypeText);
    QCOMPARE(text->Width(), 20);
    QCOMPARE(text->AlignY(), 1);

    // The New command and the panel agree; a button named OB4 in the new dialog is counted.
    m_frame->NewDialogWindow();
    CKXDialogData *other = project.Dialogs().At(1);
    QCOMPARE(other->Name(), std::string("D2"));
    other->RootGroup()->CreateChild(kTypeButton, "OB4");
    m_panel->ShowDialog(first);
    QCOMPARE(AddObject(kTypeButton)->Name(), std::string("OB5"));
    // A prefix that a project file brought and that cannot start a name is not used.
    project.Prefixes().Set(kx::kPrefixOB, "9 bad");
    project.Prefixes().Set(kx::kPrefixOT, "class");
    QCOMPARE(AddObject(kTypeButton)->Name(), std::string("OB6"));
    QCOMPARE(AddObject(kTypeText)->Name(), std::string("OT2"));

    // Grouping twice: OGROUP0, then OGROUP1.
    for (const char *expected : {"OGROUP0", "OGROUP1"}) {
        CObjectData *button = AddObject(kTypeButton);
        m_panel->ClickTreeItem(m_panel->ItemOf(button));
        m_panel->GroupOrUngroup();
        QCOMPARE(
            static_cast<CObjectData *>(m_panel->CurrentResource())->Name(), std::string(expected));
    }
    QVERIFY(m_messages.Messages().empty());
}

void ResourcePanelTest::RenameFollowsTheNameRule()
{
    MakeBasics();
    CProjectContext &project = m_frame->Project();
    CObjectData *button = AddObject(kTypeButton);
    m_frame->NewDialogWindow();
    project.Dialogs().At(1)->RootGroup()->CreateChild(kTypeText, "Elsewhere");
    m_panel->ShowDialog(project.Dialogs().At(0));
    const std::string badName
        = "エラー: 名前は半角英数字またはアンダースコア(_)で入力してください.";
    const std::string taken = "エラー: 重複する名前です.";
    struct Case {
        const char *name;
        std::string message; // empty: accepted
    };
    const Case cases[] = {
        // would be "#define 1abc" in the generated code
        {"1abc", "エラー: 名前を数字で始めることはできません."},
        {"", "エラー: 名前を入力してください."},
        {"a-b", badName},
        {"設定", badName},
        {"9 bad", "エラー: 名前を数字で始めることはできません."},
        {"class", "エラー: C++の予約語は名前にできません."},
        {"F", taken},
        {"D2", taken},
        {"Elsewhere", ""}, // an object of another dialog
        {"Start_1", ""},
    };
    for (const Case &c : cases) {
        m_panel->ClickTreeItem(m_panel->ItemOf(button));
        m_messages.Clear();
        m_panel->Properties()->NameEdit()->setText(QString::fromUtf8(c.name));
        QCOMPARE(m_panel->Rename(), c.message.empty());
        QCOMPARE(Last(m_messages), c.message);
        QCOMPARE(button->Name(), std::string(c.message.empty() ? c.name : button->Name()));
    }
    QCOMPARE(m_panel->ItemOf(button)->text(0), QStringLiteral("Button = Start_1"));

    // The root group shows its name and keeps it: the project file and the history find it so.
    CKXDialogData *first = project.Dialogs().At(0);
    const int steps = first->History().Count();
    m_panel->SetMode(CResourceDlg::kModeObject);
    m_panel->ClickObjectRow(0);
    QLineEdit *rootName = m_panel->Properties()->NameEdit();
    QCOMPARE(rootName->text(), QStringLiteral("OGROOT"));
    QVERIFY(rootName->isReadOnly());
    rootName->setText(QStringLiteral("Renamed"));
    QVERIFY(m_panel->Rename());
    QCOMPARE(first->RootGroup()->Name(), std::string("OGROOT"));
    QCOMPARE(first->History().Count(), steps);
    m_panel->ClickTreeItem(m_panel->ItemOf(button));
    QVERIFY(!m_panel->Properties()->NameEdit()->isReadOnly());

    // A font renamed: objects and image definitions follow; the project name allows a digit.
    m_panel->SetMode(CResourceDlg::kModeFont);
    m_panel->Properties()->NameEdit()->setText(QStringLiteral("Body"));
    QVERIFY(m_panel->Rename());
    QCOMPARE(button->Font(), std::string("Body"));
    QCOMPARE(project.Images().At(0)->FontName(), std::string("Body"));
    m_panel->SetMode(CResourceDlg::kModeResource);
    m_panel->Properties()->NameEdit()->setText(QStringLiteral("1st"));
    QVERIFY(m_panel->Rename());
    QCOMPARE(m_panel->Tree()->topLevelItem(0)->text(0), QStringLiteral("Root = 1st"));
    // An empty one would not come back from the project file.
    m_panel->Properties()->NameEdit()->setText(QString());
    QVERIFY(!m_panel->Rename());
    QCOMPARE(project.Root().ProjectName(), std::string("1st"));

    // A dialog named in Japanese would not compile; one renamed keeps its redo steps.
    CKXDialogData *dialog = project.Dialogs().At(0);
    dialog->History().Undo();
    const int records = dialog->History().Count();
    m_panel->ClickTreeItem(m_panel->ItemOf(dialog));
    m_panel->Properties()->NameEdit()->setText(QStringLiteral("Main"));
    QVERIFY(m_panel->Rename());
    QCOMPARE(dialog->History().Count(), records);
    QVERIFY(dialog->History().Index() < records);
}

void ResourcePanelTest::DeleteTakesEmptiedGroupsAndRefusesTheLastDialogAndTheRoot()
{
    MakeBasics();
    CKXDialogData *dialog = m_frame->Project().Dialogs().At(0);
    CObjectDataList *root = dialog->RootGroup();
    CObjectData *keep = AddObject(kTypeText);
    CObjectData *deep = AddObject(kTypeText);
    CObjectData *other = AddObject(kTypeText);
    m_panel->ClickTreeItem(m_panel->ItemOf(deep));
    m_panel->GroupOrUngroup(); // OGROUP0 = {deep}
    CObjectData *inner = deep->Parent();
    m_panel->ClickTreeItem(m_panel->ItemOf(inner));
    m_panel->ClickTreeItem(m_panel->ItemOf(other), Qt::ControlModifier);
    m_panel->GroupOrUngroup(); // OGROUP1 = {OGROUP0 = {deep}, other}
    QCOMPARE(inner->Parent()->Name(), std::string("OGROUP1"));
    m_panel->ClickTreeItem(m_panel->ItemOf(other));
    m_panel->Delete();
    const int records = dialog->History().Count();

    // The only object of a nested group takes both groups with it, not the root.
    m_panel->ClickTreeItem(m_panel->ItemOf(deep));
    m_panel->Delete();
    QCOMPARE(ChildNames(*root), std::string("OT "));
    QCOMPARE(root->ChildAt(0), keep);
    QCOMPARE(dialog->History().Count(), records + 1);
    QCOMPARE(m_panel->ItemOf(deep), nullptr);
    QCOMPARE(m_panel->ItemOf(inner), nullptr);

    m_panel->SetMode(CResourceDlg::kModeObject);
    m_panel->ClickObjectRow(0);
    m_panel->Delete();
    QCOMPARE(Last(m_messages), std::string("デフォルトグループオブジェクトは削除できません"));
    m_panel->SetMode(CResourceDlg::kModeDialog);
    m_panel->ClickTreeItem(m_panel->ItemOf(dialog));
    m_panel->Delete();
    QCOMPARE(Last(m_messages), std::string("全てのダイアログを削除することは出来ません。"));
    QCOMPARE(m_frame->Project().Dialogs().Count(), 1);
}

void ResourcePanelTest::MoveStopsAtBothEnds()
{
    MakeBasics();
    CProjectContext &project = m_frame->Project();
    CObjectData *a = AddObject(kTypeText);
    CObjectData *b = AddObject(kTypeText);
    m_frame->NewDialogWindow();
    CKXDialogData *last = project.Dialogs().At(1);

    m_panel->ClickTreeItem(m_panel->ItemOf(last));
    m_panel->MoveDown(); // the last dialog
    QCOMPARE(project.Dialogs().At(1), last);
    m_panel->MoveUp();
    QCOMPARE(project.Dialogs().At(0), last);
    QCOMPARE(m_panel->Tree()->topLevelItem(0)->child(0)->text(0), QStringLiteral("D2"));

    m_panel->ClickTreeItem(m_panel->ItemOf(a));
    m_panel->MoveUp(); // the first child
    QCOMPARE(a->Parent()->ChildAt(0), a);
    m_panel->MoveDown();
    QCOMPARE(a->Parent()->ChildAt(1), a);
    QCOMPARE(m_panel->ItemOf(b)->parent()->indexOfChild(m_panel->ItemOf(a)), 1);

    m_panel->SetMode(CResourceDlg::kModeImage);
    m_panel->ImageList()->SetCurrentRow(0);
    m_panel->MoveUp(); // the first image definition
    QCOMPARE(project.Images().At(0)->Name(), std::string("IB"));
    m_panel->MoveDown();
    QCOMPARE(project.Images().At(1)->Name(), std::string("IB"));
    QCOMPARE(m_panel->ImageList()->GetCurrentRow(), 1);
}

void ResourcePanelTest::GroupingKeepsPlacesAndUngroupRefusesWhatCannotBeUngrouped()
{
    MakeBasics();
    CObjectDataList *root = m_frame->Project().Dialogs().At(0)->RootGroup();
    CObjectData *a = AddObject(kTypeText);
    CObjectData *b = AddObject(kTypeText);
    a->SetPosition(30, 40);
    b->SetPosition(100, 10);
    m_panel->ClickTreeItem(m_panel->ItemOf(b));
    m_panel->GroupOrUngroup();
    b->Parent()->SetPosition(150, 30); // the group moved, b with it
    // a (in the root) and b (in the group) grouped together stay where they are on the canvas.
    m_panel->ClickTreeItem(m_panel->ItemOf(a));
    m_panel->ClickTreeItem(m_panel->ItemOf(b), Qt::ControlModifier);
    QCOMPARE(root->CountSelected(), 2);
    m_panel->GroupOrUngroup();
    QCOMPARE(a->Parent(), b->Parent());
    QCOMPARE(QPoint(a->AbsoluteX(), a->AbsoluteY()), QPoint(30, 40));
    QCOMPARE(QPoint(b->AbsoluteX(), b->AbsoluteY()), QPoint(150, 30));

    // An empty group (a file may hold one) and the root group are refused.
    auto *empty = static_cast<CObjectDataList *>(root->CreateChild(kTypeGroup, "Empty"));
    m_panel->Refresh();
    m_panel->SetMode(CResourceDlg::kModeObject);
    m_panel->ClickObjectRow(m_panel->ObjectList()->RowOf(empty));
    m_panel->GroupOrUngroup();
    QCOMPARE(Last(m_messages), std::string("エラー: デフォルトグループはグループ解除できません."));
    QCOMPARE(empty->Parent(), root);
    m_messages.Clear();
    m_panel->ClickObjectRow(0);
    m_panel->GroupOrUngroup();
    QCOMPARE(Last(m_messages), std::string("エラー: デフォルトグループはグループ解除できません."));
}

void ResourcePanelTest::ListsShowTheModel()
{
    MakeBasics();
    CObjectData *text = AddObject(kTypeText);
    text->SetPosition(7, 9);
    text->SetText("\x82\xa0"); // あ in CP932
    m_panel->ClickTreeItem(m_panel->ItemOf(text));
    m_panel->GroupOrUngroup();
    CObjectData *group = text->Parent();
    group->SetPosition(3, 1);
    m_panel->SetMode(CResourceDlg::kModeObject);
    CResourceListView *objects = m_panel->ObjectList();
    QCOMPARE(objects->model()->rowCount(), 3);
    QCOMPARE(Cell(objects, 0, 0), QStringLiteral("+OGROOT"));
    QCOMPARE(Cell(objects, 1, 0), QStringLiteral(" +OGROUP0"));
    QCOMPARE(Cell(objects, 2, 0), QStringLiteral("  +OT"));
    QCOMPARE(Cell(objects, 2, 1), QStringLiteral("あ"));
    QCOMPARE(Cell(objects, 2, 2), QStringLiteral("3")); // the group's place: the text is at 0, 0
    text->SetWidth(-1);
    QCOMPARE(Cell(objects, 2, 4), QStringLiteral("--"));
    // The selected object of the current row is white on red, others red on white.
    m_panel->ClickObjectRow(2);
    const QModelIndex current = objects->model()->index(2, 0);
    QCOMPARE(current.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 0, 0));
    QCOMPARE(current.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::white));

    CProjectContext &project = m_frame->Project();
    project.Fonts().At(0)->SetEffect(3);
    m_panel->SetMode(CResourceDlg::kModeFont);
    QCOMPARE(Cell(m_panel->FontList(), 0, 3), QStringLiteral("Sha.+Out."));
    QCOMPARE(Cell(m_panel->FontList(), 0, 4), QStringLiteral("OFF"));
    m_panel->SetMode(CResourceDlg::kModeImage);
    m_panel->AddType(1 + 2);
    QCOMPARE(Cell(m_panel->ImageList(), 2, 0), QStringLiteral("Frame\nIF"));
}

void ResourcePanelTest::AddingNeedsDefinitions()
{
    m_panel->SetMode(CResourceDlg::kModeDialog);
    m_panel->AddDialog();
    CObjectDataList *root = m_frame->Project().Dialogs().At(0)->RootGroup();
    m_panel->AddType(1 + kTypeButton);
    QCOMPARE(Last(m_messages), std::string("イメージ情報が登録されていません"));
    m_panel->AddType(1 + kTypeText);
    QCOMPARE(Last(m_messages), std::string("フォント情報が１つも登録されていません"));
    m_panel->SetMode(CResourceDlg::kModeImage);
    m_panel->AddType(1 + 0);
    QCOMPARE(Last(m_messages), std::string("フォント情報が１つも登録されていません"));
    QCOMPARE(root->ChildCount(), 0);
    QVERIFY(m_frame->Project().Images().IsEmpty());
    // A picture needs nothing.
    m_panel->SetMode(CResourceDlg::kModeObject);
    m_panel->AddType(1 + kTypePicture);
    QCOMPARE(root->ChildCount(), 1);
    QCOMPARE(root->ChildAt(0)->Height(), 20);
}

void ResourcePanelTest::RandomCommandsKeepAProjectThatLoadsBack()
{
    QVERIFY(m_frame->LoadProject(QStringLiteral(KX_DEMO_PROJECT)));
    m_messages.Clear();
    QTemporaryDir folder;
    CProjectContext &project = m_frame->Project();
    int edits = 0;
    connect(&m_frame->Documents(), &CDocumentSet::DocumentChanged, this,
        [&edits](CKXDialogEditorDoc *, int what) { edits += what != kChangeSelection; });
    connect(&m_frame->Documents(), &CDocumentSet::ResourcesChanged, this, [&edits] { ++edits; });
    std::mt19937 random(11);
    const auto pick = [&](int n) { return n > 0 ? static_cast<int>(random() % n) : 0; };
    for (int step = 1; step <= 2000; ++step) {
        const int mode = pick(5);
        m_panel->SetMode(mode == 0 ? CResourceDlg::kModeDialog : mode);
        if (m_panel->Mode() == CResourceDlg::kModeObject) {
            m_panel->ClickObjectRow(pick(m_panel->ObjectList()->model()->rowCount()),
                pick(4) == 0 ? Qt::ControlModifier : Qt::NoModifier);
        } else if (m_panel->Mode() == CResourceDlg::kModeDialog) {
            QTreeWidgetItem *root = m_panel->Tree()->topLevelItem(0);
            QTreeWidgetItem *item = root->child(pick(root->childCount()));
            while (item->childCount() > 0 && pick(3) != 0)
                item = item->child(pick(item->childCount()));
            m_panel->ClickTreeItem(item, pick(4) == 0 ? Qt::ControlModifier : Qt::NoModifier);
        }
        switch (pick(9)) {
        case 0:
            m_panel->MoveUp();
            break;
        case 1:
            m_panel->MoveDown();
            break;
        case 2:
            m_panel->Delete();
            break;
        case 3:
            m_panel->GroupOrUngroup();
            break;
        case 4:
            m_panel->AddType(1 + pick(m_panel->AddCombo()->count() - 1));
            break;
        case 5:
            m_panel->Add();
            break;
        case 6:
            m_panel->Properties()->NameEdit()->setText(QStringLiteral("N%1").arg(pick(50)));
            m_panel->Rename();
            break;
        default:
            // Undo through the history of the dialog shown.
            if (CKXDialogEditorDoc *document = m_frame->Documents().For(m_panel->CurrentDialog()))
                document->Undo();
            break;
        }
        if (step % 100 == 0) {
            std::string problem;
            QVERIFY2(SavesAndLoadsBack(project, folder.path(), &problem),
                (QStringLiteral("step %1: ").arg(step) + QString::fromStdString(problem))
                    .toUtf8()
                    .constData());
        }
    }
    QVERIFY2(edits > 700, qPrintable(QStringLiteral("only %1 edits").arg(edits)));
}

QTEST_MAIN(ResourcePanelTest)
#include "resource_panel_test.moc"
