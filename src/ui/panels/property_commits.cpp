// What a changed field does to the project: each commit writes the attributes its rule names into
// the resource shown, and ends the edit in the funnel when anything changed.
#include "ui/panels/property_panel.h"

#include "history/project_history.h"
#include "model/font_data.h"
#include "model/image_data.h"
#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "model/project_context.h"
#include "model/vocabulary.h"
#include "platform/message_sink.h"
#include "render/surface.h"
#include "ui/app/unsaved_changes.h"
#include "ui/document/document_set.h"
#include "ui/panels/bmp_combo_box.h"
#include "ui/panels/property_controls.h"
#include "ui/support/qt_text.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include <array>

namespace {

// What an edit can change of an object, of a dialog, of a definition: compared before and after
// a commit, so that a commit that changed nothing ends in no funnel.
// Canvas coordinates: an object moved within its group may keep its place in the group while
// the group moves around it.
struct ObjectGeometry {
    int x, y, width, height;
    bool operator==(const ObjectGeometry &) const = default;

    static ObjectGeometry Of(const CObjectData &o)
    {
        return {o.AbsoluteX(), o.AbsoluteY(), o.Width(), o.Height()};
    }
};

struct ObjectAttributes {
    std::string text, image, font, textCol, textColSub, imageFile;
    bool lock, hide, click, pushClick, repeat, radio, getText, vertical;
    int pushTime, attr, alignX, alignY, marginX, marginY, stretch, linespace;
    bool operator==(const ObjectAttributes &) const = default;

    static ObjectAttributes Of(const CObjectData &o)
    {
        return {o.Text(), o.Image(), o.Font(), o.TextCol(), o.TextColSub(), o.ImageFile(), o.Lock(),
            o.Hide(), o.Click(), o.PushClick(), o.Repeat(), o.Radio(), o.IsGetText(), o.Vertical(),
            o.PushTime(), o.Attr(), o.AlignX(), o.AlignY(), o.MarginX(), o.MarginY(), o.Stretch(),
            o.Linespace()};
    }
};

struct DialogState {
    std::string title, background;
    int x, y, width, height;
    bool operator==(const DialogState &) const = default;

    static DialogState Of(const CKXDialogData &d)
    {
        return {d.Title(), d.BackgroundColour(), d.X(), d.Y(), d.Width(), d.Height()};
    }
};

bool IsFramed(int type)
{
    return type == kTypeButton || type == kTypeEditbox || type == kTypeFrame;
}

bool HasText(int type)
{
    return IsFramed(type) || type == kTypeText;
}

// The sizes of the preset combo, items 1 to 6.
constexpr std::array<kx::KXSize, 6> kPresetSizes {
    {{160, 120}, {200, 120}, {320, 240}, {400, 240}, {480, 360}, {640, 480}}};

} // namespace

