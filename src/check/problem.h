// One problem that the project check finds: how bad it is, what it says, where in the project
// file it is and which dialog, object or definition it concerns.
#pragma once

#include <string>
#include <string_view>

class CFontData;
class CImageData;
class CKXDialogData;
class CObjectData;

namespace kx {

enum class Severity {
    // The generated application does not build, the device cannot show something, or reading the
    // file loses part of it.
    kError,
    // Probably not what was meant, though the project works as it is.
    kWarning,
};

// What kind of problem it is; tools match the words of ProblemKindWord, which stay stable.
enum class ProblemKind {
    kUnreadableFile, // the project file cannot be read
    kNotWellFormed, // the XML stops at an error, or the reader gave up
    kNotAProject, // no element of a project at all
    kDuplicateName, // a name given twice where the reader drops or renames the second
    kBadName, // a name that generated code cannot use as a C++ identifier
    kNameClash, // the same name for resources of different kinds
    kUnknownReference, // a font or image definition that is not there, or none at all
    kWrongImageType, // an image definition made for another kind of object
    kMissingFile, // a picture or font file that is not there, or none named
    kUnsafeFileName, // a file name that leads out of the project's folder
    kUndecodablePicture, // a picture file that is neither a readable PNG nor GIF
    kUnusableFont, // a font file FreeType cannot open, or a size it cannot draw
    kMissingGlyph, // characters the font has no glyph for
    kMissingStatePicture, // no picture for a state the object is shown in
    kOutsideDialog, // an object that does not lie within its dialog
    kZeroSize, // an object without width or height
};

const char *SeverityWord(Severity severity); // "error", "warning"
const char *ProblemKindWord(ProblemKind kind); // "missing-file", ...

struct Problem {
    Severity severity = Severity::kError;
    ProblemKind kind = ProblemKind::kNotWellFormed;
    // One line of UTF-8 text without the file name and line; control characters of the project's
    // own texts are shown escaped, so the message never spans lines.
    std::string message;
    // Line of the element in the project file (1 is the first); 0 when it is not known, for
    // example for a model that was changed after it was read.
    int line = 0;

    // What the problem concerns, for selecting it in the editor: pointers into the project that
    // was checked, valid while it is not changed, or none. A problem of an element that the
    // reader dropped (a second dialog of the same name) has names but no pointers.
    const CKXDialogData *dialog = nullptr;
    const CObjectData *object = nullptr;
    const CFontData *font = nullptr;
    const CImageData *image = nullptr;
    std::string dialogName;
    std::string objectName;
    std::string fontName;
    std::string imageName;
};

} // namespace kx
