// The fields of several selected objects: the fields all of them have, each filled with the
// value they share or left empty, and a commit that sets the one field on all of them.
#include "ui/panels/property_panel.h"

#include "model/image_data.h"
#include "model/kx_dialog_data.h"
#include "model/object_data_list.h"
#include "model/project_context.h"
#include "ui/canvas/arrange.h"
#include "ui/document/document_set.h"
#include "ui/panels/bmp_combo_box.h"
#include "ui/panels/property_controls.h"
#include "ui/support/qt_text.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <optional>
#include <type_traits>

namespace {

bool IsFramed(int type)
{
    return type == kTypeButton || type == kTypeEditbox || type == kTypeFrame;
}

bool HasText(int type)
{
    return IsFramed(type) || type == kTypeText;
}

bool IsPicture(int type)
{
    return type == kTypePicture || type == kTypeIcon || type == kTypeMovie;
}

// The value every object has, or none when they differ.
template <class Get>
auto Common(const std::vector<CObjectData *> &objects, Get get)
    -> std::optional<std::decay_t<decltype(get(*objects.front()))>>
{
    std::optional<std::decay_t<decltype(get(*objects.front()))>> value;
    for (const CObjectData *object : objects) {
        auto v = get(*object);
        if (!value)
            value = std::move(v);
        else if (*value != v)
            return std::nullopt;
    }
    return value;
}

// Sets a value through the setter when it differs; answers whether it did.
template <class T, class Set>
bool Change(const T &current, const T &value, Set set)
{
    if (current == value)
        return false;
    set();
    return true;
}

} // namespace

bool CPropertyPanel::IsMixed(const QWidget *control) const
{
    return m_mixed.count(control) > 0;
}

void CPropertyPanel::FindSelection(CObjectData *object)
{
    m_selection.clear();
    CKXDialogData *dialog = object && object->IsSelected() ? DialogOf(*object) : nullptr;
    if (!dialog)
        return;
    std::vector<CObjectData *> top = kx::TopSelected(*dialog->RootGroup());
    if (top.size() > 1)
        m_selection = std::move(top);
}

CPropertyPanel::FieldSet CPropertyPanel::SelectionFields() const
{
    FieldSet shown;
    shown.set();
    std::set<int> types;
    for (const CObjectData *object : m_selection) {
        if (types.insert(object->Type()).second)
            shown &= FieldsFor(PropertyKind::Object, object->Type());
    }
    // The group origin and the size presets belong to one object; image definitions are
    // listed by type.
    shown.reset(kParentOrigin);
    shown.reset(kSizePreset);
    if (types.size() > 1)
        shown.reset(kImage);
    return shown;
}