void CPropertyPanel::ConnectCommits()
{
    // A commit runs for the user's edits only, never while the fields are being filled; it starts
    // by taking every edit's text as seen, so that filling afterwards shows the model's values.
    // With several objects selected, the control's own field is set on all of them instead.
    const auto commit = [this](void (CPropertyPanel::*method)(), QWidget *control) {
        return [this, method, control] {
            if (m_filling)
                return;
            for (QLineEdit *edit : findChildren<QLineEdit *>()) {
                if (edit != m_w.name)
                    edit->setModified(false);
            }
            if (ShowsSelection())
                CommitToSelection(control);
            else
                (this->*method)();
        };
    };
    connect(m_w.name, &QLineEdit::editingFinished, this, [this] {
        // Return and the loss of focus both end an edit; one rename is enough.
        if (m_w.name->isModified()) {
            m_w.name->setModified(false);
            emit NameEdited();
        }
    });
    connect(m_w.attr, &QComboBox::activated, this, commit(&CPropertyPanel::CommitFlags, m_w.attr));
    for (QCheckBox *box : {m_w.click, m_w.pushClick, m_w.repeat, m_w.radio, m_w.getText})
        connect(box, &QCheckBox::clicked, this, commit(&CPropertyPanel::CommitFlags, box));
    for (QCheckBox *box : {m_w.lock, m_w.hide})
        connect(box, &QCheckBox::clicked, this, commit(&CPropertyPanel::CommitLockHide, box));
    connect(m_w.vertical, &QCheckBox::clicked, this,
        commit(&CPropertyPanel::CommitVertical, m_w.vertical));
    connect(m_w.pushTime, &QLineEdit::editingFinished, this,
        commit(&CPropertyPanel::CommitPushTime, m_w.pushTime));
    connect(m_w.linespace, &QLineEdit::editingFinished, this,
        commit(&CPropertyPanel::CommitLinespace, m_w.linespace));
    for (CIntEdit *edit : {m_w.x, m_w.y, m_w.width, m_w.height})
        connect(
            edit, &QLineEdit::editingFinished, this, commit(&CPropertyPanel::CommitGeometry, edit));
    connect(m_w.sizePreset, &QComboBox::activated, this, [this](int index) {
        if (!m_filling)
            CommitSizePreset(index);
    });
    for (QCheckBox *box : {m_w.bold, m_w.boldEffect})
        connect(box, &QCheckBox::clicked, this, commit(&CPropertyPanel::CommitFontDefinition, box));
    connect(m_w.effect, &QComboBox::activated, this,
        commit(&CPropertyPanel::CommitFontDefinition, m_w.effect));
    for (CColourComboBox *combo : {m_w.colour, m_w.subColour})
        connect(combo, &QComboBox::activated, this, commit(&CPropertyPanel::CommitColours, combo));
    for (CIntEdit *edit : {m_w.red, m_w.green, m_w.blue})
        connect(edit, &QLineEdit::editingFinished, this,
            commit(&CPropertyPanel::CommitComponents, edit));
    connect(
        m_w.text, &QLineEdit::editingFinished, this, commit(&CPropertyPanel::CommitText, m_w.text));
    connect(
        m_w.file, &QLineEdit::editingFinished, this, commit(&CPropertyPanel::CommitFile, m_w.file));
    connect(m_w.browse, &QPushButton::clicked, this, commit(&CPropertyPanel::Browse, m_w.browse));
    connect(
        m_w.image, &QComboBox::activated, this, commit(&CPropertyPanel::CommitImage, m_w.image));
    for (QComboBox *combo : {m_w.font, m_w.alignX, m_w.alignY, m_w.stretch})
        connect(combo, &QComboBox::activated, this, commit(&CPropertyPanel::CommitLayout, combo));
    for (CIntEdit *edit : {m_w.marginX, m_w.marginY})
        connect(
            edit, &QLineEdit::editingFinished, this, commit(&CPropertyPanel::CommitLayout, edit));
    for (int slot = 0; slot < kStateRowCount; ++slot) {
        const StateRow &row = m_w.states[static_cast<std::size_t>(slot)];
        const auto commitRow = [this, slot] {
            if (!m_filling)
                CommitStateRow(slot);
        };
        connect(row.colour, &QComboBox::activated, this, commitRow);
        connect(row.subColour, &QComboBox::activated, this, commitRow);
        connect(row.file, &QLineEdit::editingFinished, this, commitRow);
        connect(row.browse, &QPushButton::clicked, this, [this, slot] {
            if (!m_filling)
                BrowseState(slot);
        });
    }
}

// ---- The resource shown, and the end of an edit ----

CObjectData *CPropertyPanel::CurrentObject() const
{
    return m_kind == PropertyKind::Object ? static_cast<CObjectData *>(m_resource) : nullptr;
}

CKXDialogData *CPropertyPanel::CurrentDialog() const
{
    return m_kind == PropertyKind::Dialog ? static_cast<CKXDialogData *>(m_resource) : nullptr;
}

CImageData *CPropertyPanel::CurrentImage() const
{
    return m_kind == PropertyKind::Image ? static_cast<CImageData *>(m_resource) : nullptr;
}

CFontData *CPropertyPanel::CurrentFont() const
{
    return m_kind == PropertyKind::Font ? static_cast<CFontData *>(m_resource) : nullptr;
}

CKXDialogData *CPropertyPanel::DialogOf(const CObjectData &object) const
{
    const CObjectData *top = &object;
    while (top->Parent())
        top = top->Parent();
    for (const auto &dialog : m_project.Dialogs()) {
        if (dialog->RootGroup() == top)
            return dialog.get();
    }
    return nullptr;
}

