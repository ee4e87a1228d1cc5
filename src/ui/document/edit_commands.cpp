#include "ui/document/edit_commands.h"

#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "projectfile/clipboard_text.h"
#include "projectfile/project_writer.h"
#include "ui/canvas/arrange.h"
#include "ui/document/document_set.h"
#include "ui/document/step_texts.h"
#include "ui/support/qt_text.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include <optional>

CEditCommands::CEditCommands(CProjectContext &project, CDocumentSet &documents,
    kx::IMessageSink &messages, Context context, QObject *parent)
    : QObject(parent)
    , m_project(project)
    , m_documents(documents)
    , m_messages(messages)
    , m_context(std::move(context))
{
    m_undo = MakeAction(
        {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    m_redo = MakeAction({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    m_cut = MakeAction(
        {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    m_copy
        = MakeAction({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    m_paste = MakeAction(
        {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    m_delete = MakeAction({QKeySequence(Qt::Key_Delete)});
    m_selectAll = MakeAction({QKeySequence(Qt::CTRL | Qt::Key_A)});
    connect(m_undo, &QAction::triggered, this, &CEditCommands::Undo);
    connect(m_redo, &QAction::triggered, this, &CEditCommands::Redo);
    connect(m_cut, &QAction::triggered, this, &CEditCommands::Cut);
    connect(m_copy, &QAction::triggered, this, &CEditCommands::Copy);
    connect(m_paste, &QAction::triggered, this, &CEditCommands::Paste);
    connect(m_delete, &QAction::triggered, this, &CEditCommands::DeleteFocused);
    connect(m_selectAll, &QAction::triggered, this, &CEditCommands::SelectAll);
    for (int kind = kAlignLeft; kind <= kAlignHeight; ++kind) {
        QAction *action = MakeAction({});
        connect(action, &QAction::triggered, this, [this, kind] { Align(kind); });
        m_align.append(action);
    }
    for (int command = 0; command < kArrangeCount; ++command) {
        QAction *action = MakeAction({});
        connect(action, &QAction::triggered, this, [this, command] { ArrangeSelection(command); });
        m_arrange.append(action);
    }
    m_front = MakeAction({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_BracketRight)});
    m_back = MakeAction({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_BracketLeft)});
    connect(m_front, &QAction::triggered, this, &CEditCommands::BringToFront);
    connect(m_back, &QAction::triggered, this, &CEditCommands::SendToBack);
    RetranslateUi();
    connect(&m_documents, &CDocumentSet::DocumentChanged, this, &CEditCommands::UpdateActions);
    connect(&m_documents, &CDocumentSet::ResourcesChanged, this, &CEditCommands::UpdateActions);
    connect(
        QApplication::clipboard(), &QClipboard::dataChanged, this, &CEditCommands::UpdateActions);
    UpdateActions();
}

void CEditCommands::RetranslateUi()
{
    m_undo->setText(tr("元に戻す(&U)"));
    m_redo->setText(tr("やり直し(&R)"));
    m_cut->setText(tr("切り取り(&T)"));
    m_copy->setText(tr("コピー(&C)"));
    m_paste->setText(tr("貼り付け(&P)"));
    m_delete->setText(tr("削除"));
    m_selectAll->setText(tr("すべて選択"));
    // In the order of AlignEdgeKind.
    static const char *const kAlignTexts[] = {QT_TR_NOOP("整列左"), QT_TR_NOOP("整列右"),
        QT_TR_NOOP("整列上"), QT_TR_NOOP("整列下"), QT_TR_NOOP("整列幅"), QT_TR_NOOP("整列高")};
    for (int kind = kAlignLeft; kind <= kAlignHeight; ++kind)
        m_align.at(kind)->setText(tr(kAlignTexts[kind]));
    // In the order of Arrange.
    static const char *const kArrangeTexts[] = {QT_TR_NOOP("左右に整列（間隔を均等に）"),
        QT_TR_NOOP("上下に整列（間隔を均等に）"), QT_TR_NOOP("幅を最初の選択に揃える"),
        QT_TR_NOOP("高さを最初の選択に揃える"), QT_TR_NOOP("サイズを最初の選択に揃える")};
    for (int command = 0; command < kArrangeCount; ++command)
        m_arrange.at(command)->setText(tr(kArrangeTexts[command]));
    m_front->setText(tr("最前面へ移動"));
    m_back->setText(tr("最背面へ移動"));
    // Undo and redo name their steps.
    UpdateActions();
}

QAction *CEditCommands::MakeAction(std::initializer_list<QKeySequence> keys)
{
    auto *action = new QAction(this);
    action->setShortcuts(QList<QKeySequence>(keys));
    return action;
}

CKXDialogData *CEditCommands::ActiveDialog() const
{
    CKXDialogEditorDoc *document = m_context.activeDocument();
    return document ? document->Dialog() : nullptr;
}

KXClass *CEditCommands::AlignReference() const
{
    if (m_context.panelTab() != PanelTab::Dialogs)
        return nullptr;
    KXClass *resource = m_context.panelResource();
    return resource && resource->Kind() == kKindObject ? resource : nullptr;
}

CKXDialogData *CEditCommands::PanelDialog() const
{
    if (m_context.panelTab() != PanelTab::Dialogs
        || (m_context.canvasHasFocus && m_context.canvasHasFocus()))
        return nullptr;
    KXClass *resource = m_context.panelResource();
    return resource && resource->Kind() == kKindDialog ? static_cast<CKXDialogData *>(resource)
                                                       : nullptr;
}

void CEditCommands::UpdateActions()
{
    CKXDialogEditorDoc *document = m_context.activeDocument();
    CKXDialogData *dialog = document ? document->Dialog() : nullptr;
    m_undo->setEnabled(m_documents.CanUndo(document));
    m_redo->setEnabled(m_documents.CanRedo(document));
    // The commands say what they would undo and redo.
    const std::optional<kx::StepLabel> undo = m_documents.UndoLabel(document);
    const std::optional<kx::StepLabel> redo = m_documents.RedoLabel(document);
    m_undo->setText(
        undo ? tr("%1 を元に戻す(&U)").arg(kx::ui::StepText(*undo)) : tr("元に戻す(&U)"));
    m_redo->setText(
        redo ? tr("%1 をやり直し(&R)").arg(kx::ui::StepText(*redo)) : tr("やり直し(&R)"));
    const PanelTab tab = m_context.panelTab();
    const KXClass *resource = m_context.panelResource();
    const bool definition
        = resource && (resource->Kind() == kKindImage || resource->Kind() == kKindFont);
    const bool selection = dialog && dialog->RootGroup()->CountSelected() > 0;
    const bool copyable
        = tab == PanelTab::Definitions ? definition : selection || PanelDialog() != nullptr;
    m_copy->setEnabled(copyable);
    m_cut->setEnabled(copyable);
    const QMimeData *data = QApplication::clipboard()->mimeData();
    m_paste->setEnabled(
        data && data->hasText() && (tab == PanelTab::Definitions || dialog != nullptr));
    m_delete->setEnabled(selection || (m_context.panelHasFocus && m_context.panelHasFocus()));
    m_selectAll->setEnabled(dialog && dialog->RootGroup()->ChildCount() > 0);
    const bool align = AlignReference() != nullptr;
    for (QAction *action : m_align)
        action->setEnabled(align);
    const int top = dialog ? static_cast<int>(kx::TopSelected(*dialog->RootGroup()).size()) : 0;
    m_arrange.at(kDistributeHorizontally)->setEnabled(top >= 3);
    m_arrange.at(kDistributeVertically)->setEnabled(top >= 3);
    for (int command = kSameWidth; command <= kSameSize; ++command)
        m_arrange.at(command)->setEnabled(selection && dialog->RootGroup()->CountSelected() >= 2);
    m_front->setEnabled(selection);
    m_back->setEnabled(selection);
}

void CEditCommands::Reselect(CKXDialogEditorDoc *document, KXClass *current)
{
    document->SetCurrent(current ? current : document->Dialog());
    document->Notify(kChangeSelection);
}

void CEditCommands::Undo()
{
    if (m_context.finishEditing)
        m_context.finishEditing();
    m_documents.Undo(m_context.activeDocument());
    UpdateActions();
}

void CEditCommands::Redo()
{
    if (m_context.finishEditing)
        m_context.finishEditing();
    m_documents.Redo(m_context.activeDocument());
    UpdateActions();
}

void CEditCommands::Copy()
{
    QString text;
    if (m_context.panelTab() == PanelTab::Definitions) {
        // A definition travels as its own element of the project file.
        const KXClass *resource = m_context.panelResource();
        if (resource && resource->Kind() == kKindFont)
            text = kx::ui::FromUtf8(
                kx::FormatFontElement(static_cast<const CFontData &>(*resource)));
        else if (resource && resource->Kind() == kKindImage)
            text = kx::ui::FromUtf8(
                kx::FormatImageElement(static_cast<const CImageData &>(*resource)));
    } else if (const CKXDialogData *shown = PanelDialog()) {
        // The dialog the panel shows goes whole, with its objects.
        text = kx::ui::FromUtf8(kx::FormatDialogElement(*shown, m_project.Images()));
    } else if (CKXDialogData *dialog = ActiveDialog()) {
        text = kx::ui::FromModelText(
            kx::FormatSelectionText(*dialog->RootGroup(), &m_project.Images()));
    }
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

void CEditCommands::Cut()
{
    Copy();
    // Definitions and dialogs go as the panel deletes them, objects as the canvas selection.
    if (m_context.panelTab() == PanelTab::Definitions || PanelDialog())
        m_context.panelCut();
    else if (m_context.panelTab() == PanelTab::Dialogs)
        RemoveSelection(kx::StepAction::Cut);
}

void CEditCommands::Paste()
{
    const QString text = QApplication::clipboard()->text();
    if (text.isEmpty() || !HoldsPastable(text))
        return;
    if (m_context.panelTab() == PanelTab::Definitions) {
        PasteDefinitions(text);
        return;
    }
    if (kx::IsDialogText(kx::ui::ToUtf8(text))) {
        PasteDialog(text);
        return;
    }
    PasteObjects(std::nullopt);
}

void CEditCommands::PasteAt(const QPoint &canvasPoint)
{
    const QString text = QApplication::clipboard()->text();
    if (text.isEmpty() || !HoldsPastable(text) || kx::IsDialogText(kx::ui::ToUtf8(text)))
        return;
    PasteObjects(canvasPoint);
}

bool CEditCommands::HoldsPastable(const QString &text)
{
    // Words or another program's markup would only reach the reader as a syntax error.
    if (kx::ClipboardTextContent(kx::ui::ToUtf8(text)) != kx::ClipboardContent::None)
        return true;
    m_messages.ShowMessage(kx::ui::ToUtf8(tr("クリップボードにオブジェクトがありません")),
        kx::MessageIcon::Information);
    return false;
}

void CEditCommands::PasteObjects(std::optional<QPoint> at)
{
    const QString text = QApplication::clipboard()->text();
    CKXDialogEditorDoc *document = m_context.activeDocument();
    CKXDialogData *dialog = document ? document->Dialog() : nullptr;
    if (!dialog)
        return;
    CObjectDataList *pasted
        = kx::PasteSelectionText(kx::ui::ToModelText(text), *dialog, m_project, m_messages);
    if (!pasted)
        return;
    PlacePasted(*dialog, *pasted, at);
    KXClass *current = pasted->FindSelected();
    if (pasted->ChildCount() == 1) {
        // One object needs no group of its own; the group was never part of the history.
        CObjectData *only = pasted->Ungroup();
        kx::DeleteTree(pasted);
        dialog->RootGroup()->DeselectAll();
        only->SetSelected(true);
        current = only;
    }
    document->SetCurrent(current);
    document->Commit(
        kChangeTree | kChangeSelection, {kx::StepAction::Paste, kx::StepSubject::Objects, {}});
}

void CEditCommands::PasteDefinitions(const QString &text)
{
    const auto fonts = kx::OrderOf(m_project.Fonts());
    const auto images = kx::OrderOf(m_project.Images());
    const int added = kx::PasteDefinitionText(kx::ui::ToUtf8(text), m_project, m_messages);
    if (added <= 0)
        return;
    const bool font = m_project.Fonts().Count() != static_cast<int>(fonts.size());
    kx::StepLabel label {
        kx::StepAction::Paste, font ? kx::StepSubject::Font : kx::StepSubject::Image, {}};
    if (added == 1)
        label.name = font ? m_project.Fonts().At(m_project.Fonts().Count() - 1)->Name()
                          : m_project.Images().At(m_project.Images().Count() - 1)->Name();
    auto step = std::make_unique<kx::ProjectStep>(m_project, label);
    if (font)
        step->ListChanged(fonts);
    else
        step->ListChanged(images);
    m_documents.CommitProject(std::move(step), font ? kChangeFonts : kChangeImages);
}

void CEditCommands::PasteDialog(const QString &text)
{
    const auto order = kx::OrderOf(m_project.Dialogs());
    CKXDialogData *dialog = kx::PasteDialogText(kx::ui::ToUtf8(text), m_project, m_messages);
    if (!dialog)
        return;
    m_documents.StartHistory(*dialog);
    auto step = std::make_unique<kx::ProjectStep>(
        m_project, kx::StepLabel {kx::StepAction::Paste, kx::StepSubject::Dialog, dialog->Name()});
    step->ListChanged(order);
    m_documents.CommitProject(std::move(step), kChangeDialogs);
    if (m_context.showResource)
        m_context.showResource(dialog);
}

void CEditCommands::DeleteFocused()
{
    if (m_context.panelHasFocus && m_context.panelHasFocus())
        m_context.panelDelete();
    else
        DeleteSelection();
}

void CEditCommands::DeleteSelection()
{
    RemoveSelection(kx::StepAction::Delete);
}

void CEditCommands::RemoveSelection(kx::StepAction action)
{
    CKXDialogEditorDoc *document = m_context.activeDocument();
    CKXDialogData *dialog = document ? document->Dialog() : nullptr;
    if (!dialog)
        return;
    const std::vector<CObjectData *> doomed = kx::TopSelected(*dialog->RootGroup());
    if (doomed.empty())
        return;
    CObjectData *next = nullptr;
    for (CObjectData *object : doomed)
        next = CObjectDataList::RemoveWithEmptyAncestors(object);
    dialog->RootGroup()->DeselectAll();
    if (next && next != dialog->RootGroup())
        next->SetSelected(true);
    document->SetCurrent(
        next && next != dialog->RootGroup() ? static_cast<KXClass *>(next) : dialog);
    document->Commit(kChangeTree | kChangeSelection, {action, kx::StepSubject::Objects, {}});
}

void CEditCommands::SelectAll()
{
    CKXDialogEditorDoc *document = m_context.activeDocument();
    CKXDialogData *dialog = document ? document->Dialog() : nullptr;
    if (!dialog || dialog->RootGroup()->ChildCount() == 0)
        return;
    dialog->RootGroup()->SetSelected(true);
    Reselect(document, dialog->RootGroup()->FindSelected());
}

void CEditCommands::Align(int kind)
{
    auto *reference = static_cast<CObjectData *>(AlignReference());
    if (!reference)
        return;
    const CObjectData *top = reference;
    while (top->Parent())
        top = top->Parent();
    CKXDialogData *dialog = nullptr;
    for (const auto &candidate : m_project.Dialogs()) {
        if (candidate->RootGroup() == top)
            dialog = candidate.get();
    }
    if (!dialog)
        return;
    CObjectDataList *root = dialog->RootGroup();
    const int width = kx::Nearest(reference->Width() * reference->PreviewScaleX());
    const int height = kx::Nearest(reference->Height() * reference->PreviewScaleY());
    int value = 0;
    switch (kind) {
    case kAlignLeft:
        value = reference->AbsoluteX();
        break;
    case kAlignRight:
        value = reference->AbsoluteX() + width;
        break;
    case kAlignTop:
        value = reference->AbsoluteY();
        break;
    case kAlignBottom:
        value = reference->AbsoluteY() + height;
        break;
    case kAlignWidth:
        value = width;
        break;
    case kAlignHeight:
        value = height;
        break;
    default:
        return;
    }
    root->AlignEdge(kind, value);
    m_documents.For(dialog)->Commit(
        kChangeGeometry, {kx::StepAction::Align, kx::StepSubject::Objects, {}});
}
