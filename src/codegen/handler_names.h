// The handlers of a dialog class that the device library calls for the input of a dialog's
// objects: how the generated class names and declares them, and which objects its click handler
// has a case for. The generator writes the class from these, and the editor's play mode names
// from them the stub that would run for an event.
#pragma once

#include "codegen/code_stream.h"

#include <string>

class CKXDialogData;
class CObjectData;

namespace kx {

// What the library tells a dialog about its objects and the pointer.
enum class DialogEvent {
    DownButton, // a button (or key) went down
    UpButton, // it went up again
    ClickButton, // a button was clicked (confirmed)
    MoveCursor, // the pointer went down, moved or went up
};

// A handler of the dialog class: its member function name and its parameter list.
struct DialogHandler {
    Literal name;
    Literal parameters;
};

// The handler the library calls for the event, as the generated dialog class declares it.
const DialogHandler &HandlerOf(DialogEvent event);

// The handler as the dialog's class defines it: "DlgHome::ClickButton".
std::string HandlerName(const CKXDialogData &dialog, DialogEvent event);

// Whether the generated click handler has a case for the object: every object whose "Click" is
// on, in tree order.
bool HasClickCase(const CObjectData &object);

} // namespace kx
