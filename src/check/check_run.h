// One run of the project check: what it has learnt so far and the problems it has found. Each
// group of rules lives in a file of its own (names, files and fonts, objects).
#pragma once

#include "check/problem.h"
#include "check/project_lines.h"
#include "platform/message_sink.h"
#include "render/dib_image_list.h"
#include "render/freetype_font.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CFontData;
class CImageData;
class CKXDialogData;
class CObjectData;
class CProjectContext;

namespace kx {

class CheckRun {
public:
    CheckRun(const CProjectContext &project, const ProjectLines &lines);

    std::vector<Problem> Run();

private:
    // ---- name_checks.cpp ----
    void CheckDuplicateDefinitions();
    void CheckDuplicateObjectNames(
        const CKXDialogData &dialog, const std::vector<const CObjectData *> &objects);
    void CheckNames();
    void CheckNameClashes();

    // ---- file_checks.cpp ----
    void CheckFonts();
    void CheckImageDefinitions();
    // Checks a picture file named by owner; answers the picture when it decodes.
    const IPicture *CheckPictureFile(std::string_view file, Problem where, std::string_view owner);
    // The characters of a CP932 text, as the preview cuts it into lines, that the font lacks.
    std::vector<std::uint32_t> MissingGlyphs(std::string_view cp932, const CFontData &font);
    // Reports the characters of a CP932 text that the font has no glyph for.
    void CheckGlyphs(
        std::string_view cp932, const CFontData &font, Problem where, std::string_view what);
    void CheckTitle(const CKXDialogData &dialog);

    // ---- object_checks.cpp ----
    void CheckObjects(const CKXDialogData &dialog, const std::vector<const CObjectData *> &objects);
    void CheckObject(const CKXDialogData &dialog, const CObjectData &object);
    // The image definition of a button, edit box or frame, reported when missing or unfit.
    const CImageData *CheckImageReference(const CObjectData &object, const Problem &where);
    const CFontData *CheckFontReference(
        const CObjectData &object, const CImageData *image, const Problem &where);
    void CheckStatePictures(const CObjectData &object, const CImageData &image, Problem where);
    void CheckGeometry(const CKXDialogData &dialog, const CObjectData &object,
        const CImageData *image, Problem where);

    // ---- project_check.cpp: where things are, and reporting ----
    // A problem of the element, with its line and names filled in; the caller adds the rest.
    Problem At(const CKXDialogData &dialog) const;
    Problem At(const CKXDialogData &dialog, const CObjectData &object) const;
    Problem At(const CFontData &font) const;
    Problem At(const CImageData &image) const;
    void Report(Problem problem, Severity severity, ProblemKind kind, std::string message);
    // Notes the lines of the dialog's objects, when the file's tree is the model's.
    void MapObjectLines(
        const CKXDialogData &dialog, const std::vector<const CObjectData *> &objects);

    // A font whose file FreeType can open and whose size it can draw; others were reported.
    bool IsUsable(const CFontData *font) const;
    const IPicture *DecodedPicture(std::string_view file);

    const CProjectContext &m_project;
    const ProjectLines &m_lines;
    RecordingMessageSink m_ignored; // what FreeType would say is said by the check itself
    CFreeTypeFont m_fonts;
    CDibImageList m_pictures;
    // Every dialog with its objects in pre-order, the root group first.
    struct DialogTree {
        const CKXDialogData *dialog;
        std::vector<const CObjectData *> objects;
    };
    std::vector<DialogTree> m_trees;
    std::unordered_map<const CObjectData *, int> m_objectLines;
    std::unordered_map<const CFontData *, bool> m_usableFonts;
    // The usable fonts of the texts of the dialog being checked, in the order first used.
    std::vector<const CFontData *> m_dialogFonts;
    std::vector<Problem> m_problems;
};

// ---- Texts of messages ----

// The name in double quotes, with control characters and quotes escaped.
std::string Quoted(std::string_view name);
// "Button \"OBStart\"", "group \"OGPanel\"".
std::string ObjectLabel(const CObjectData &object);
// Whether the file name stays inside the folder it is looked up in: no absolute path, no "..".
bool StaysInFolder(std::string_view file);

} // namespace kx