void CPropertyPanel::EditObject(const std::function<void(CObjectData &)> &write)
{
    CObjectData *object = CurrentObject();
    CKXDialogData *dialog = object ? DialogOf(*object) : nullptr;
    if (!dialog)
        return;
    const ObjectGeometry geometry = ObjectGeometry::Of(*object);
    const ObjectAttributes attributes = ObjectAttributes::Of(*object);
    write(*object);
    int what = 0;
    if (ObjectGeometry::Of(*object) != geometry)
        what |= kChangeGeometry;
    if (ObjectAttributes::Of(*object) != attributes)
        what |= kChangeAttributes;
    if (what)
        EndDialogEdit(dialog, what);
    else
        Fill();
}

void CPropertyPanel::EditDialog(const std::function<void(CKXDialogData &)> &write)
{
    CKXDialogData *dialog = CurrentDialog();
    if (!dialog)
        return;
    const DialogState before = DialogState::Of(*dialog);
    write(*dialog);
    if (DialogState::Of(*dialog) != before)
        EndDialogEdit(dialog, kChangeDialog);
    else
        Fill();
}

void CPropertyPanel::EditImage(const std::function<void(CImageData &)> &write)
{
    CImageData *image = CurrentImage();
    if (!image)
        return;
    const kx::ImageState before = kx::ImageState::Of(*image);
    write(*image);
    if (kx::ImageState::Of(*image) == before) {
        Fill();
        return;
    }
    auto step = std::make_unique<kx::ProjectStep>(
        m_project, kx::StepLabel {kx::StepAction::Edit, kx::StepSubject::Image, image->Name()});
    step->Edited(*image, before);
    EndResourceEdit(std::move(step), kChangeImages);
}

void CPropertyPanel::EditFont(const std::function<void(CFontData &)> &write)
{
    CFontData *font = CurrentFont();
    if (!font)
        return;
    const kx::FontState before = kx::FontState::Of(*font);
    write(*font);
    if (kx::FontState::Of(*font) == before) {
        Fill();
        return;
    }
    auto step = std::make_unique<kx::ProjectStep>(
        m_project, kx::StepLabel {kx::StepAction::Edit, kx::StepSubject::Font, font->Name()});
    step->Edited(*font, before);
    EndResourceEdit(std::move(step), kChangeFonts);
}

void CPropertyPanel::EndDialogEdit(CKXDialogData *dialog, int what, kx::StepLabel label)
{
    if (CKXDialogEditorDoc *document = m_documents.For(dialog)) {
        m_committing = true;
        document->Commit(what, std::move(label));
        m_committing = false;
    }
    Fill();
}

void CPropertyPanel::EndResourceEdit(std::unique_ptr<kx::ProjectStep> step, int what)
{
    m_committing = true;
    m_documents.CommitProject(std::move(step), what);
    m_committing = false;
    Fill();
}

// ---- The commit rules ----

void CPropertyPanel::CommitFlags()
{
    EditObject([this](CObjectData &object) {
        object.SetClick(m_w.click->isChecked());
        object.SetPushClick(m_w.pushClick->isChecked());
        object.SetRepeat(m_w.repeat->isChecked());
        object.SetRadio(m_w.radio->isChecked());
        object.SetGetText(m_w.getText->isChecked());
        if (m_w.attr->currentIndex() >= 0)
            object.SetAttr(m_w.attr->currentIndex());
    });
}

void CPropertyPanel::CommitLockHide()
{
    EditObject([this](CObjectData &object) {
        object.SetLock(m_w.lock->isChecked());
        object.SetHide(m_w.hide->isChecked());
    });
}

void CPropertyPanel::CommitPushTime()
{
    // Only buttons wait before they repeat.
    EditObject([this](CObjectData &object) {
        if (object.Type() == kTypeButton)
            object.SetPushTime(m_w.pushTime->Value());
    });
}

void CPropertyPanel::CommitVertical()
{
    EditObject([this](CObjectData &object) {
        if (object.Type() == kTypeText)
            object.SetVertical(m_w.vertical->isChecked());
    });
}

void CPropertyPanel::CommitLinespace()
{
    EditObject([this](CObjectData &object) {
        if (HasText(object.Type()))
            object.SetLinespace(m_w.linespace->Value());
    });
}

