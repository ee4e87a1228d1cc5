// Names: given twice, unfit for generated code, or shared by resources of different kinds.
#include "check/check_run.h"

#include "model/names.h"
#include "model/object_data_list.h"
#include "model/project_context.h"

#include <unordered_map>

namespace kx {

namespace {

// "the one at line 12", or "the first one" when its line is not known.
std::string FirstOne(int line)
{
    return line > 0 ? "the one at line " + std::to_string(line) : "the first one";
}

// Why a name cannot stand in generated code, in the words of the identifier rule; empty when
// it can.
std::string NameFaultOf(std::string_view name, NameUse use = NameUse::kIdentifier)
{
    return NameFaultText(IdentifierNameFault(name, use));
}

// The first element of each name, for telling where a name was given first.
struct Owner {
    std::string label;
    int line = 0;
};

} // namespace

void CheckRun::CheckDuplicateDefinitions()
{
    const auto check = [this](const auto &elements, const char *kind, const char *dropped,
                           std::string Problem::*name) {
        std::unordered_map<std::string, int> first;
        for (const ElementLine &element : elements) {
            if (!element.complete)
                continue;
            const auto [seen, added] = first.emplace(element.name, element.line);
            if (added)
                continue;
            Problem where;
            where.line = element.line;
            where.*name = element.name;
            Report(where, Severity::kError, ProblemKind::kDuplicateName,
                std::string(kind) + ' ' + Quoted(element.name) + " is defined again; "
                    + FirstOne(seen->second) + " is kept and this one" + dropped
                    + " is dropped on reading");
        }
    };
    check(m_lines.fonts, "font definition", "", &Problem::fontName);
    check(m_lines.images, "image definition", "", &Problem::imageName);
    check(m_lines.dialogs, "dialog", ", with all its objects,", &Problem::dialogName);
}

void CheckRun::CheckDuplicateObjectNames(
    const CKXDialogData &dialog, const std::vector<const CObjectData *> &objects)
{
    // Names the file gives twice: the reader renames the later objects, so the names in the
    // generated code are not the ones in the file.
    const DialogLines *lines = m_lines.Dialog(dialog.Name());
    std::unordered_map<std::string, int> inFile;
    if (lines && lines->nodes.size() == objects.size()) {
        for (std::size_t i = 1; i < objects.size(); ++i) {
            const ElementLine &node = lines->nodes[i];
            if (node.name.empty())
                continue;
            const auto [seen, added] = inFile.emplace(node.name, node.line);
            if (added || objects[i]->Name() == node.name)
                continue;
            Report(At(dialog, *objects[i]), Severity::kWarning, ProblemKind::kDuplicateName,
                "the name " + Quoted(node.name) + " is given to another object of dialog "
                    + Quoted(dialog.Name()) + " before (" + FirstOne(seen->second)
                    + "); this one is renamed " + Quoted(objects[i]->Name()) + " on reading");
        }
    }
    // Names the model itself holds twice (groups named like the root group keep their name):
    // the dialog's enumeration would name two objects alike.
    std::unordered_map<std::string, const CObjectData *> inModel;
    for (std::size_t i = 1; i < objects.size(); ++i) {
        const auto [seen, added] = inModel.emplace(objects[i]->Name(), objects[i]);
        if (added)
            continue;
        const Problem first = At(dialog, *seen->second);
        Report(At(dialog, *objects[i]), Severity::kError, ProblemKind::kDuplicateName,
            ObjectLabel(*objects[i]) + " has the name of another object of dialog "
                + Quoted(dialog.Name()) + " (" + FirstOne(first.line) + ")");
    }
}

void CheckRun::CheckNames()
{
    // The project's name follows the application prefix in class names and is the name of
    // files, so it may begin with a digit but not be empty.
    const std::string &projectName = m_project.Root().ProjectName();
    const std::string projectFault = projectName.empty() ? NameFaultText(NameFault::kEmpty)
                                                         : NameFaultOf(projectName, NameUse::kTail);
    if (!projectFault.empty()) {
        Problem where;
        where.line = m_lines.propertyLine;
        Report(where, Severity::kError, ProblemKind::kBadName,
            "project name " + Quoted(projectName)
                + " cannot name classes and files: " + projectFault);
    }
    for (const auto &font : m_project.Fonts()) {
        const std::string fault = NameFaultOf(font->Name());
        if (!fault.empty())
            Report(At(*font), Severity::kError, ProblemKind::kBadName,
                "font definition name " + Quoted(font->Name())
                    + " is not a C++ identifier: " + fault);
    }
    for (const auto &image : m_project.Images()) {
        const std::string fault = NameFaultOf(image->Name());
        if (!fault.empty())
            Report(At(*image), Severity::kError, ProblemKind::kBadName,
                "image definition name " + Quoted(image->Name())
                    + " is not a C++ identifier: " + fault);
    }
    for (const auto &dialog : m_project.Dialogs()) {
        const std::string fault = NameFaultOf(dialog->Name());
        const std::string classFault = NameFaultOf(dialog->ClassName());
        if (!fault.empty())
            Report(At(*dialog), Severity::kError, ProblemKind::kBadName,
                "dialog name " + Quoted(dialog->Name()) + " is not a C++ identifier: " + fault);
        else if (!classFault.empty())
            Report(At(*dialog), Severity::kError, ProblemKind::kBadName,
                "dialog name " + Quoted(dialog->Name()) + " does not make a C++ class name ("
                    + Quoted(dialog->ClassName()) + "): " + classFault);
    }
    // The root group has no name in generated code.
    for (const DialogTree &tree : m_trees) {
        for (std::size_t i = 1; i < tree.objects.size(); ++i) {
            const CObjectData &o = *tree.objects[i];
            const std::string fault = NameFaultOf(o.Name());
            if (!fault.empty())
                Report(At(*tree.dialog, o), Severity::kError, ProblemKind::kBadName,
                    "name of " + ObjectLabel(o) + " is not a C++ identifier: " + fault);
        }
    }
}

void CheckRun::CheckNameClashes()
{
    // Fonts and images become macros of "resourceid.h" and objects enumerators of the dialogs'
    // design headers, so a name shared between kinds breaks the generated code; the editor
    // keeps every name unique across kinds for this reason. Names of one kind in different
    // dialogs do not meet.
    enum Kind { kFont, kImage, kDialog, kObject };
    std::unordered_map<std::string, std::pair<Kind, Owner>> owners;
    const auto meet = [&](const std::string &name, Kind kind, std::string label, Problem where) {
        const auto [owner, added] = owners.emplace(name, std::make_pair(kind, Owner {label, 0}));
        if (added) {
            owner->second.second.line = where.line;
            return;
        }
        if (owner->second.first == kind)
            return;
        const Owner &first = owner->second.second;
        std::string message = label + " has the name of " + first.label;
        if (first.line > 0)
            message += " (line " + std::to_string(first.line) + ")";
        Report(std::move(where), Severity::kError, ProblemKind::kNameClash, std::move(message));
    };
    for (const auto &font : m_project.Fonts())
        meet(font->Name(), kFont, "font definition " + Quoted(font->Name()), At(*font));
    for (const auto &image : m_project.Images())
        meet(image->Name(), kImage, "image definition " + Quoted(image->Name()), At(*image));
    for (const auto &dialog : m_project.Dialogs())
        meet(dialog->Name(), kDialog, "dialog " + Quoted(dialog->Name()), At(*dialog));
    for (const DialogTree &tree : m_trees) {
        for (std::size_t i = 1; i < tree.objects.size(); ++i) {
            const CObjectData &o = *tree.objects[i];
            meet(o.Name(), kObject, ObjectLabel(o) + " of dialog " + Quoted(tree.dialog->Name()),
                At(*tree.dialog, o));
        }
    }
}

} // namespace kx
