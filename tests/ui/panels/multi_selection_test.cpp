// The property fields of several selected objects on a real main window: the fields all of them
// have, values that differ shown empty (a check box half checked), and a commit that sets the
// one field on every object as one step of the history, undone as one.
#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "platform/message_sink.h"
#include "ui/app/main_frame.h"
#include "ui/app/unsaved_changes.h"
#include "ui/canvas/kx_dialog_editor_view.h"
#include "ui/document/edit_commands.h"
#include "ui/panels/property_controls.h"
#include "ui/panels/resource_dlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QTest>

namespace {

void Click(QWidget *view, const QPoint &at, Qt::KeyboardModifiers keys = Qt::NoModifier)
{
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, QPointF(at), view->mapToGlobal(QPointF(at)), Qt::LeftButton,
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, keys);
        QApplication::sendEvent(view, &event);
    }
}

void Type(QLineEdit *edit, const QString &text)
{
    edit->setText(text);
    edit->setModified(true);
    emit edit->editingFinished();
}

} // namespace

class MultiSelectionTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void MixedValuesShowEmptyAndACommitSetsAllInOneStep();
    void TheFieldsAreThoseAllObjectsHave();

private:
    CObjectData *Add(int type, const char *name, int x, int y, int w, int h, const char *colour)
    {
        CObjectData *o = m_dialog->RootGroup()->CreateChild(type, name);
        o->SetPosition(x, y);
        o->SetWidth(w);
        o->SetHeight(h);
        o->SetTextCol(colour);
        return o;
    }
    CPropertyPanel &Panel() const { return *m_frame->ResourcePanel()->Properties(); }
    const CPropertyPanel::Widgets &Fields() const { return Panel().Controls(); }
    int Steps() const { return m_dialog->History().Index(); }
    void SelectTexts();

    CMainFrame *m_frame = nullptr;
    CKXDialogEditorView *m_view = nullptr;
    CKXDialogData *m_dialog = nullptr;
    std::vector<CObjectData *> m_texts;
    kx::RecordingMessageSink m_messages;
};

void MultiSelectionTest::init()
{
    m_frame = new CMainFrame;
    m_frame->SetMessageSink(&m_messages);
    m_frame->Questions().saveChanges
        = [](QWidget *, const QString &) { return kx::ui::SaveChoice::Discard; };
    m_frame->show();
    m_view = m_frame->NewDialogWindow();
    QVERIFY(m_view);
    m_dialog = m_view->Dialog();
    m_texts = {Add(kTypeText, "OTA", 10, 10, 40, 20, "RED"),
        Add(kTypeText, "OTB", 60, 30, 40, 20, "BLUE"),
        Add(kTypeText, "OTC", 120, 50, 50, 20, "RED")};
    m_texts[0]->SetClick(true);
    m_texts[1]->SetClick(true);
    m_view->Document()->Commit(kChangeTree);
    SelectTexts();
}

void MultiSelectionTest::SelectTexts()
{
    Click(m_view, {400, 400});
    Click(m_view, {20, 20});
    Click(m_view, {70, 40}, Qt::ShiftModifier);
    Click(m_view, {130, 60}, Qt::ShiftModifier);
    QCoreApplication::processEvents();
}

void MultiSelectionTest::cleanup()
{
    delete m_frame;
    m_frame = nullptr;
}