void CPropertyPanel::FillSelection()
{
    const std::vector<CObjectData *> &objects = m_selection;
    m_mixed.clear();
    m_w.type->setText(tr("%n 個のオブジェクト", "", static_cast<int>(objects.size())));
    const auto box = [this](QCheckBox *control, std::optional<bool> on) {
        if (on) {
            control->setTristate(false);
            control->setChecked(*on);
            return;
        }
        control->setTristate(true);
        control->setCheckState(Qt::PartiallyChecked);
        m_mixed.insert(control);
    };
    const auto number = [this](CIntEdit *control, std::optional<int> value) {
        if (control->hasFocus() && control->isModified())
            return;
        if (value) {
            control->SetValue(*value);
            return;
        }
        control->SetMixed();
        m_mixed.insert(control);
    };
    const auto text = [this](QLineEdit *control, const std::optional<QString> &value) {
        if (control->hasFocus() && control->isModified())
            return;
        control->setText(value.value_or(QString()));
        control->setModified(false);
        if (!value)
            m_mixed.insert(control);
    };
    const auto index = [this](QComboBox *control, std::optional<int> value) {
        control->setCurrentIndex(value.value_or(-1));
        if (!value)
            m_mixed.insert(control);
    };
    index(m_w.attr, Common(objects, [](const CObjectData &o) { return o.Attr(); }));
    box(m_w.click, Common(objects, [](const CObjectData &o) { return o.Click(); }));
    box(m_w.pushClick, Common(objects, [](const CObjectData &o) { return o.PushClick(); }));
    number(m_w.pushTime, Common(objects, [](const CObjectData &o) { return o.PushTime(); }));
    box(m_w.repeat, Common(objects, [](const CObjectData &o) { return o.Repeat(); }));
    box(m_w.radio, Common(objects, [](const CObjectData &o) { return o.Radio(); }));
    box(m_w.getText, Common(objects, [](const CObjectData &o) { return o.IsGetText(); }));
    box(m_w.lock, Common(objects, [](const CObjectData &o) { return o.Lock(); }));
    box(m_w.hide, Common(objects, [](const CObjectData &o) { return o.Hide(); }));
    box(m_w.vertical, Common(objects, [](const CObjectData &o) { return o.Vertical(); }));
    // The position is the selection's: the top-left corner of what it covers.
    kx::KXRect bounds;
    for (const CObjectData *object : objects)
        bounds = bounds.United(kx::CoveredRect(*object));
    number(m_w.x, bounds.left);
    number(m_w.y, bounds.top);
    number(m_w.width, Common(objects, [](const CObjectData &o) { return o.GetRect().Width(); }));
    number(m_w.height, Common(objects, [](const CObjectData &o) { return o.GetRect().Height(); }));
    m_w.sizePreset->setCurrentIndex(0);
    const auto modelText = Common(objects, [](const CObjectData &o) { return o.Text(); });
    text(m_w.text,
        modelText ? std::optional<QString>(kx::ui::FromModelText(*modelText)) : std::nullopt);
    const auto file = Common(objects, [](const CObjectData &o) { return o.ImageFile(); });
    text(m_w.file, file ? std::optional<QString>(kx::ui::FromUtf8(*file)) : std::nullopt);
    const auto type = Common(objects, [](const CObjectData &o) { return o.Type(); });
    if (type && IsFramed(*type)) {
        if (m_w.image->ImageType() != *type)
            m_w.image->SetImageType(*type);
        const auto image = Common(objects, [](const CObjectData &o) { return o.Image(); });
        if (!image || m_w.image->SelectByName(*image) < 0)
            m_w.image->setCurrentIndex(-1);
        if (!image)
            m_mixed.insert(m_w.image);
        m_w.image->view()->setMinimumWidth(m_w.image->view()->sizeHintForColumn(0));
    }
    const auto font = Common(objects, [](const CObjectData &o) { return o.Font(); });
    FillFontCombo(font.value_or(std::string()));
    if (!font) {
        m_w.font->setCurrentIndex(-1);
        m_mixed.insert(m_w.font);
    }
    index(m_w.alignX, Common(objects, [](const CObjectData &o) { return o.AlignX(); }));
    index(m_w.alignY, Common(objects, [](const CObjectData &o) { return o.AlignY(); }));
    index(m_w.stretch, Common(objects, [](const CObjectData &o) { return o.Stretch(); }));
    number(m_w.marginX, Common(objects, [](const CObjectData &o) { return o.MarginX(); }));
    number(m_w.marginY, Common(objects, [](const CObjectData &o) { return o.MarginY(); }));
    number(m_w.linespace, Common(objects, [](const CObjectData &o) { return o.Linespace(); }));
    const auto colour = Common(objects, [](const CObjectData &o) { return o.TextCol(); });
    const auto sub = Common(objects, [](const CObjectData &o) { return o.TextColSub(); });
    if (colour)
        m_w.colour->SelectName(*colour);
    else
        index(m_w.colour, std::nullopt);
    if (sub)
        m_w.subColour->SelectName(*sub);
    else
        index(m_w.subColour, std::nullopt);
}

