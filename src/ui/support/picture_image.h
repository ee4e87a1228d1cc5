// Pictures of the core shown by widgets: surfaces and decoded pictures as QImages.
#pragma once

#include <QImage>
#include <QSize>

namespace kx {
class IPicture;
class Surface;
} // namespace kx

namespace kx::ui {

// A deep copy of the surface's pixels; a null image for an empty surface.
QImage ToQImage(const kx::Surface &surface);

// The picture fitted into the box as the lists show it (its own size when it fits, else scaled
// down smoothly by the core, keeping its aspect ratio); pixels of the key colour are transparent.
QImage FittedPicture(const kx::IPicture &picture, QSize box);

} // namespace kx::ui