void MultiSelectionTest::MixedValuesShowEmptyAndACommitSetsAllInOneStep()
{
    QVERIFY(Panel().ShowsSelection());
    QCOMPARE(Panel().Selection().size(), std::size_t {3});
    // What they share is shown; the position is the corner of what they cover.
    QVERIFY(!Fields().name->isEnabled());
    QCOMPARE(Fields().name->text(), QString());
    QCOMPARE(Fields().x->text(), QStringLiteral("10"));
    QCOMPARE(Fields().y->text(), QStringLiteral("10"));
    QCOMPARE(Fields().height->text(), QStringLiteral("20"));
    QCOMPARE(Fields().width->text(), QString());
    QVERIFY(Panel().IsMixed(Fields().width));
    QCOMPARE(Fields().click->checkState(), Qt::PartiallyChecked);
    QCOMPARE(Fields().colour->currentIndex(), -1);
    QVERIFY(!Panel().IsMixed(Fields().text));

    // A click on the half-checked box: every object's Click on, one step, one undo.
    int before = Steps();
    Fields().click->click();
    for (const CObjectData *text : m_texts)
        QVERIFY(text->Click());
    QCOMPARE(Steps(), before + 1);
    QCOMPARE(Fields().click->checkState(), Qt::Checked);
    m_frame->EditCommands().Undo();
    QVERIFY(!m_texts[2]->Click());
    QVERIFY(m_texts[0]->Click());
    SelectTexts();
    QCOMPARE(Fields().click->checkState(), Qt::PartiallyChecked);

    // A mixed field left empty changes nothing; a number typed there goes to all.
    before = Steps();
    Type(Fields().width, QString());
    QCOMPARE(Steps(), before);
    QCOMPARE(m_texts[2]->Width(), 50);
    Type(Fields().width, QStringLiteral("45"));
    for (const CObjectData *text : m_texts)
        QCOMPARE(text->Width(), 45);
    QCOMPARE(Steps(), before + 1);

    // The position moves the selection as a whole.
    Type(Fields().x, QStringLiteral("30"));
    QCOMPARE(m_texts[0]->GetRect().left, 30);
    QCOMPARE(m_texts[1]->GetRect().left, 80);
    QCOMPARE(m_texts[2]->GetRect().left, 140);
    QCOMPARE(m_texts[2]->GetRect().top, 50);
    QCOMPARE(Steps(), before + 2);

    // A colour chosen in the empty combo, and a text: each one field, each one step.
    const int blue = 1;
    Fields().colour->setCurrentIndex(blue);
    emit Fields().colour->activated(blue);
    const std::string chosen = m_texts[0]->TextCol();
    for (const CObjectData *text : m_texts)
        QCOMPARE(text->TextCol(), chosen);
    Type(Fields().text, QStringLiteral("Hi"));
    for (const CObjectData *text : m_texts)
        QCOMPARE(text->Text(), std::string("Hi"));
    QCOMPARE(Steps(), before + 4);
    m_frame->EditCommands().Undo();
    QCOMPARE(m_texts[1]->Text(), std::string());
    m_frame->EditCommands().Undo();
    QCOMPARE(m_texts[1]->TextCol(), std::string("BLUE"));
    QCOMPARE(m_texts[0]->TextCol(), std::string("RED"));
}

void MultiSelectionTest::TheFieldsAreThoseAllObjectsHave()
{
    CObjectData *button = Add(kTypeButton, "OBA", 200, 10, 40, 20, "BLACK");
    m_view->Document()->Commit(kChangeTree);
    Click(m_view, {210, 20}, Qt::ShiftModifier);
    QCOMPARE(Panel().Selection().size(), std::size_t {4});
    QVERIFY(button->IsSelected());
    // Texts and a button share their text and layout, not a text's colours or a button's
    // picture and push click; the height of a button comes from its picture.
    QVERIFY(Panel().IsFieldShown(CPropertyPanel::kText));
    QVERIFY(Panel().IsFieldShown(CPropertyPanel::kClick));
    QVERIFY(Panel().IsFieldShown(CPropertyPanel::kPosition));
    QVERIFY(!Panel().IsFieldShown(CPropertyPanel::kColour));
    QVERIFY(!Panel().IsFieldShown(CPropertyPanel::kImage));
    QVERIFY(!Panel().IsFieldShown(CPropertyPanel::kPushClick));
    QVERIFY(!Panel().IsFieldShown(CPropertyPanel::kParentOrigin));
    QVERIFY(Fields().height->isReadOnly());

    // Back to one object: its own fields again.
    Click(m_view, {400, 400});
    Click(m_view, {20, 20});
    QVERIFY(!Panel().ShowsSelection());
    QVERIFY(Panel().IsFieldShown(CPropertyPanel::kColour));
    QCOMPARE(Fields().name->text(), QStringLiteral("OTA"));
    QCOMPARE(Fields().click->checkState(), Qt::Checked);
    QVERIFY(!Fields().click->isTristate());
}

QTEST_MAIN(MultiSelectionTest)
#include "multi_selection_test.moc"