void CPropertyPanel::CommitToSelection(QWidget *control)
{
    // A field left empty where the values differ changes nothing.
    const auto *number = qobject_cast<CIntEdit *>(control);
    const auto *edit = qobject_cast<QLineEdit *>(control);
    if ((number && number->IsMixed()) || (edit && IsMixed(edit) && edit->text().isEmpty())) {
        Fill();
        return;
    }
    if (control == m_w.browse) {
        const QString name = ChooseFile(false);
        if (name.isEmpty() || !ShowsSelection())
            return;
        m_w.file->setText(name);
        control = m_w.file;
    }
    int what = kChangeAttributes;
    std::function<bool(CObjectData &)> write;
    const auto flag = [](QCheckBox *box, bool (CObjectData::*get)() const,
                          void (CObjectData::*set)(bool), bool (*applies)(int)) {
        const bool on = box->checkState() == Qt::Checked;
        return [on, get, set, applies](CObjectData &o) {
            return applies(o.Type()) && Change((o.*get)(), on, [&] { (o.*set)(on); });
        };
    };
    const auto any = [](int) { return true; };
    const auto notGroup = [](int type) { return type != kTypeGroup; };
    const auto button = [](int type) { return type == kTypeButton; };
    const auto repeats = [](int type) { return type == kTypeButton || type == kTypeEditbox; };
    const auto group = [](int type) { return type == kTypeGroup; };
    const auto text = [](int type) { return type == kTypeText; };
    if (control == m_w.x || control == m_w.y) {
        // The selection moves as a whole: its bounds' corner goes to the position typed.
        kx::KXRect bounds;
        for (const CObjectData *object : m_selection)
            bounds = bounds.United(kx::CoveredRect(*object));
        const int dx = control == m_w.x ? m_w.x->Value() - bounds.left : 0;
        const int dy = control == m_w.y ? m_w.y->Value() - bounds.top : 0;
        what = kChangeGeometry;
        write = [dx, dy](CObjectData &o) {
            kx::MoveBy(o, dx, dy);
            return dx != 0 || dy != 0;
        };
    } else if (control == m_w.width || control == m_w.height) {
        const bool width = control == m_w.width;
        const int value = static_cast<CIntEdit *>(control)->Value();
        what = kChangeGeometry;
        write = [width, value](CObjectData &o) {
            return width ? Change(o.Width(), value, [&] { o.SetWidth(value); })
                         : Change(o.Height(), value, [&] { o.SetHeight(value); });
        };
    } else if (control == m_w.attr) {
        const int attr = m_w.attr->currentIndex();
        if (attr < 0)
            return;
        write = [attr](CObjectData &o) { return Change(o.Attr(), attr, [&] { o.SetAttr(attr); }); };
    } else if (control == m_w.click) {
        write = flag(m_w.click, &CObjectData::Click, &CObjectData::SetClick, notGroup);
    } else if (control == m_w.pushClick) {
        write = flag(m_w.pushClick, &CObjectData::PushClick, &CObjectData::SetPushClick, button);
    } else if (control == m_w.repeat) {
        write = flag(m_w.repeat, &CObjectData::Repeat, &CObjectData::SetRepeat, repeats);
    } else if (control == m_w.radio) {
        write = flag(m_w.radio, &CObjectData::Radio, &CObjectData::SetRadio, group);
    } else if (control == m_w.getText) {
        write = flag(m_w.getText, &CObjectData::IsGetText, &CObjectData::SetGetText, any);
    } else if (control == m_w.lock) {
        write = flag(m_w.lock, &CObjectData::Lock, &CObjectData::SetLock, any);
    } else if (control == m_w.hide) {
        write = flag(m_w.hide, &CObjectData::Hide, &CObjectData::SetHide, any);
    } else if (control == m_w.vertical) {
        write = flag(m_w.vertical, &CObjectData::Vertical, &CObjectData::SetVertical, text);
    } else if (control == m_w.pushTime) {
        const int ms = m_w.pushTime->Value();
        write = [ms](CObjectData &o) {
            return o.Type() == kTypeButton && Change(o.PushTime(), ms, [&] { o.SetPushTime(ms); });
        };
    } else if (control == m_w.linespace) {
        const int space = m_w.linespace->Value();
        write = [space](CObjectData &o) {
            return HasText(o.Type())
                && Change(o.Linespace(), space, [&] { o.SetLinespace(space); });
        };
    } else if (control == m_w.marginX || control == m_w.marginY) {
        const bool x = control == m_w.marginX;
        const int margin = static_cast<CIntEdit *>(control)->Value();
        write = [x, margin](CObjectData &o) {
            if (!HasText(o.Type()))
                return false;
            return x ? Change(o.MarginX(), margin, [&] { o.SetMarginX(margin); })
                     : Change(o.MarginY(), margin, [&] { o.SetMarginY(margin); });
        };
    } else if (control == m_w.text) {
        const std::string value = kx::ui::ToModelText(m_w.text->text());
        write = [value](CObjectData &o) {
            return HasText(o.Type()) && Change(o.Text(), value, [&] { o.SetText(value); });
        };
    } else if (control == m_w.file) {
        if (!AcceptFileName(m_w.file->text(), m_w.file))
            return;
        const std::string file = kx::ui::ToUtf8(m_w.file->text());
        // Each picture takes the file's size, decoded as the canvas will draw it.
        kx::IPictureCache *cache = m_project.PictureCache();
        const kx::IPicture *picture
            = cache && !file.empty() ? cache->Find(m_project.ImagePath(file)) : nullptr;
        what |= kChangeGeometry;
        write = [file, picture](CObjectData &o) {
            if (!IsPicture(o.Type()) || o.ImageFile() == file)
                return false;
            o.SetImageFile(file);
            if (picture) {
                o.SetWidth(picture->Width());
                o.SetHeight(picture->Height());
            }
            return true;
        };
    } else if (control == m_w.image) {
        const std::string name = m_w.image->GetNameAt(m_w.image->currentIndex());
        const CImageData *image = m_project.Images().FindByName(name);
        if (!image)
            return;
        what |= kChangeGeometry;
        write = [image, name](CObjectData &o) {
            if (!IsFramed(o.Type()) || o.Image() == name)
                return false;
            o.SetImage(name);
            const kx::KXSize size = image->NaturalSize(o.Type());
            o.SetWidth(size.width);
            o.SetHeight(size.height);
            o.SetFont(image->FontName());
            return true;
        };
    } else if (control == m_w.font) {
        const int font = m_w.font->currentIndex();
        if (font < 0)
            return;
        const std::string name = kx::ui::ToUtf8(m_w.font->itemText(font));
        write = [name](CObjectData &o) {
            return HasText(o.Type()) && Change(o.Font(), name, [&] { o.SetFont(name); });
        };
    } else if (control == m_w.alignX || control == m_w.alignY || control == m_w.stretch) {
        const int value = static_cast<QComboBox *>(control)->currentIndex();
        if (value < 0)
            return;
        void (CObjectData::*set)(int) = control == m_w.alignX ? &CObjectData::SetAlignX
            : control == m_w.alignY                           ? &CObjectData::SetAlignY
                                                              : &CObjectData::SetStretch;
        int (CObjectData::*get)() const = control == m_w.alignX ? &CObjectData::AlignX
            : control == m_w.alignY                             ? &CObjectData::AlignY
                                                                : &CObjectData::Stretch;
        write = [value, get, set](CObjectData &o) {
            return HasText(o.Type()) && Change((o.*get)(), value, [&] { (o.*set)(value); });
        };
    } else if (control == m_w.colour || control == m_w.subColour) {
        const bool main = control == m_w.colour;
        const std::string name = static_cast<CColourComboBox *>(control)->ChosenName();
        if (name.empty())
            return;
        write = [main, name](CObjectData &o) {
            if (o.Type() != kTypeText)
                return false;
            return main ? Change(o.TextCol(), name, [&] { o.SetTextCol(name); })
                        : Change(o.TextColSub(), name, [&] { o.SetTextColSub(name); });
        };
    } else {
        return;
    }
    CKXDialogData *dialog = m_selection.empty() ? nullptr : DialogOf(*m_selection.front());
    if (!dialog)
        return;
    bool changed = false;
    for (CObjectData *object : m_selection)
        changed = write(*object) || changed;
    if (changed)
        EndDialogEdit(dialog, what, {kx::StepAction::Edit, kx::StepSubject::Objects, {}});
    else
        Fill();
}

void CPropertyPanel::NameColourFields()
{
    if (!m_colourRow)
        return;
    const bool dialog = m_kind == PropertyKind::Dialog;
    m_colourRow->label->setText(dialog ? tr("背景色:") : tr("色:"));
    m_w.colour->setToolTip(dialog ? tr("背景色") : tr("文字色"));
    m_w.subColour->setToolTip(tr("エフェクト色"));
}
