#include "check/project_check.h"

#include "check/check_run.h"
#include "model/object_data_list.h"
#include "model/project_context.h"
#include "model/vocabulary.h"
#include "projectfile/project_reader.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace kx {

namespace {

// Project files larger than this are not read: the editor's own files of even very large
// projects stay far below it.
constexpr std::uintmax_t kMaxProjectFileBytes = std::uintmax_t {256} << 20;

constexpr std::array<const char *, 16> kKindWords {
    "unreadable-file",
    "not-well-formed",
    "not-a-project",
    "duplicate-name",
    "bad-name",
    "name-clash",
    "unknown-reference",
    "wrong-image-type",
    "missing-file",
    "unsafe-file-name",
    "undecodable-picture",
    "unusable-font",
    "missing-glyph",
    "missing-state-picture",
    "outside-dialog",
    "zero-size",
};
static_assert(kKindWords.size() == static_cast<std::size_t>(ProblemKind::kZeroSize) + 1);

// The objects of a dialog in pre-order, the root group first.
void Collect(const CObjectData &object, std::vector<const CObjectData *> &out)
{
    out.push_back(&object);
    if (object.IsGroup()) {
        for (const CObjectData *child : static_cast<const CObjectDataList &>(object).Children())
            Collect(*child, out);
    }
}

// A message of the reader on one line: its line breaks become blanks, its end is trimmed.
std::string OneLine(std::string_view text)
{
    std::string line;
    for (const char c : text)
        line += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

Problem FileProblem(ProblemKind kind, int line, std::string message)
{
    Problem problem;
    problem.severity = Severity::kError;
    problem.kind = kind;
    problem.line = line;
    problem.message = std::move(message);
    return problem;
}

} // namespace

const char *SeverityWord(Severity severity)
{
    return severity == Severity::kError ? "error" : "warning";
}

const char *ProblemKindWord(ProblemKind kind)
{
    const auto index = static_cast<std::size_t>(kind);
    return index < kKindWords.size() ? kKindWords[index] : "problem";
}

std::string Quoted(std::string_view name)
{
    std::string text = "\"";
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            text += '\\';
            text += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            text += escaped;
        } else {
            text += c;
        }
    }
    return text + '"';
}

std::string ObjectLabel(const CObjectData &object)
{
    const char *type = object.IsGroup() ? "group" : ObjectTypes().Word(object.Type());
    return std::string(*type ? type : "object") + ' ' + Quoted(object.Name());
}

bool StaysInFolder(std::string_view file)
{
    if (file.empty() || file.front() == '/' || file.find('\0') != std::string_view::npos)
        return false;
    std::size_t start = 0;
    while (start <= file.size()) {
        const std::size_t slash = std::min(file.find('/', start), file.size());
        if (file.substr(start, slash - start) == "..")
            return false;
        start = slash + 1;
    }
    return true;
}

CheckRun::CheckRun(const CProjectContext &project, const ProjectLines &lines)
    : m_project(project)
    , m_lines(lines)
    , m_fonts(project, m_ignored)
{ }

std::vector<Problem> CheckRun::Run()
{
    for (const auto &dialog : m_project.Dialogs()) {
        DialogTree &tree = m_trees.emplace_back(DialogTree {dialog.get(), {}});
        Collect(*dialog->RootGroup(), tree.objects);
        MapObjectLines(*dialog, tree.objects);
    }
    CheckDuplicateDefinitions();
    CheckNames();
    CheckNameClashes();
    CheckFonts();
    CheckImageDefinitions();
    for (const DialogTree &tree : m_trees) {
        CheckDuplicateObjectNames(*tree.dialog, tree.objects);
        CheckObjects(*tree.dialog, tree.objects);
        CheckTitle(*tree.dialog);
    }
    std::stable_sort(m_problems.begin(), m_problems.end(),
        [](const Problem &a, const Problem &b) { return a.line < b.line; });
    return std::move(m_problems);
}

void CheckRun::MapObjectLines(
    const CKXDialogData &dialog, const std::vector<const CObjectData *> &objects)
{
    const DialogLines *lines = m_lines.Dialog(dialog.Name());
    // A dialog without any group element still has its root group, which then sits at the line
    // of the dialog.
    if (lines && lines->nodes.empty() && objects.size() == 1) {
        m_objectLines[objects.front()] = lines->line;
        return;
    }
    // A file whose tree differs from the model (it changed since it was read) tells nothing.
    if (!lines || lines->nodes.size() != objects.size())
        return;
    for (std::size_t i = 0; i < objects.size(); ++i)
        m_objectLines[objects[i]] = lines->nodes[i].line;
}

