// The "Object" and "Objects" elements of the project file, and the same elements as the
// clipboard carries them.
#include "model/object_data_list.h"
#include "model/resource_lists.h"
#include "model/vocabulary.h"
#include "platform/text_conversion.h"
#include "projectfile/xml_text.h"

using kx::AppendElement;
using kx::AppendPair;

namespace {

constexpr std::string_view kGroupIndent = "\t\t\t";
constexpr std::string_view kGroupValueIndent = "\t\t\t\t";
constexpr std::string_view kObjectIndent = "\t\t\t\t";
constexpr std::string_view kValueIndent = "\t\t\t\t\t";

// The group's own lines; the clipboard form writes its "Attr" one tab deeper.
void AppendGroupHead(std::string &out, const CObjectDataList &group, std::string_view attrIndent)
{
    out += kGroupIndent;
    out += "<Objects>\n";
    AppendElement(out, kGroupValueIndent, "Name", group.Name());
    AppendElement(out, attrIndent, "Attr", kx::ObjectStates().Word(group.Attr()));
    AppendPair(out, kGroupValueIndent, "Position", group.X(), group.Y());
    AppendElement(out, kGroupValueIndent, "Radio", kx::SwitchWord(group.Radio()));
    AppendElement(out, kGroupValueIndent, "Lock", kx::SwitchWord(group.Lock()));
    AppendElement(out, kGroupValueIndent, "Hide", kx::SwitchWord(group.Hide()));
}

void AppendGroupTail(std::string &out)
{
    out += kGroupIndent;
    out += "</Objects>\n";
}

// The text and layout lines shared by buttons, edit boxes, frames and texts.
void AppendText(
    std::string &out, const CObjectData &o, std::string_view font, std::string_view text)
{
    out += kValueIndent;
    out += "<Text>";
    out += text; // already escaped with the object-text escape words
    out += "</Text>\n";
    AppendElement(out, kValueIndent, "GetText", kx::SwitchWord(o.IsGetText()));
    AppendElement(out, kValueIndent, "Font", font);
    AppendElement(out, kValueIndent, "MarginX", o.MarginX());
    AppendElement(out, kValueIndent, "MarginY", o.MarginY());
    AppendElement(out, kValueIndent, "AlignX", kx::AlignXWords().Word(o.AlignX()));
    AppendElement(out, kValueIndent, "AlignY", kx::AlignYWords().Word(o.AlignY()));
    AppendElement(out, kValueIndent, "Stretch", kx::StretchWords().Word(o.Stretch()));
}

} // namespace

void CObjectData::FormatXml(
    std::string &out, bool convertToUtf8, const CImageDataList *images) const
{
    const int type = Type();
    std::string_view font = Font();
    if ((type == kTypeButton || type == kTypeEditbox || type == kTypeFrame) && font.empty()
        && images) {
        if (const CImageData *image = images->FindLastByName(Image()))
            font = image->FontName();
    }
    std::string text = kx::EscapeObjectText(Text());
    if (convertToUtf8)
        text = kx::ToUtf8(text);

    out += kObjectIndent;
    out += "<Object>\n";
    AppendElement(out, kValueIndent, "Type", kx::ObjectTypes().Word(type));
    AppendElement(out, kValueIndent, "Attr", kx::ObjectStates().Word(Attr()));
    AppendElement(out, kValueIndent, "Name", Name());
    AppendPair(out, kValueIndent, "Position", X(), Y());
    AppendElement(out, kValueIndent, "Lock", kx::SwitchWord(Lock()));
    AppendElement(out, kValueIndent, "Hide", kx::SwitchWord(Hide()));

    switch (type) {
    case kTypeButton:
    case kTypeEditbox:
        AppendElement(out, kValueIndent, "Width", Width());
        AppendElement(out, kValueIndent, "Image", Image());
        AppendText(out, *this, font, text);
        AppendElement(out, kValueIndent, "Repeat", kx::SwitchWord(Repeat()));
        if (type == kTypeButton) {
            AppendElement(out, kValueIndent, "PushClick", kx::SwitchWord(PushClick()));
            AppendElement(out, kValueIndent, "PushTime", PushTime());
        }
        AppendElement(out, kValueIndent, "Linespace", Linespace());
        break;
    case kTypeFrame:
        AppendPair(out, kValueIndent, "Size", Width(), Height());
        AppendElement(out, kValueIndent, "Image", Image());
        AppendText(out, *this, font, text);
        AppendElement(out, kValueIndent, "Linespace", Linespace());
        break;
    case kTypePicture:
    case kTypeIcon:
        AppendPair(out, kValueIndent, "Size", Width(), Height());
        AppendElement(out, kValueIndent, "ImageFile", ImageFile());
        break;
    case kTypeMovie:
        AppendElement(out, kValueIndent, "Loop", Repeat() ? "LOOP" : "ONCE");
        AppendElement(out, kValueIndent, "ImageFile", ImageFile());
        break;
    case kTypeCanvas:
        AppendPair(out, kValueIndent, "Size", Width(), Height());
        break;
    case kTypeText:
        AppendPair(out, kValueIndent, "Size", Width(), Height());
        AppendText(out, *this, font, text);
        AppendElement(out, kValueIndent, "TextCol", TextCol());
        AppendElement(out, kValueIndent, "TextColSub", TextColSub());
        AppendElement(out, kValueIndent, "Vertical", kx::SwitchWord(Vertical()));
        AppendElement(out, kValueIndent, "Linespace", Linespace());
        break;
    default:
        break;
    }
    AppendElement(out, kValueIndent, "Click", kx::SwitchWord(Click()));
    out += kObjectIndent;
    out += "</Object>\n";
}

void CObjectData::WriteXml(std::string &out, const CImageDataList *images) const
{
    FormatXml(out, true, images);
}

void CObjectData::AppendSelectionXml(std::string &out, const CImageDataList *images) const
{
    if (IsSelected())
        FormatXml(out, false, images);
}

void CObjectDataList::WriteXml(std::string &out, const CImageDataList *images) const
{
    AppendGroupHead(out, *this, kGroupValueIndent);
    for (CObjectData *child : Children())
        child->WriteXml(out, images);
    AppendGroupTail(out);
}

void CObjectDataList::AppendSelectionXml(std::string &out, const CImageDataList *images) const
{
    const auto &children = Children();
    const bool any = std::any_of(
        children.begin(), children.end(), [](const CObjectData *c) { return c->IsSelected(); });
    if (!any)
        return;
    AppendGroupHead(out, *this, kValueIndent);
    for (CObjectData *child : children)
        child->AppendSelectionXml(out, images);
    AppendGroupTail(out);
}
