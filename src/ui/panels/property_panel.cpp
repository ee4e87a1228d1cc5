#include "ui/panels/property_panel.h"

#include "model/font_data.h"
#include "model/image_data.h"
#include "model/kx_dialog_data.h"
#include "model/kx_resource_data.h"
#include "model/object_data_list.h"
#include "model/picture.h"
#include "model/project_context.h"
#include "model/vocabulary.h"
#include "render/freetype_font.h"
#include "render/surface.h"
#include "ui/app/unsaved_changes.h"
#include "ui/document/document_set.h"
#include "ui/panels/bmp_combo_box.h"
#include "ui/panels/font_list_ctrl.h"
#include "ui/panels/property_controls.h"
#include "ui/support/qt_text.h"
#include "ui/support/vocabulary_texts.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

bool IsFramed(int type)
{
    return type == kTypeButton || type == kTypeEditbox || type == kTypeFrame;
}

bool IsPicture(int type)
{
    return type == kTypePicture || type == kTypeIcon || type == kTypeMovie;
}

// Puts the text into an edit, unless the user is typing there: what they type is theirs until
// they leave the field.
void Put(QLineEdit *edit, const QString &text)
{
    if (edit->hasFocus() && edit->isModified())
        return;
    if (edit->text() != text)
        edit->setText(text);
    edit->setModified(false);
}

void Put(CIntEdit *edit, int value)
{
    if (edit->hasFocus() && edit->isModified())
        return;
    edit->SetValue(value);
}

void Put(QCheckBox *box, bool on)
{
    box->setTristate(false);
    box->setChecked(on);
}

QComboBox *WordCombo(const kx::WordTable &table, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    for (int i = 0; i < table.Count(); ++i)
        combo->addItem(QString());
    return combo;
}

// The words of the table as the combo shows them, in the language installed now.
void NameWords(QComboBox *combo, const kx::WordTable &table)
{
    for (int i = 0; i < table.Count() && i < combo->count(); ++i)
        combo->setItemText(i, kx::ui::VocabularyText(table.Word(i)));
}

} // namespace

CPropertyPanel::CPropertyPanel(
    CProjectContext &project, CDocumentSet &documents, kx::IMessageSink &messages, QWidget *parent)
    : QWidget(parent)
    , m_project(project)
    , m_documents(documents)
    , m_messages(messages)
    , m_ownQuestions(std::make_unique<kx::ui::EditorQuestions>())
    , m_questions(m_ownQuestions.get())
{
    CreateControls();
    ConnectCommits();
    Show(PropertyKind::None, nullptr);
}

CPropertyPanel::~CPropertyPanel() = default;

void CPropertyPanel::SetQuestions(kx::ui::EditorQuestions *questions)
{
    m_questions = questions ? questions : m_ownQuestions.get();
}

