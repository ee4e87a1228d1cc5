// The project check behind "kxdialog check": everything in a project that would make the
// generated application fail to build or the device show something other than the editor does,
// found without a display. The editor can run it on its own model as well.
#pragma once

#include "check/problem.h"
#include "check/project_lines.h"

#include <string>
#include <vector>

class CObjectData;
class CProjectContext;

namespace kx {

// Checks the project and answers its problems ordered by their line in the project file. lines
// tells where each element is and which elements the reader dropped; give it the scan of the
// file the model was read from, or an empty ProjectLines for a model that no longer matches a
// file (problems then have line 0, and names given twice in a file are not seen). The check
// decodes the pictures and opens the font files afresh and changes nothing in the project.
//
// It finds: names given twice where the reader drops or renames the second; names that are not
// C++ identifiers, or that name resources of different kinds; references to font or image
// definitions that do not exist, and image definitions made for another kind of object; picture
// and font files that are missing, lead out of the project's folders, do not decode or cannot be
// used; characters of texts and dialog titles that their font has no glyph for; pictures missing
// for the states an object is shown in (see SlotsInUse); objects outside their dialog or without
// a size.
//
// The font of a text is the one the generated code gives it: a Text object's "Font", and for a
// button, edit box or frame its own "Font", or its image definition's when it has none. A dialog
// title has no font of its own: a character of it is reported when none of the fonts of the
// dialog's texts has a glyph for it (the first font definition stands in when the dialog has no
// text with a font).
std::vector<Problem> CheckProject(const CProjectContext &project, const ProjectLines &lines);

// Reads the project file into project, which should be new, and checks it. A file that cannot be
// read, is not well-formed or is no project file is a problem like any other.
std::vector<Problem> CheckProjectFile(const std::string &path, CProjectContext &project);

// The slots of its image definition that an object is shown with, in ascending order. A picture
// missing from one of them leaves the object blank in that state on the device.
//   Frame:   Top, Middle and Bottom, always; a frame is drawn from all three.
//   Button:  Normal, always;
//            the slot of its initial state ("Attr" Disable, Active, Focus; Down shows Push and
//            ActDown shows ActPush);
//            Push when "Click" is on, since the button can then be pressed;
//            Active when its group is a radio group, whose chosen button is shown active.
//   Editbox: Normal, always;
//            the slot of its initial state (Disable, Active, Focus; an edit box has no picture
//            for Down or ActDown);
//            Focus when "Click" is on, since a tapped edit box takes the focus for typing.
//   Any other type: none.
// ActPush counts only as the initial state: whether the library shows it while an active button
// is held down is the library's choice, and a project that leaves it out is not wrong.
std::vector<int> SlotsInUse(const CObjectData &object);

} // namespace kx