void CPropertyPanel::CommitGeometry()
{
    if (m_kind == PropertyKind::Font) {
        CommitFontDefinition();
        return;
    }
    const int x = m_w.x->Value();
    const int y = m_w.y->Value();
    const int width = m_w.width->Value();
    const int height = m_w.height->Value();
    if (m_kind == PropertyKind::Dialog) {
        // The dialog's window follows its size when the funnel reports the change.
        EditDialog([&](CKXDialogData &dialog) {
            dialog.SetPosition(x, y);
            dialog.SetSize(width, height);
        });
        return;
    }
    EditObject([&](CObjectData &object) {
        // The root group is the dialog's origin: it stays where it is.
        if (object.IsGroup() && static_cast<CObjectDataList &>(object).IsRoot())
            return;
        // Only the field the user changed is taken: a size shown as drawn (a picture's own
        // size, stored as -1) stays as it is stored.
        const kx::KXRect place = object.GetRect();
        const kx::KXSize shown = ShownSize(object);
        if (place.left == x && place.top == y && shown.width == width && shown.height == height)
            return;
        // Canvas coordinates become coordinates in the parent group; the groups around the
        // object then take their children's bounds again, keeping every canvas place.
        object.SetAbsoluteX(x);
        object.SetAbsoluteY(y);
        if (width != shown.width)
            object.SetWidth(width);
        if (height != shown.height)
            object.SetHeight(height);
        for (CObjectDataList *group = object.Parent(); group && !group->IsRoot();
             group = group->Parent())
            group->NormaliseBounds();
    });
}

void CPropertyPanel::CommitSizePreset(int index)
{
    if (index < 1 || index > static_cast<int>(kPresetSizes.size())) {
        m_w.sizePreset->setCurrentIndex(0);
        return;
    }
    if (m_kind != PropertyKind::Dialog && m_kind != PropertyKind::Object) {
        m_w.sizePreset->setCurrentIndex(0);
        return;
    }
    const kx::KXSize size = kPresetSizes[static_cast<std::size_t>(index - 1)];
    m_w.width->SetValue(size.width);
    m_w.height->SetValue(size.height);
    CommitGeometry();
    m_w.sizePreset->setCurrentIndex(0);
}

void CPropertyPanel::CommitText()
{
    const std::string text = kx::ui::ToModelText(m_w.text->text());
    if (m_kind == PropertyKind::Dialog) {
        EditDialog([&text](CKXDialogData &dialog) { dialog.SetTitle(text); });
        return;
    }
    EditObject([&text](CObjectData &object) {
        if (HasText(object.Type()))
            object.SetText(text);
    });
}

void CPropertyPanel::CommitImage()
{
    const std::string name = m_w.image->GetNameAt(m_w.image->currentIndex());
    const CImageData *image = m_project.Images().FindByName(name);
    if (!image)
        return;
    // The object takes the definition, its natural size and its font.
    EditObject([image, &name](CObjectData &object) {
        if (!IsFramed(object.Type()))
            return;
        object.SetImage(name);
        const kx::KXSize size = image->NaturalSize(object.Type());
        object.SetWidth(size.width);
        object.SetHeight(size.height);
        object.SetFont(image->FontName());
    });
}

void CPropertyPanel::CommitLayout()
{
    const int font = m_w.font->currentIndex();
    const std::string fontName = font >= 0 ? kx::ui::ToUtf8(m_w.font->itemText(font)) : "";
    const int alignX = m_w.alignX->currentIndex();
    const int alignY = m_w.alignY->currentIndex();
    const int stretch = m_w.stretch->currentIndex();
    const int marginX = m_w.marginX->Value();
    const int marginY = m_w.marginY->Value();
    if (m_kind == PropertyKind::Image) {
        EditImage([&](CImageData &image) {
            if (font >= 0)
                image.SetFontName(fontName);
            if (alignX >= 0)
                image.SetAlignX(alignX);
            if (alignY >= 0)
                image.SetAlignY(alignY);
            image.SetMarginX(marginX);
            image.SetMarginY(marginY);
        });
        return;
    }
    EditObject([&](CObjectData &object) {
        if (!HasText(object.Type()))
            return;
        // A field without a choice (a name none of the lists holds) leaves the attribute.
        if (font >= 0)
            object.SetFont(fontName);
        if (alignX >= 0)
            object.SetAlignX(alignX);
        if (alignY >= 0)
            object.SetAlignY(alignY);
        if (stretch >= 0)
            object.SetStretch(stretch);
        object.SetMarginX(marginX);
        object.SetMarginY(marginY);
    });
}