CPropertyPanel::Row &CPropertyPanel::AddRow(QGridLayout *grid, const char *label)
{
    Row &row = m_rows.emplace_back();
    row.text = label;
    row.label = new QLabel(this);
    row.box = new QWidget(this);
    auto *layout = new QHBoxLayout(row.box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    const int at = grid->rowCount();
    grid->addWidget(row.label, at, 0);
    grid->addWidget(row.box, at, 1);
    return row;
}

void CPropertyPanel::Place(Row &row, Field field, std::initializer_list<QWidget *> controls)
{
    auto *layout = static_cast<QHBoxLayout *>(row.box->layout());
    for (QWidget *control : controls) {
        control->setParent(row.box);
        // Texts and names take the room there is; numbers and choices keep their size.
        const bool wide = qobject_cast<QLineEdit *>(control) && !qobject_cast<CIntEdit *>(control);
        layout->addWidget(control, wide ? 1 : 0);
        m_fieldControls[field].push_back(control);
    }
    row.fields.push_back(field);
}

void CPropertyPanel::CreateControls()
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(3, 3, 3, 3);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(1, 1);

    const auto number = [this](int width = 48) {
        auto *edit = new CIntEdit(this);
        edit->setMaximumWidth(width);
        connect(edit, &CIntEdit::Rejected, this, [this, edit] { RejectNumber(edit); });
        return edit;
    };
    const auto check = [this] { return new QCheckBox(this); };
    const auto readOnly = [&number] {
        CIntEdit *edit = number();
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        edit->SetRange(INT_MIN, INT_MAX);
        return edit;
    };

    m_w.type = new QLabel(this);
    m_w.name = new QLineEdit(this);
    m_w.attr = WordCombo(kx::ObjectStates(), this);
    m_w.click = check();
    m_w.pushClick = check();
    m_w.pushTime = number();
    m_w.pushTime->SetRange(0, INT_MAX);
    m_w.repeat = check();
    m_w.radio = check();
    m_w.x = number();
    m_w.y = number();
    m_w.parentX = readOnly();
    m_w.parentY = readOnly();
    m_w.width = number();
    m_w.height = number();
    m_w.sizePreset = new QComboBox(this);
    m_w.sizePreset->addItems({QString(), QStringLiteral("160x120"), QStringLiteral("200x120"),
        QStringLiteral("320x240 [QVGA]"), QStringLiteral("400x240 [WQVGA]"),
        QStringLiteral("480x360"), QStringLiteral("640x480 [VGA]")});
    m_w.lock = check();
    m_w.hide = check();
    m_w.bold = check();
    m_w.boldEffect = check();
    m_w.effect = new QComboBox(this);
    for (int effect = 0; effect < kx::FontEffects().Count(); ++effect)
        m_w.effect->addItem(QString());
    m_w.colour = new CColourComboBox(this);
    m_w.subColour = new CColourComboBox(this);
    m_w.red = number(40);
    m_w.green = number(40);
    m_w.blue = number(40);
    for (CIntEdit *component : {m_w.red, m_w.green, m_w.blue})
        component->SetRange(0, 255);
    m_w.linespace = number();
    m_w.vertical = check();
    m_w.text = new QLineEdit(this);
    m_w.getText = check();
    m_w.file = new QLineEdit(this);
    m_w.browse = new QPushButton(this);
    m_w.image = new CBmpComboBox(m_project.Images(), this);
    m_w.font = new QComboBox(this);
    m_w.alignX = WordCombo(kx::AlignXWords(), this);
    m_w.alignY = WordCombo(kx::AlignYWords(), this);
    m_w.stretch = WordCombo(kx::StretchWords(), this);
    m_w.marginX = number();
    m_w.marginY = number();
    for (CIntEdit *edit : {m_w.linespace, m_w.marginX, m_w.marginY})
        edit->SetRange(-kCoordinateLimit, kCoordinateLimit);

    Row &type = AddRow(grid, QT_TR_NOOP("タイプ:"));
    Place(type, kType, {m_w.type});
    Row &name = AddRow(grid, QT_TR_NOOP("名前:"));
    Place(name, kName, {m_w.name});
    Place(name, kAttr, {m_w.attr});
    Row &flags = AddRow(grid, nullptr);
    Place(flags, kClick, {m_w.click});
    Place(flags, kPushClick, {m_w.pushClick});
    m_milliseconds = new QLabel(this);
    Place(flags, kPushTime, {m_w.pushTime, m_milliseconds});
    Row &position = AddRow(grid, QT_TR_NOOP("位置:"));
    Place(position, kPosition, {m_w.x, m_w.y});
    Place(position, kParentOrigin, {m_w.parentX, m_w.parentY});
    Row &size = AddRow(grid, QT_TR_NOOP("サイズ:"));
    Place(size, kWidth, {m_w.width});
    Place(size, kHeight, {m_w.height});
    Place(size, kSizePreset, {m_w.sizePreset});
    Row &switches = AddRow(grid, nullptr);
    Place(switches, kRepeat, {m_w.repeat});
    Place(switches, kRadio, {m_w.radio});
    Place(switches, kLock, {m_w.lock});
    Place(switches, kHide, {m_w.hide});
    Place(switches, kBold, {m_w.bold});
    Place(switches, kBoldEffect, {m_w.boldEffect});
    Place(switches, kEffect, {m_w.effect});
    Row &colours = AddRow(grid, QT_TR_NOOP("色:"));
    m_colourRow = &colours;
    Place(colours, kColour, {m_w.colour});
    Place(colours, kSubColour, {m_w.subColour});
    Place(colours, kComponents, {m_w.red, m_w.green, m_w.blue});
    Row &lines = AddRow(grid, QT_TR_NOOP("改行幅"));
    Place(lines, kLinespace, {m_w.linespace});
    Place(lines, kVertical, {m_w.vertical});
    Row &text = AddRow(grid, QT_TR_NOOP("テキスト:"));
    Place(text, kText, {m_w.text});
    Place(text, kGetText, {m_w.getText});
    Row &file = AddRow(grid, QT_TR_NOOP("ファイル:"));
    Place(file, kFile, {m_w.file, m_w.browse});
    Row &image = AddRow(grid, QT_TR_NOOP("イメージ:"));
    Place(image, kImage, {m_w.image});
    Row &font = AddRow(grid, QT_TR_NOOP("フォント:"));
    Place(font, kFont, {m_w.font});
    Row &align = AddRow(grid, QT_TR_NOOP("配置:"));
    Place(align, kAlign, {m_w.alignX, m_w.alignY});
    // The stretch has a row of its own, so that the panel stays narrow.
    Row &stretch = AddRow(grid, nullptr);
    Place(stretch, kStretch, {m_w.stretch});
    Row &margin = AddRow(grid, QT_TR_NOOP("マージン:"));
    Place(margin, kMargin, {m_w.marginX, m_w.marginY});

    static const char *const kStateLabels[kStateRowCount]
        = {QT_TR_NOOP("Nomal:"), QT_TR_NOOP("Disable:"), QT_TR_NOOP("Active:"),
            QT_TR_NOOP("Focus:"), QT_TR_NOOP("Push:"), QT_TR_NOOP("ActPush:")};
    for (int slot = 0; slot < kStateRowCount; ++slot) {
        StateRow &state = m_w.states[static_cast<std::size_t>(slot)];
        state.colour = new CColourComboBox(this);
        state.subColour = new CColourComboBox(this);
        state.file = new QLineEdit(this);
        state.browse = new QPushButton(this);
        Row &colours = AddRow(grid, kStateLabels[slot]);
        Place(colours, kStateRows, {state.colour, state.subColour});
        Row &file = AddRow(grid, nullptr);
        Place(file, kStateRows, {state.file, state.browse});
        m_stateRows[static_cast<std::size_t>(slot)] = {&colours, &file};
    }

    // Rows of numbers and choices keep them together at the left.
    for (Row &row : m_rows) {
        const auto edits = row.box->findChildren<QLineEdit *>();
        const bool wide = std::any_of(edits.begin(), edits.end(),
            [](QLineEdit *edit) { return !qobject_cast<CIntEdit *>(edit); });
        if (!wide)
            static_cast<QHBoxLayout *>(row.box->layout())->addStretch(1);
    }
    grid->setRowStretch(grid->rowCount(), 1);
    RetranslateUi();
}

