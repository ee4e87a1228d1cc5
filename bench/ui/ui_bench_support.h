// What the editor's benchmarks share: a Qt application on the offscreen platform, and a large
// project built in memory.
#pragma once

#include <string>

class CMainFrame;
class CKXDialogData;

namespace kx::bench {

// Fills the main window's project with one font, one button image and one dialog named "Big" of
// `objects` objects in nested groups (groups of 10 inside groups of 10), texts and buttons
// alternating, each at its own place on a 1920 x 1080 canvas.
CKXDialogData *BuildLargeProject(CMainFrame &frame, int objects);

// Lets Qt handle what is pending (layouts, paints of what changed), as the event loop would
// between two user actions.
void Settle();

} // namespace kx::bench