Problem CheckRun::At(const CKXDialogData &dialog) const
{
    Problem problem;
    problem.dialog = &dialog;
    problem.dialogName = dialog.Name();
    if (const DialogLines *lines = m_lines.Dialog(dialog.Name()))
        problem.line = lines->line;
    return problem;
}

Problem CheckRun::At(const CKXDialogData &dialog, const CObjectData &object) const
{
    Problem problem = At(dialog);
    problem.object = &object;
    problem.objectName = object.Name();
    if (const auto found = m_objectLines.find(&object); found != m_objectLines.end())
        problem.line = found->second;
    return problem;
}

Problem CheckRun::At(const CFontData &font) const
{
    Problem problem;
    problem.font = &font;
    problem.fontName = font.Name();
    if (const ElementLine *line = m_lines.Font(font.Name()))
        problem.line = line->line;
    return problem;
}

Problem CheckRun::At(const CImageData &image) const
{
    Problem problem;
    problem.image = &image;
    problem.imageName = image.Name();
    if (const ElementLine *line = m_lines.Image(image.Name()))
        problem.line = line->line;
    return problem;
}

void CheckRun::Report(Problem problem, Severity severity, ProblemKind kind, std::string message)
{
    problem.severity = severity;
    problem.kind = kind;
    problem.message = std::move(message);
    m_problems.push_back(std::move(problem));
}

bool CheckRun::IsUsable(const CFontData *font) const
{
    const auto found = m_usableFonts.find(font);
    return found != m_usableFonts.end() && found->second;
}

const IPicture *CheckRun::DecodedPicture(std::string_view file)
{
    return m_pictures.Find(m_project.ImagePath(file));
}

std::vector<Problem> CheckProject(const CProjectContext &project, const ProjectLines &lines)
{
    return CheckRun(project, lines).Run();
}

std::vector<Problem> CheckProjectFile(const std::string &path, CProjectContext &project)
{
    std::error_code error;
    const std::filesystem::path file(path);
    if (!std::filesystem::is_regular_file(file, error))
        return {FileProblem(ProblemKind::kUnreadableFile, 0, "cannot read the project file")};
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size > kMaxProjectFileBytes)
        return {FileProblem(ProblemKind::kUnreadableFile, 0,
            "the project file is larger than " + std::to_string(kMaxProjectFileBytes >> 20)
                + " MiB")};
    std::ifstream in(file, std::ios::binary);
    std::string content(static_cast<std::size_t>(size), '\0');
    if (!in.read(content.data(), static_cast<std::streamsize>(size)))
        return {FileProblem(ProblemKind::kUnreadableFile, 0, "cannot read the project file")};

    const ProjectLines lines = ScanProjectLines(content);
    std::vector<Problem> fileProblems;
    if (lines.errorLine > 0) {
        fileProblems.push_back(FileProblem(ProblemKind::kNotWellFormed, lines.errorLine,
            "the XML is not well-formed (" + lines.error
                + "); the editor reads the file only up to here"));
    } else if (lines.propertyLine == 0 && lines.fonts.empty() && lines.images.empty()
        && lines.dialogs.empty()) {
        fileProblems.push_back(FileProblem(ProblemKind::kNotAProject, 1,
            "no project: the file has no Property, Font, Image or Dialog element"));
    }

    // The project's pictures and fonts are looked up beside the file, as the editor does.
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    project.SetProjectFolder((error ? file : absolute).parent_path().string());
    RecordingMessageSink messages;
    ProjectReader reader(project, messages);
    if (!reader.ReadContent(content, path)) {
        // The reader refuses what is no project (its first element is not the project's); the
        // scan may have said so already.
        if (fileProblems.empty())
            fileProblems.push_back(
                FileProblem(ProblemKind::kNotAProject, 1, OneLine(reader.LastError())));
    } else if (reader.ParseFailed() && lines.errorLine == 0) {
        // The reader stopped for a reason of its own, such as groups nested too deep.
        fileProblems.push_back(
            FileProblem(ProblemKind::kNotWellFormed, 0, OneLine(reader.LastError())));
    }

    std::vector<Problem> problems = CheckProject(project, lines);
    problems.insert(problems.begin(), fileProblems.begin(), fileProblems.end());
    std::stable_sort(problems.begin(), problems.end(),
        [](const Problem &a, const Problem &b) { return a.line < b.line; });
    return problems;
}

} // namespace kx