void CPropertyPanel::RetranslateUi()
{
    for (Row &row : m_rows)
        row.label->setText(row.text ? tr(row.text) : QString());
    const std::pair<QCheckBox *, const char *> checks[]
        = {{m_w.click, QT_TR_NOOP("Click")}, {m_w.pushClick, QT_TR_NOOP("PushClick")},
            {m_w.repeat, QT_TR_NOOP("Repeat")}, {m_w.radio, QT_TR_NOOP("Radio")},
            {m_w.lock, QT_TR_NOOP("Lock")}, {m_w.hide, QT_TR_NOOP("Hide")},
            {m_w.bold, QT_TR_NOOP("Bold")}, {m_w.boldEffect, QT_TR_NOOP("BoldEffect")},
            {m_w.vertical, QT_TR_NOOP("Vertical")}, {m_w.getText, QT_TR_NOOP("GetText")}};
    for (const auto &[box, text] : checks)
        box->setText(tr(text));
    m_milliseconds->setText(tr("ms"));
    m_w.sizePreset->setItemText(0, tr("サイズ一覧"));
    for (int effect = 0; effect < m_w.effect->count(); ++effect)
        m_w.effect->setItemText(effect, CFontListCtrl::EffectText(effect));
    NameWords(m_w.attr, kx::ObjectStates());
    NameWords(m_w.alignX, kx::AlignXWords());
    NameWords(m_w.alignY, kx::AlignYWords());
    NameWords(m_w.stretch, kx::StretchWords());
    m_w.x->setToolTip(tr("X: キャンバス上の位置（絶対位置）"));
    m_w.y->setToolTip(tr("Y: キャンバス上の位置（絶対位置）"));
    m_w.parentX->setToolTip(tr("親グループの X: 相対位置の原点（キャンバス上）"));
    m_w.parentY->setToolTip(tr("親グループの Y: 相対位置の原点（キャンバス上）"));
    for (StateRow &state : m_w.states) {
        state.colour->setToolTip(tr("文字色"));
        state.subColour->setToolTip(tr("エフェクト色"));
    }
    m_w.red->setToolTip(tr("R"));
    m_w.green->setToolTip(tr("G"));
    m_w.blue->setToolTip(tr("B"));
    m_w.browse->setText(tr("参照"));
    m_w.browse->setMaximumWidth(
        m_w.browse->fontMetrics().horizontalAdvance(m_w.browse->text()) + 20);
    for (StateRow &state : m_w.states) {
        state.browse->setText(m_w.browse->text());
        state.browse->setMaximumWidth(m_w.browse->maximumWidth());
    }
    NameColourFields();
    // The type word shown for the resource now.
    if (ShowsSelection())
        m_w.type->setText(tr("%n 個のオブジェクト", "", static_cast<int>(m_selection.size())));
    else if (m_kind == PropertyKind::Object)
        m_w.type->setText(kx::ui::VocabularyText(
            kx::ObjectTypes().Word(static_cast<const CObjectData *>(m_resource)->Type())));
    else if (m_kind == PropertyKind::Image)
        m_w.type->setText(kx::ui::VocabularyText(
            kx::ObjectTypes().Word(static_cast<const CImageData *>(m_resource)->Type())));
}

void CPropertyPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QWidget::changeEvent(event);
}

// ---- Showing a resource ----

void CPropertyPanel::Show(PropertyKind kind, KXClass *resource)
{
    // The panel's own commit fills the fields when it is done.
    if (m_committing && resource == m_resource)
        return;
    // Nothing to show means the project may be gone already: what was typed is dropped.
    if (resource && resource != m_resource)
        FinishEditing();
    m_kind = resource ? kind : PropertyKind::None;
    m_resource = resource;
    FindSelection(m_kind == PropertyKind::Object ? static_cast<CObjectData *>(resource) : nullptr);
    Fill();
}

void CPropertyPanel::FinishEditing()
{
    // Only a field the user typed into is modified (filling clears the mark), and a commit
    // clears every mark: at most one edit is pending. It does not need the focus, which a
    // menu, a tab or another window may hold by now.
    if (m_filling || m_committing || !IsInProject(m_resource))
        return;
    for (QLineEdit *edit : findChildren<QLineEdit *>()) {
        if (edit->isModified() && edit->isEnabled() && !edit->isReadOnly()
            && (edit == m_w.name || edit->hasAcceptableInput())) {
            emit edit->editingFinished();
            return;
        }
    }
}

bool CPropertyPanel::IsInProject(const KXClass *resource) const
{
    // Compares pointers only: a resource that has left the project may be gone.
    switch (m_kind) {
    case PropertyKind::Project:
        return resource == &m_project.Root();
    case PropertyKind::Dialog:
        return m_project.Dialogs().IndexOf(static_cast<const CKXDialogData *>(resource)) >= 0;
    case PropertyKind::Image:
        return m_project.Images().IndexOf(static_cast<const CImageData *>(resource)) >= 0;
    case PropertyKind::Font:
        return m_project.Fonts().IndexOf(static_cast<const CFontData *>(resource)) >= 0;
    case PropertyKind::Object:
        return std::any_of(
            m_project.Dialogs().begin(), m_project.Dialogs().end(), [resource](const auto &dialog) {
                return dialog->RootGroup()->IndexOf(static_cast<const CObjectData *>(resource))
                    >= 0;
            });
    case PropertyKind::None:
        break;
    }
    return false;
}

