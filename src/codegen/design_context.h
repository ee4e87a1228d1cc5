// What the per-object passes of the design generator need beyond the object tree, and the case
// of GetIdName that the design source of a dialog and the application design source share.
#pragma once

#include "codegen/code_stream.h"

#include <string_view>

class CImageDataList;

namespace kx {

// Settings of one design-source generation, shared by every object of the dialog.
struct DesignContext {
    // Image definitions of the open project, for the style test of buttons, edit boxes and
    // frames. None when no project is open: every style then counts as its definition's.
    const CImageDataList *images = nullptr;
    // The run's GetText support: texts marked "GetText" are then wrapped in _("...").
    bool getTextSupport = false;
};

// One case of a GetIdName function: the identifier's label, padded so that the return statements
// of short names line up, and its name as a string. The name is checked before it is written.
void WriteIdNameCase(CodeStream &out, Identifier id);

} // namespace kx
