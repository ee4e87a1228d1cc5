#include "projectfile/project_writer.h"

#include "model/object_data_list.h"
#include "model/project_context.h"
#include "model/vocabulary.h"
#include "platform/text_conversion.h"
#include "projectfile/xml_file.h"
#include "projectfile/xml_text.h"

namespace kx {

namespace {

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\"?>\n";

void AppendProperty(std::string &out, const CProjectContext &project)
{
    out += "\t<Property>\n";
    AppendElement(out, "\t\t", "Name", project.Root().ProjectName());
    for (int i = 0; i < kPrefixCount; ++i) {
        AppendElement(out, "\t\t", PrefixRows()[i].element,
            project.Prefixes().Get(static_cast<PrefixIndex>(i)));
    }
    out += "\t</Property>\n";
}

void AppendFont(std::string &out, const CFontData &font)
{
    out += "\t\t<Font>\n";
    AppendElement(out, "\t\t\t", "Name", font.Name());
    AppendElement(out, "\t\t\t", "File", font.File());
    AppendElement(out, "\t\t\t", "Size", font.Size());
    AppendElement(out, "\t\t\t", "Effect", FontEffects().Word(font.Effect()));
    AppendElement(out, "\t\t\t", "Bold", SwitchWord(font.Bold()));
    AppendElement(out, "\t\t\t", "BoldEffect", SwitchWord(font.BoldEffect()));
    out += "\t\t</Font>\n";
}

// Button and edit-box images write file, colour and secondary colour of every slot that has a
// file; frame images write their parts, with the colours of the first part only.
void AppendStateLines(std::string &out, const CImageData &image)
{
    const WordTable &slots = ImageSlotWords(image.Type());
    if (image.Type() == 0 || image.Type() == 1) {
        for (int slot = 0; slot < slots.Count(); ++slot) {
            if (image.SlotFile(slot).empty())
                continue;
            const std::string word = slots.Word(slot);
            AppendElement(out, "\t\t\t", word, image.SlotFile(slot));
            AppendElement(out, "\t\t\t", word + "Col", image.SlotColour(slot));
            AppendElement(out, "\t\t\t", word + "ColSub", image.SlotSubColour(slot));
        }
    } else if (image.Type() == 2) {
        for (int slot = 0; slot < slots.Count(); ++slot) {
            if (image.SlotFile(slot).empty())
                continue;
            AppendElement(out, "\t\t\t", slots.Word(slot), image.SlotFile(slot));
            if (slot == 0) {
                AppendElement(out, "\t\t\t", "TopCol", image.SlotColour(0));
                AppendElement(out, "\t\t\t", "TopColSub", image.SlotSubColour(0));
            }
        }
    }
}

void AppendImage(std::string &out, const CImageData &image)
{
    out += "\t\t<Image>\n";
    AppendElement(out, "\t\t\t", "Type", ObjectTypes().Word(image.Type()));
    AppendElement(out, "\t\t\t", "Name", image.Name());
    AppendStateLines(out, image);
    AppendElement(out, "\t\t\t", "Font", image.FontName());
    AppendElement(out, "\t\t\t", "MarginX", image.MarginX());
    AppendElement(out, "\t\t\t", "MarginY", image.MarginY());
    AppendElement(out, "\t\t\t", "AlignX", AlignXWords().Word(image.AlignX()));
    AppendElement(out, "\t\t\t", "AlignY", AlignYWords().Word(image.AlignY()));
    AppendElement(out, "\t\t\t", "Stretch", StretchWords().Word(image.Stretch()));
    out += "\t\t</Image>\n";
}

void AppendFontsAndImages(std::string &out, const CProjectContext &project)
{
    out += "\t<Fonts>\n";
    for (const auto &font : project.Fonts())
        AppendFont(out, *font);
    out += "\t</Fonts>\n";
    out += "\t<Images>\n";
    for (const auto &image : project.Images())
        AppendImage(out, *image);
    out += "\t</Images>\n";
}

void AppendDialog(std::string &out, const CKXDialogData &dialog, const CImageDataList &images)
{
    out += "\t\t<Dialog>\n";
    AppendElement(out, "\t\t\t", "Name", dialog.Name());
    AppendElement(out, "\t\t\t", "Title", ToUtf8(dialog.Title()));
    AppendPair(out, "\t\t\t", "Position", dialog.X(), dialog.Y());
    AppendPair(out, "\t\t\t", "Size", dialog.Width(), dialog.Height());
    AppendElement(out, "\t\t\t", "ColorBG", dialog.BackgroundColour());
    dialog.RootGroup()->WriteXml(out, &images);
    out += "\t\t</Dialog>\n";
}

} // namespace

std::string FormatProject(const CProjectContext &project, std::string_view dialogFilter)
{
    std::string out;
    out.reserve(4096);
    out += kDeclaration;
    out += "<root>\n";
    AppendProperty(out, project);
    AppendFontsAndImages(out, project);
    out += "\t<Dialogs>\n";
    for (const auto &dialog : project.Dialogs()) {
        if (dialogFilter.empty() || dialog->Name() == dialogFilter)
            AppendDialog(out, *dialog, project.Images());
    }
    out += "\t</Dialogs>\n";
    out += "</root>\n";
    return out;
}

std::string FormatFontsAndImages(const CProjectContext &project)
{
    std::string out;
    out += kDeclaration;
    out += "<root>\n";
    AppendFontsAndImages(out, project);
    out += "</root>\n";
    return out;
}

std::string FormatFontElement(const CFontData &font)
{
    std::string out;
    AppendFont(out, font);
    return out;
}

std::string FormatImageElement(const CImageData &image)
{
    std::string out;
    AppendImage(out, image);
    return out;
}

std::string FormatDialogElement(const CKXDialogData &dialog, const CImageDataList &images)
{
    std::string out;
    AppendDialog(out, dialog, images);
    return out;
}

bool WriteProject(const CProjectContext &project, const std::string &path,
    std::string_view dialogFilter, std::string *error)
{
    return CXmlFile::WriteWhole(path, FormatProject(project, dialogFilter), error);
}

bool WriteFontsAndImages(
    const CProjectContext &project, const std::string &path, std::string *error)
{
    return CXmlFile::WriteWhole(path, FormatFontsAndImages(project), error);
}

} // namespace kx