void CPropertyPanel::Fill()
{
    m_filling = true;
    QString name;
    switch (m_kind) {
    case PropertyKind::Project:
        name = kx::ui::FromUtf8(static_cast<CKXResourceData *>(m_resource)->ProjectName());
        break;
    case PropertyKind::Dialog: {
        const auto &dialog = *static_cast<CKXDialogData *>(m_resource);
        name = kx::ui::FromUtf8(dialog.Name());
        FillDialog(dialog);
        break;
    }
    case PropertyKind::Object: {
        auto &object = *static_cast<CObjectData *>(m_resource);
        // Several objects have no one name.
        if (ShowsSelection()) {
            FillSelection();
            break;
        }
        name = kx::ui::FromUtf8(object.Name());
        FillObject(object);
        break;
    }
    case PropertyKind::Image: {
        const auto &image = *static_cast<CImageData *>(m_resource);
        name = kx::ui::FromUtf8(image.Name());
        FillImage(image);
        break;
    }
    case PropertyKind::Font: {
        const auto &font = *static_cast<CFontData *>(m_resource);
        name = kx::ui::FromUtf8(font.Name());
        FillFont(font);
        break;
    }
    case PropertyKind::None:
        break;
    }
    // The name edit belongs to the rename rules: it always shows the name.
    m_w.name->setText(name);
    m_w.name->setModified(false);
    m_w.name->setEnabled(m_kind != PropertyKind::None && !ShowsSelection());
    SetRanges();
    ApplyVisibility();
    m_filling = false;
}

void CPropertyPanel::FillDialog(const CKXDialogData &dialog)
{
    Put(m_w.x, dialog.X());
    Put(m_w.y, dialog.Y());
    Put(m_w.width, dialog.Width());
    Put(m_w.height, dialog.Height());
    Put(m_w.text, kx::ui::FromModelText(dialog.Title()));
    m_w.sizePreset->setCurrentIndex(0);
    // The background: its name in the combo (or "Custom"), its components in the edits.
    const kx::ColourParts parts = kx::ColourFromText(dialog.BackgroundColour());
    m_w.colour->setCurrentIndex(parts.index);
    Put(m_w.red, static_cast<int>(std::min(parts.c3, 255u)));
    Put(m_w.green, static_cast<int>(std::min(parts.c2, 255u)));
    Put(m_w.blue, static_cast<int>(std::min(parts.c1, 255u)));
}

kx::KXSize CPropertyPanel::ShownSize(const CObjectData &object) const
{
    const kx::KXRect rect = object.GetRect();
    kx::KXSize size {rect.Width(), rect.Height()};
    if ((object.Width() >= 0 && object.Height() >= 0) || !IsPicture(object.Type())
        || object.ImageFile().empty())
        return size;
    kx::IPictureCache *cache = m_project.PictureCache();
    if (const kx::IPicture *picture
        = cache ? cache->Find(m_project.ImagePath(object.ImageFile())) : nullptr) {
        if (object.Width() < 0)
            size.width = picture->Width();
        if (object.Height() < 0)
            size.height = picture->Height();
    }
    return size;
}

void CPropertyPanel::FillObject(CObjectData &object)
{
    m_mixed.clear();
    const int type = object.Type();
    m_w.type->setText(kx::ui::VocabularyText(kx::ObjectTypes().Word(type)));
    m_w.attr->setCurrentIndex(object.Attr());
    Put(m_w.click, object.Click());
    Put(m_w.pushClick, object.PushClick());
    Put(m_w.pushTime, object.PushTime());
    Put(m_w.repeat, object.Repeat());
    Put(m_w.radio, object.Radio());
    Put(m_w.getText, object.IsGetText());
    Put(m_w.lock, object.Lock());
    Put(m_w.hide, object.Hide());
    Put(m_w.vertical, object.Vertical());
    // Canvas coordinates: the object's place plus the origins of all its groups.
    const kx::KXRect rect = object.GetRect();
    Put(m_w.x, rect.left);
    Put(m_w.y, rect.top);
    const CObjectDataList *parent = object.Parent();
    Put(m_w.parentX, parent ? parent->AbsoluteX() : 0);
    Put(m_w.parentY, parent ? parent->AbsoluteY() : 0);
    const kx::KXSize size = ShownSize(object);
    Put(m_w.width, size.width);
    Put(m_w.height, size.height);
    m_w.sizePreset->setCurrentIndex(0);
    Put(m_w.text, kx::ui::FromModelText(object.Text()));
    Put(m_w.file, kx::ui::FromUtf8(object.ImageFile()));
    if (IsFramed(type)) {
        if (m_w.image->ImageType() != type)
            m_w.image->SetImageType(type);
        else
            m_w.image->SetImageType(-1);
        if (m_w.image->SelectByName(object.Image()) < 0)
            m_w.image->setCurrentIndex(-1);
        // The list shows each picture with its whole name, however narrow the combo.
        m_w.image->view()->setMinimumWidth(m_w.image->view()->sizeHintForColumn(0));
    }
    FillFontCombo(object.Font());
    FillLayout(
        object.AlignX(), object.AlignY(), object.Stretch(), object.MarginX(), object.MarginY());
    Put(m_w.linespace, object.Linespace());
    m_w.colour->SelectName(object.TextCol());
    m_w.subColour->SelectName(object.TextColSub());
}

