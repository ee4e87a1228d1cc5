// The per-object passes of the design generator, for objects and groups: the enumerators of the
// design header, the GetIdName cases and the SetImage statements of the design source, and the
// click cases of the dialog class source. Each pass is its own walk over the tree in pre-order.
#include "codegen/design_context.h"
#include "codegen/handler_names.h"
#include "model/object_data_list.h"
#include "model/resource_lists.h"
#include "model/vocabulary.h"

#include <string>
#include <string_view>

using kx::Ascii;
using kx::CodeStream;
using kx::DesignContext;
using kx::Identifier;
using kx::IdentifierTail;
using kx::Literal;
using kx::QuotedFileName;
using kx::QuotedText;

namespace {

// Values the library assumes when an argument or setter is left out.
constexpr int kDefaultLinespace = 10;
constexpr int kDefaultPushTime = 200;

// Width of the case labels of GetIdName (the name and its colon), which line up the return
// statements of short names.
constexpr std::size_t kIdNameColumns = 16;

Ascii AttrName(int attr)
{
    return {kx::ObjectStates().Constant(attr)};
}

// The alignment argument: the horizontal and vertical alignment, then the stretch mode unless it
// is the normal one, which has no constant of its own.
void WriteAlign(CodeStream &out, const CObjectData &o)
{
    out << Ascii {kx::AlignXWords().Constant(o.AlignX())} << '|'
        << Ascii {kx::AlignYWords().Constant(o.AlignY())};
    if (o.Stretch() != 0)
        out << '|' << Ascii {kx::StretchWords().Constant(o.Stretch())};
}

// The object's text between double quotes, exactly as held (a quote inside it is not
// escaped). It is wrapped for the gettext lookup when the run supports GetText and the object
// asks for it; an empty text is never wrapped, since there is nothing to translate.
void WriteQuotedText(CodeStream &out, const CObjectData &o, const DesignContext &context)
{
    const QuotedText text {o.Name(), o.Text()};
    if (context.getTextSupport && o.IsGetText() && !o.Text().empty())
        out << "_(\"" << text << "\")";
    else
        out << '"' << text << '"';
}

// The font a button, edit box or frame is built with. One without a font of its own takes its
// image definition's, as saving the project does, so that a project generates the same code
// before and after it was saved, and an empty name is never written as an argument.
std::string_view StyleFont(const CObjectData &o, const CImageData *image)
{
    if (o.Font().empty() && image)
        return image->FontName();
    return o.Font();
}

// Whether the object's text layout differs from what its image definition gives the library
// by itself: the library takes the font, both alignments and the horizontal margin from the
// definition, but no vertical margin and no stretch mode, so any of those is a difference.
// Without a definition there is nothing to compare with, and nothing differs.
bool StyleDiffers(const CObjectData &o, const CImageData *image)
{
    if (!image)
        return false;
    return StyleFont(o, image) != image->FontName() || o.AlignX() != image->AlignX()
        || o.AlignY() != image->AlignY() || o.MarginX() != image->MarginX() || o.MarginY() != 0
        || o.Stretch() != 0;
}

// The style arguments of buttons, edit boxes and frames, then their line spacing. The spacing
// comes after the full style arguments, so a spacing other than the default needs them even when
// the style is the definition's; otherwise a state other than Normal is written alone.
void WriteStyle(CodeStream &out, const CObjectData &o, const DesignContext &context)
{
    const CImageData *image = context.images ? context.images->FindLastByName(o.Image()) : nullptr;
    if (StyleDiffers(o, image) || o.Linespace() != kDefaultLinespace) {
        out << ',' << AttrName(o.Attr()) << ',' << Identifier {"font", StyleFont(o, image)} << ',';
        WriteAlign(out, o);
        out << ',' << o.MarginX() << ',' << o.MarginY();
    } else if (o.Attr() != 0) {
        out << ',' << AttrName(o.Attr());
    }
    if (o.Linespace() != kDefaultLinespace)
        out << ',' << o.Linespace();
}

// The last arguments of a text: the spacing when it is not the default or when the vertical flag
// has to follow it, then the flag.
void WriteLines(CodeStream &out, const CObjectData &o)
{
    if (o.Linespace() != kDefaultLinespace || o.Vertical())
        out << ',' << o.Linespace();
    if (o.Vertical())
        out << ",TRUE";
}

// ---- Statements, one per object type ----

// AddButton and AddEditbox take the same arguments.
void WriteStateImageObject(
    CodeStream &out, const CObjectData &o, int level, const DesignContext &context, Literal call)
{
    out << "\tobj = pGroup" << level << call << Identifier {"object", o.Name()} << ',';
    WriteQuotedText(out, o, context);
    out << ',' << o.X() << ',' << o.Y() << ',' << o.Width() << ','
        << Identifier {"image", o.Image()};
    WriteStyle(out, o, context);
    out << ");\n";
}

void WriteFrame(CodeStream &out, const CObjectData &o, int level, const DesignContext &context)
{
    out << "\tobj = pGroup" << level << "->AddFrame(this," << Identifier {"object", o.Name()}
        << ',';
    WriteQuotedText(out, o, context);
    out << ',' << o.X() << ',' << o.Y() << ',' << o.Width() << ',' << o.Height() << ','
        << Identifier {"image", o.Image()};
    WriteStyle(out, o, context);
    out << ");\n";
}

// AddPicture and AddIcon take the same arguments.
void WritePicture(CodeStream &out, const CObjectData &o, int level, Literal call)
{
    out << "\tobj = pGroup" << level << call << ',' << Identifier {"object", o.Name()} << ','
        << o.X() << ',' << o.Y() << ',' << o.Width() << ',' << o.Height() << ",\""
        << QuotedFileName {"picture file", o.ImageFile()} << '"';
    if (o.Attr() != 0)
        out << ',' << AttrName(o.Attr());
    out << ");\n";
}

// A movie has no size; the state has to be written whenever the loop flag follows it.
void WriteMovie(CodeStream &out, const CObjectData &o, int level)
{
    const bool loop = o.Repeat(); // "Loop" of movies is held in the "Repeat" field
    out << "\tobj = pGroup" << level << "->AddMovie(this" << ',' << Identifier {"object", o.Name()}
        << ',' << o.X() << ',' << o.Y() << ",\"" << QuotedFileName {"picture file", o.ImageFile()}
        << '"';
    if (o.Attr() != 0 || loop)
        out << ',' << AttrName(o.Attr());
    if (loop)
        out << ",TRUE";
    out << ");\n";
}

void WriteCanvas(CodeStream &out, const CObjectData &o, int level)
{
    out << "\tobj = pGroup" << level << "->AddCanvas(this" << ',' << Identifier {"object", o.Name()}
        << ',' << o.X() << ',' << o.Y() << ',' << o.Width() << ',' << o.Height();
    if (o.Attr() != 0)
        out << ',' << AttrName(o.Attr());
    out << ");\n";
}

// A text always states its font, state, colours and layout.
void WriteTextObject(CodeStream &out, const CObjectData &o, int level, const DesignContext &context)
{
    out << "\tobj = pGroup" << level << "->AddText(this," << Identifier {"object", o.Name()} << ',';
    WriteQuotedText(out, o, context);
    out << ',' << o.X() << ',' << o.Y() << ',' << o.Width() << ',' << o.Height() << ','
        << Identifier {"font", o.Font()} << ',' << AttrName(o.Attr()) << ",KX_COL_"
        << IdentifierTail {"colour", o.TextCol()} << ",KX_COL_"
        << IdentifierTail {"colour", o.TextColSub()} << ',';
    WriteAlign(out, o);
    out << ',' << o.MarginX() << ',' << o.MarginY();
    WriteLines(out, o);
    out << ");\n";
}

// ---- Setter lines after the statement ----

// Buttons are clickable unless told otherwise; edit boxes take only the first two setters.
void WriteButtonSetters(CodeStream &out, const CObjectData &o, bool withPushClick)
{
    if (o.Repeat())
        out << "\tobj->SetEnableRepeat(TRUE);\n";
    if (!o.Click())
        out << "\tobj->SetClickable(FALSE);\n";
    if (!withPushClick)
        return;
    if (o.PushClick())
        out << "\tobj->SetPushClickEnable(TRUE);\n";
    if (o.PushTime() != kDefaultPushTime)
        out << "\tobj->SetPushClickTime(" << o.PushTime() << ");\n";
}

// Every other object is created not clickable.
void WriteClickableSetter(CodeStream &out, const CObjectData &o)
{
    if (o.Click())
        out << "\tobj->SetClickable(TRUE);\n";
}

} // namespace

