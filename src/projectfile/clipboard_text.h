// What copy and paste put on the clipboard and take from it: a dialog's selected objects in
// their project-file form, and single image and font definitions.
#pragma once

#include <string>
#include <string_view>

class CImageDataList;
class CKXDialogData;
class CObjectDataList;
class CProjectContext;

namespace kx {

class IMessageSink;

// The selected objects of a dialog at any depth (a group whose objects are all selected goes as
// a whole, with them), each at its place on the canvas, inside one outer group: the text that
// ProjectReader::ReadText takes back. Texts stay CP932. Empty when nothing is selected.
std::string FormatSelectionText(const CObjectDataList &root, const CImageDataList *images);

// Pastes such a text into the dialog: its objects arrive in a new group at the end of the root
// group, each at its place on the canvas, and become the selection. The group gets a free group
// name, and every pasted object whose name is taken anywhere in the project a free name of its
// type. Answers the new group; none when the text holds no objects or does not read, in which
// case the dialog is as it was.
CObjectDataList *PasteSelectionText(std::string_view cp932Text, CKXDialogData &dialog,
    CProjectContext &project, IMessageSink &messages);

// What a clipboard text (UTF-8) holds, told by its first element before anything is read: the
// objects of a selection, a dialog, image or font definitions, or none of them (words, another
// program's markup, a whole project file).
enum class ClipboardContent { None, Objects, Dialog, Definitions };
ClipboardContent ClipboardTextContent(std::string_view utf8Text);

// Whether a clipboard text (UTF-8) holds a dialog element.
bool IsDialogText(std::string_view utf8Text);
// Adds the dialog of a dialog element (UTF-8) at the end of the project's dialogs, under a free
// name; its objects keep theirs. Answers the dialog; none when the text holds none or does not
// read, in which case the project is as it was.
CKXDialogData *PasteDialogText(
    std::string_view utf8Text, CProjectContext &project, IMessageSink &messages);

// Adds the image or font definitions of a project-file text (one or more Image or Font elements,
// UTF-8), each under a free name; answers how many were added.
int PasteDefinitionText(
    std::string_view utf8Text, CProjectContext &project, IMessageSink &messages);

} // namespace kx
