// The drawing rules the device library applies to pictures: stretching and the three-slice
// widening of button, edit-box and frame images.
#pragma once

#include "model/picture.h"
#include "render/surface.h"

namespace kx {

// Stretches the whole picture onto the rectangle (nearest neighbour, no smoothing). A width or
// height of -1 stands for the picture's own width or height.
void DrawStretched(Surface &surface, const IPicture &picture, int x, int y, int width, int height);

// Widens the picture to width by repeating its middle third. With s = W / 3 the left piece takes
// the W - 2s leftmost columns, the right piece the s rightmost ones; middle pieces (columns
// s..2s-1) follow the left piece, and the last one is moved left so that it ends where the right
// piece begins. A width below the two end pieces still shows both side by side. A picture
// narrower than 3 pixels has no middle and is drawn once, unwidened. Only the first rows of the
// picture are drawn (rows < 0: all of them). Answers the number of rows drawn.
int DrawThreeSlice(
    Surface &surface, const IPicture &picture, int x, int y, int width, int rows = -1);

} // namespace kx