namespace kx {

void WriteIdNameCase(CodeStream &out, Identifier id)
{
    // The label's colon counts into its width.
    out << "\tcase " << id << ':' << Padding {id.name, kIdNameColumns - 1} << " return \"" << id
        << "\";\n";
}

} // namespace kx

// ---- Objects ----

void CObjectData::EmitEnumerator(CodeStream &out) const
{
    out << '\t' << Identifier {"object", Name()} << ",\n";
}

void CObjectData::EmitIdNameCase(CodeStream &out) const
{
    kx::WriteIdNameCase(out, {"object", Name()});
}

void CObjectData::EmitDesign(CodeStream &out, int level, const DesignContext &context) const
{
    switch (Type()) {
    case kTypeButton:
        WriteStateImageObject(out, *this, level, context, "->AddButton(this,");
        WriteButtonSetters(out, *this, true);
        break;
    case kTypeEditbox:
        WriteStateImageObject(out, *this, level, context, "->AddEditbox(this,");
        WriteButtonSetters(out, *this, false);
        break;
    case kTypeFrame:
        WriteFrame(out, *this, level, context);
        WriteClickableSetter(out, *this);
        break;
    case kTypePicture:
        WritePicture(out, *this, level, "->AddPicture(this");
        WriteClickableSetter(out, *this);
        break;
    case kTypeIcon:
        WritePicture(out, *this, level, "->AddIcon(this");
        WriteClickableSetter(out, *this);
        break;
    case kTypeMovie:
        WriteMovie(out, *this, level);
        WriteClickableSetter(out, *this);
        break;
    case kTypeCanvas:
        WriteCanvas(out, *this, level);
        WriteClickableSetter(out, *this);
        break;
    case kTypeText:
        WriteTextObject(out, *this, level, context);
        WriteClickableSetter(out, *this);
        break;
    default:
        // A type the library cannot build (only a damaged model has one) writes nothing.
        break;
    }
}

