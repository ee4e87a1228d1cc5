// Writing the project file: the whole project, the project with one dialog, or the fonts and
// images alone.
#pragma once

#include <string>
#include <string_view>

class CFontData;
class CImageData;
class CImageDataList;
class CKXDialogData;
class CProjectContext;

namespace kx {

// The project file's text: properties with the current prefixes, fonts, images and the dialogs
// whose name equals dialogFilter (every dialog when it is empty). Buttons, edit boxes and frames
// without a font are written with their image definition's font. Formatting never changes the
// project, so a copy of unsaved work can be made at any time.
std::string FormatProject(const CProjectContext &project, std::string_view dialogFilter = {});
// Only the fonts and images.
std::string FormatFontsAndImages(const CProjectContext &project);

// The element of one definition, as the project file holds it (UTF-8).
std::string FormatFontElement(const CFontData &font);
std::string FormatImageElement(const CImageData &image);
// A dialog's element with all its objects (UTF-8): what the clipboard carries of a dialog.
std::string FormatDialogElement(const CKXDialogData &dialog, const CImageDataList &images);

// Write the texts above to path, replacing the file only once everything was written; false when
// the file cannot be written (the old file is then untouched, and error, when given, receives the
// system's reason).
bool WriteProject(const CProjectContext &project, const std::string &path,
    std::string_view dialogFilter = {}, std::string *error = nullptr);
bool WriteFontsAndImages(
    const CProjectContext &project, const std::string &path, std::string *error = nullptr);

} // namespace kx