void CPropertyPanel::CommitColours()
{
    if (m_kind == PropertyKind::Dialog) {
        // A named colour; "Custom" is chosen by editing the components.
        std::string background;
        if (kx::TextFromIndex(m_w.colour->currentIndex(), background) == 0 && background.empty()) {
            Fill();
            return;
        }
        EditDialog(
            [&background](CKXDialogData &dialog) { dialog.SetBackgroundColour(background); });
        return;
    }
    const std::string colour = m_w.colour->ChosenName();
    const std::string sub = m_w.subColour->ChosenName();
    EditObject([&](CObjectData &object) {
        if (object.Type() != kTypeText)
            return;
        if (!colour.empty())
            object.SetTextCol(colour);
        if (!sub.empty())
            object.SetTextColSub(sub);
    });
}

void CPropertyPanel::CommitComponents()
{
    // The preview reads the first component as blue, the last as red.
    const kx::ColourText colour = kx::TextFromComponents(static_cast<unsigned>(m_w.blue->Value()),
        static_cast<unsigned>(m_w.green->Value()), static_cast<unsigned>(m_w.red->Value()));
    EditDialog([&colour](CKXDialogData &dialog) { dialog.SetBackgroundColour(colour.text); });
}

void CPropertyPanel::CommitStateRow(int slot)
{
    CImageData *image = CurrentImage();
    if (!image || slot < 0 || slot >= kx::ImageSlotWords(image->Type()).Count())
        return;
    const StateRow &row = m_w.states[static_cast<std::size_t>(slot)];
    if (!AcceptFileName(row.file->text(), row.file))
        return;
    const std::string colour = row.colour->ChosenName();
    const std::string sub = row.subColour->ChosenName();
    const std::string file = kx::ui::ToUtf8(row.file->text());
    EditImage([&](CImageData &definition) {
        if (!colour.empty())
            definition.SetSlotColour(slot, colour);
        if (!sub.empty())
            definition.SetSlotSubColour(slot, sub);
        // The picture is looked up again only for another file.
        if (file != definition.SlotFile(slot))
            definition.SetSlotFile(slot, file, &m_project);
    });
}

void CPropertyPanel::CommitFontDefinition()
{
    const int size = m_w.width->Value();
    const int effect = m_w.effect->currentIndex();
    const bool bold = m_w.bold->isChecked();
    const bool boldEffect = m_w.boldEffect->isChecked();
    EditFont([&](CFontData &font) {
        font.SetSize(size);
        if (effect >= 0)
            font.SetEffect(effect);
        font.SetBold(bold);
        font.SetBoldEffect(boldEffect);
    });
}

void CPropertyPanel::CommitFile()
{
    if (m_kind != PropertyKind::Object && m_kind != PropertyKind::Font)
        return;
    if (!AcceptFileName(m_w.file->text(), m_w.file))
        return;
    const std::string file = kx::ui::ToUtf8(m_w.file->text());
    if (m_kind == PropertyKind::Font) {
        // The rasterizer forgets its faces when the funnel reports the change.
        EditFont([&file](CFontData &font) { font.SetFile(file); });
        return;
    }
    EditObject([this, &file](CObjectData &object) {
        if (object.Type() != kTypePicture && object.Type() != kTypeIcon
            && object.Type() != kTypeMovie)
            return;
        if (file == object.ImageFile())
            return;
        object.SetImageFile(file);
        // The object takes the size of its picture, decoded as the canvas will draw it.
        kx::IPictureCache *cache = m_project.PictureCache();
        if (const kx::IPicture *picture
            = cache && !file.empty() ? cache->Find(m_project.ImagePath(file)) : nullptr) {
            object.SetWidth(picture->Width());
            object.SetHeight(picture->Height());
        }
    });
}

void CPropertyPanel::RejectNumber(CIntEdit *edit)
{
    QString text;
    if (m_kind == PropertyKind::Dialog && (edit == m_w.width || edit == m_w.height))
        text = tr("エラー: ダイアログの幅と高さは %1 から %2 ピクセルまでです"
                  "(これより大きなダイアログはキャンバスに描けません).")
                   .arg(edit->Bottom())
                   .arg(edit->Top());
    else
        text = tr("エラー: %1 から %2 までの整数を入力してください.")
                   .arg(edit->Bottom())
                   .arg(edit->Top());
    m_messages.ShowMessage(kx::ui::ToUtf8(text), kx::MessageIcon::Error);
}
