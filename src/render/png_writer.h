// Writing a surface as a PNG file, for the command-line renderer and the golden-image tests.
#pragma once

#include "render/surface.h"

#include <string>

namespace kx {

// Writes the surface as an 8-bit RGB PNG (24 bits per pixel, no alpha) through a temporary file
// that replaces the target only when everything was written. False when the surface is empty or
// the file cannot be written (error, when given, receives the reason); the old file is then as
// it was.
bool WritePng(const Surface &surface, const std::string &path, std::string *error = nullptr);

// The surface enlarged by a whole factor: every pixel becomes a factor x factor square. An empty
// surface when the result would be larger than a surface may be.
Surface Enlarge(const Surface &surface, int factor);

} // namespace kx