void CPropertyPanel::FillImage(const CImageData &image)
{
    m_w.type->setText(kx::ui::VocabularyText(kx::ObjectTypes().Word(image.Type())));
    FillFontCombo(image.FontName());
    FillLayout(image.AlignX(), image.AlignY(), image.Stretch(), image.MarginX(), image.MarginY());
    for (int slot = 0; slot < kStateRowCount; ++slot) {
        const StateRow &row = m_w.states[static_cast<std::size_t>(slot)];
        row.colour->SelectName(image.SlotColour(slot));
        row.subColour->SelectName(image.SlotSubColour(slot));
        Put(row.file, kx::ui::FromUtf8(image.SlotFile(slot)));
    }
}

void CPropertyPanel::FillFont(const CFontData &font)
{
    Put(m_w.width, font.Size());
    m_w.effect->setCurrentIndex(font.Effect());
    Put(m_w.bold, font.Bold());
    Put(m_w.boldEffect, font.BoldEffect());
    Put(m_w.file, kx::ui::FromUtf8(font.File()));
}

void CPropertyPanel::FillFontCombo(const std::string &selected)
{
    // The combo lists the font definitions; it is built again only when they changed.
    QStringList names;
    for (const auto &font : m_project.Fonts())
        names.append(kx::ui::FromUtf8(font->Name()));
    bool same = m_w.font->count() == names.size();
    for (int i = 0; same && i < names.size(); ++i)
        same = m_w.font->itemText(i) == names.at(i);
    if (!same) {
        m_w.font->clear();
        m_w.font->addItems(names);
    }
    m_w.font->setCurrentIndex(static_cast<int>(names.indexOf(kx::ui::FromUtf8(selected))));
}

void CPropertyPanel::FillLayout(int alignX, int alignY, int stretch, int marginX, int marginY)
{
    m_w.alignX->setCurrentIndex(alignX);
    m_w.alignY->setCurrentIndex(alignY);
    m_w.stretch->setCurrentIndex(stretch);
    Put(m_w.marginX, marginX);
    Put(m_w.marginY, marginY);
}

void CPropertyPanel::SetRanges()
{
    int sizeBottom = 0;
    int sizeTop = kCoordinateLimit;
    if (m_kind == PropertyKind::Dialog) {
        // The canvas draws no larger dialog.
        sizeBottom = 1;
        sizeTop = kx::Surface::kMaxDimension;
    } else if (m_kind == PropertyKind::Font) {
        sizeBottom = 1;
        sizeTop = CFreeTypeFont::kMaxSize;
    }
    for (CIntEdit *edit : {m_w.width, m_w.height})
        edit->SetRange(sizeBottom, sizeTop);
    for (CIntEdit *edit : {m_w.x, m_w.y})
        edit->SetRange(-kCoordinateLimit, kCoordinateLimit);
}

