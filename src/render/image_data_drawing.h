// Drawing of an image definition into a rectangle, the way the device library dresses buttons,
// edit boxes, frames and picture-like objects.
#pragma once

#include "render/surface.h"

class CImageData;

namespace kx {

// Draws the definition's pictures into the rectangle by its type: buttons and edit boxes widen
// their normal-state picture to the width; frames build a top strip, bands of the middle picture
// and a bottom strip; pictures, icons and movies stretch slot 0 over the rectangle. Answers 0
// when nothing is drawn (a missing picture, an unknown type), else the height drawn: the picture
// height for buttons and edit boxes, the frame's total height, the rectangle height otherwise.
int DrawImageDefinition(
    const CImageData &image, Surface &surface, int x, int y, int width, int height);

} // namespace kx
