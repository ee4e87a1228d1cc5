// Which part of a dialog's canvas an edit changed, so that only that part is painted again.
#pragma once

#include "model/geometry.h"

class CKXDialogData;
class CObjectData;

namespace kx {

// Where the object, and everything under a group, was last drawn and lies now.
KXRect ObjectArea(const CObjectData &object);

// The canvas area that one recorded step of the dialog's history touches, before and after the
// step: every object the record holds (a group with its children of before and after the step,
// so that objects that left or joined it count too). The whole canvas when the record holds the
// dialog's own properties; empty for a record outside the history.
KXRect ChangedArea(const CKXDialogData &dialog, int recordIndex);

// The whole canvas of the dialog.
KXRect DialogArea(const CKXDialogData &dialog);

} // namespace kx
