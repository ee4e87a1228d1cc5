// Real font files for the rasterizer tests: the Debian font packages install them under
// /usr/share/fonts, and a test project links the ones it needs into its own fonts/ folder.
#pragma once

#include "model/font_data.h"
#include "model/geometry.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "render/surface.h"
#include "render/test_images.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace kxtest {

// Full path of an installed font file (found by name under /usr/share/fonts); empty when it is
// not installed.
std::string SystemFontPath(const std::string &fileName);

// A project in a temporary folder whose fonts/ folder links installed font files.
class FontProject {
public:
    FontProject();

    // Links the installed font into fonts/; false when it is not installed.
    bool LinkFont(const std::string &fileName);
    // Adds a font definition with the next face identifier and answers it.
    CFontData &AddFont(const std::string &name, const std::string &file, int size, int effect = 0,
        bool bold = false, bool boldEffect = false);

    TempDir dir;
    CProjectContext project;
    kx::RecordingMessageSink messages;
};

// The smallest rectangle (right and bottom just outside) holding every pixel that differs from
// the background; empty when there is none.
kx::KXRect InkBox(const kx::Surface &surface, std::uint32_t background);
// Number of pixels of exactly this colour.
int CountColour(const kx::Surface &surface, std::uint32_t colour);
// Whether two surfaces have the same size and pixels; on a difference, describes the first one.
::testing::AssertionResult SamePixels(const kx::Surface &expected, const kx::Surface &actual);

} // namespace kxtest

// Skips the test when an installed font it needs is missing.
#define KX_REQUIRE_FONT(fontProject, file)                                                         \
    do {                                                                                           \
        if (!(fontProject).LinkFont(file))                                                         \
            GTEST_SKIP() << (file)                                                                 \
                         << " is not installed (fonts-dejavu-core, fonts-ipafont-gothic)";         \
    } while (false)