void CObjectData::EmitClickCase(CodeStream &out) const
{
    if (kx::HasClickCase(*this))
        out << "\t \tcase " << Identifier {"object", Name()} << ":\n"
            << "\t \t\tbreak;\n";
}

// ---- Groups ----

void CObjectDataList::EmitEnumerator(CodeStream &out) const
{
    if (!IsRoot())
        CObjectData::EmitEnumerator(out);
    for (const CObjectData *child : Children())
        child->EmitEnumerator(out);
}

void CObjectDataList::EmitIdNameCase(CodeStream &out) const
{
    if (!IsRoot())
        CObjectData::EmitIdNameCase(out);
    for (const CObjectData *child : Children())
        child->EmitIdNameCase(out);
}

void CObjectDataList::EmitDesign(CodeStream &out, int level, const DesignContext &context) const
{
    const int own = level + 1;
    // The top of the tree has no group variable to add itself to: it takes the dialog's group.
    if (level == 0) {
        out << "\tpGroup" << own << " = Group();\n";
    } else {
        out << "\tpGroup" << own << " = pGroup" << level << "->AddGroup(this,"
            << Identifier {"group", Name()} << ',' << AbsoluteX() << ',' << AbsoluteY();
        if (Attr() != 0)
            out << ',' << AttrName(Attr());
        out << ");\n";
    }
    if (Radio())
        out << "\tpGroup" << own << "->SetRadioButton(TRUE);\n";
    for (const CObjectData *child : Children())
        child->EmitDesign(out, own, context);
}

void CObjectDataList::EmitClickCase(CodeStream &out) const
{
    for (const CObjectData *child : Children())
        child->EmitClickCase(out);
}
