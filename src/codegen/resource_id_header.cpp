// "resourceid.h": a numeric identifier for every font definition, image definition and dialog of
// the project, numbered from the run's counters in list order.
#include "codegen/code_stream.h"
#include "codegen/generated_file.h"
#include "codegen/generation_state.h"
#include "model/project_context.h"

#include <string>
#include <string_view>

namespace {

constexpr const char *kFileName = "resourceid.h";

using kx::CodeStream;

// Names are padded to this width like printf's "%-30s", so that the numbers line up; a longer
// name is kept whole and followed by one blank.
constexpr std::size_t kNameColumns = 30;

// One "#define" line; the identifier is the counter's value, and the counter moves on.
void WriteDefine(CodeStream &out, std::string_view what, std::string_view name, int &counter)
{
    const int id = counter++;
    out << "#define " << kx::Identifier {what, name} << kx::Padding {name, kNameColumns} << " "
        << id << "\n";
}

void WriteFontDefines(CodeStream &out, const CProjectContext &project, int &counter)
{
    out << "\n";
    out << "// Font\n";
    for (const auto &font : project.Fonts())
        WriteDefine(out, "font", font->Name(), counter);
}

void WriteImageDefines(CodeStream &out, const CProjectContext &project, int &counter)
{
    out << "\n";
    out << "// Image\n";
    for (const auto &image : project.Images())
        WriteDefine(out, "image", image->Name(), counter);
}

// The dialog constants are the upper-cased class names, which the dialog class sources pass to
// the library's dialog constructor. Names are UTF-8, whose multibyte characters hold no ASCII
// byte, so only ASCII letters change.
void WriteDialogDefines(CodeStream &out, const CProjectContext &project, int &counter)
{
    out << "\n";
    out << "// Dialog\n";
    for (const auto &dialog : project.Dialogs())
        WriteDefine(out, "dialog class", kx::AsciiUpper(dialog->ClassName()), counter);
}

} // namespace

namespace kx {

GenerationResult WriteResourceIdHeader(
    const CProjectContext *project, const std::string &folder, GenerationState &state)
{
    if (!project)
        return NotGenerated(kFileName, "no project is open");
    return WriteGeneratedFile(folder, kFileName, true, [&](CodeStream &out) {
        out << "#pragma once\n";
        // The keyboard pseudo-object that the generated dialog sources name in their examples.
        out << "#define KEYBOARD "
            << "999"
            << "\n";
        WriteFontDefines(out, *project, state.fontCounter);
        WriteImageDefines(out, *project, state.imageCounter);
        WriteDialogDefines(out, *project, state.dialogCounter);
    });
}

} // namespace kx