CPropertyPanel::FieldSet CPropertyPanel::FieldsFor(PropertyKind kind, int objectType)
{
    FieldSet shown;
    const auto on = [&shown](std::initializer_list<Field> fields) {
        for (Field field : fields)
            shown.set(field);
    };
    switch (kind) {
    case PropertyKind::None:
    case PropertyKind::Project:
        // Without a resource the name stays in its place, empty and disabled.
        on({kName});
        break;
    case PropertyKind::Dialog:
        // The colour combo names the background; its components are beside it.
        on({kName, kPosition, kWidth, kHeight, kSizePreset, kColour, kComponents, kText, kGetText});
        break;
    case PropertyKind::Image:
        // Stretch is not edited here.
        on({kType, kName, kStateRows, kFont, kAlign, kMargin});
        break;
    case PropertyKind::Font:
        on({kName, kWidth, kEffect, kBold, kBoldEffect, kFile});
        break;
    case PropertyKind::Object: {
        on({kType, kName, kAttr, kClick, kPushClick, kPushTime, kRepeat, kRadio, kVertical, kLock,
            kHide, kPosition, kParentOrigin, kWidth, kHeight, kText, kGetText});
        if (objectType < 0)
            break;
        const bool framed = IsFramed(objectType);
        const bool text = objectType == kTypeText;
        shown[kClick] = objectType != kTypeGroup;
        shown[kPushClick] = shown[kPushTime] = objectType == kTypeButton;
        shown[kRepeat] = objectType == kTypeButton || objectType == kTypeEditbox;
        shown[kRadio] = objectType == kTypeGroup;
        shown[kText] = shown[kGetText] = framed || text;
        shown[kImage] = framed;
        shown[kFile] = IsPicture(objectType);
        for (Field field : {kFont, kAlign, kStretch, kMargin, kLinespace})
            shown[field] = framed || text;
        for (Field field : {kColour, kSubColour, kVertical})
            shown[field] = text;
        break;
    }
    }
    return shown;
}

void CPropertyPanel::ApplyVisibility()
{
    const auto *object
        = m_kind == PropertyKind::Object ? static_cast<CObjectData *>(m_resource) : nullptr;
    const auto *image
        = m_kind == PropertyKind::Image ? static_cast<CImageData *>(m_resource) : nullptr;
    const FieldSet shown
        = ShowsSelection() ? SelectionFields() : FieldsFor(m_kind, object ? object->Type() : -1);
    for (int field = 0; field < kFieldCount; ++field) {
        for (QWidget *control : m_fieldControls[static_cast<std::size_t>(field)])
            control->setVisible(shown[static_cast<std::size_t>(field)]);
    }
    for (Row &row : m_rows) {
        const bool any = std::any_of(
            row.fields.begin(), row.fields.end(), [&shown](Field field) { return shown[field]; });
        row.label->setVisible(any);
        row.box->setVisible(any);
    }
    // An image definition has as many states as its type has slots.
    const int slotCount = image ? kx::ImageSlotWords(image->Type()).Count() : 0;
    for (int slot = 0; slot < kStateRowCount; ++slot) {
        for (Row *row : m_stateRows[static_cast<std::size_t>(slot)]) {
            row->label->setVisible(slot < slotCount);
            row->box->setVisible(slot < slotCount);
        }
    }

    // What the fields show but may not change: the height of buttons and edit boxes comes from
    // their pictures, the root group is the dialog's origin and is named "OGROOT" in every
    // dialog (the project file and the history find it by that name), a dialog has no GetText.
    const bool root = !ShowsSelection() && object && object->IsGroup()
        && static_cast<const CObjectDataList *>(object)->IsRoot();
    m_w.name->setReadOnly(root);
    const auto heightFromPicture = [](const CObjectData *o) {
        return o && (o->Type() == kTypeButton || o->Type() == kTypeEditbox);
    };
    const bool pictureHeight = ShowsSelection()
        ? std::any_of(m_selection.begin(), m_selection.end(), heightFromPicture)
        : heightFromPicture(object);
    for (CIntEdit *edit : {m_w.x, m_w.y, m_w.width})
        edit->setReadOnly(root);
    m_w.height->setReadOnly(root || pictureHeight);
    m_w.getText->setEnabled(m_kind == PropertyKind::Object);
    NameColourFields();
}

bool CPropertyPanel::IsFieldShown(Field field) const
{
    if (field == kStateRows)
        return m_stateRows[0][0]->box->isVisibleTo(this);
    const auto &controls = m_fieldControls[static_cast<std::size_t>(field)];
    return !controls.empty() && controls.front()->isVisibleTo(this);
}

int CPropertyPanel::MarginX() const
{
    return m_w.marginX->Value();
}

int CPropertyPanel::MarginY() const
{
    return m_w.marginY->Value();
}
