// "resourceid.h": a numeric identifier for every font definition, image definition and dialog of
// the project, numbered from the run's counters in list order.
#include "codegen/generation_state.h"
#include "model/project_context.h"
#include "model/vocabulary.h"
#include "projectfile/xml_file.h"

#include <string>
#include <string_view>

namespace {

constexpr const char *kFileName = "resourceid.h";

// Names are padded to this width like printf's "%-30s", so that the numbers line up; a longer
// name is kept whole and followed by one blank.
constexpr std::size_t kNameColumns = 30;

std::string PaddedName(std::string_view name)
{
    std::string text(name);
    if (text.size() < kNameColumns)
        text.append(kNameColumns - text.size(), ' ');
    return text;
}

// Upper-cases the ASCII letters of a CP932 text. The trail byte of a double-byte character may
// look like a letter and is left alone, so such a character is never turned into another one.
std::string UpperCaseAscii(std::string_view text)
{
    std::string upper(text);
    for (std::size_t i = 0; i < upper.size(); ++i) {
        const auto byte = static_cast<unsigned char>(upper[i]);
        if (kx::IsCp932LeadByte(byte))
            ++i;
        else if (byte >= 'a' && byte <= 'z')
            upper[i] = static_cast<char>(byte - 'a' + 'A');
    }
    return upper;
}

// One "#define" line; the identifier is the counter's value, and the counter moves on.
void WriteDefine(CXmlFile &file, std::string_view paddedName, int &counter)
{
    const int id = counter++;
    file.WriteText("#define ").WriteText(paddedName).WriteText(" ").WriteInt(id).WriteText("\n");
}

void WriteFontDefines(CXmlFile &file, const CProjectContext &project, int &counter)
{
    file.WriteText("\n");
    file.WriteText("// Font\n");
    for (const auto &font : project.Fonts())
        WriteDefine(file, PaddedName(font->Name()), counter);
}

void WriteImageDefines(CXmlFile &file, const CProjectContext &project, int &counter)
{
    file.WriteText("\n");
    file.WriteText("// Image\n");
    for (const auto &image : project.Images())
        WriteDefine(file, PaddedName(image->Name()), counter);
}

// The dialog constants are the upper-cased class names, which the dialog class sources pass to
// the library's dialog constructor.
void WriteDialogDefines(CXmlFile &file, const CProjectContext &project, int &counter)
{
    file.WriteText("\n");
    file.WriteText("// Dialog\n");
    for (const auto &dialog : project.Dialogs())
        WriteDefine(file, UpperCaseAscii(PaddedName(dialog->ClassName())), counter);
}

} // namespace

namespace kx {

bool WriteResourceIdHeader(const CProjectContext *project, const std::string &folder,
    GenerationState &state, std::string &fileName)
{
    fileName = kFileName;
    if (!project)
        return false;
    CXmlFile file;
    if (!file.OpenForGeneration(folder + kFileName))
        return false;
    file.WriteBanner(true);
    file.WriteText("#pragma once\n");
    // The keyboard pseudo-object that the generated dialog sources name in their examples.
    file.WriteText("#define KEYBOARD ").WriteText("999").WriteText("\n");
    WriteFontDefines(file, *project, state.fontCounter);
    WriteImageDefines(file, *project, state.imageCounter);
    WriteDialogDefines(file, *project, state.dialogCounter);
    return file.Close();
}

} // namespace kx
