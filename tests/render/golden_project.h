// The small projects of the golden-image tests: a project file of tests/data/render (golden.xml,
// the whole small dialog, or rules.xml, one small dialog per drawing rule) with pictures drawn
// here and the installed fonts they name, in a temporary folder.
#pragma once

#include "platform/message_sink.h"
#include "render/surface.h"
#include "render/test_images.h"

#include <gtest/gtest.h>

#include <string>

class CProjectContext;

namespace kxtest {

class GoldenProject {
public:
    // Copies the project file, writes the pictures and links the fonts.
    explicit GoldenProject(const std::string &projectFile = "golden.xml");

    // False when a font the project names is not installed.
    bool Ready() const { return m_ready; }
    std::string ProjectFile() const { return m_dir.File(m_projectFile); }
    // Reads the project file into project, with a picture cache and the project's folder set,
    // as the editor opens it; fails when the file does not read cleanly.
    ::testing::AssertionResult LoadInto(CProjectContext &project, kx::IMessageSink &messages) const;

    // Where the expected pictures are kept, and whether a run should renew them instead of
    // comparing (KX_UPDATE_GOLDEN=1).
    static std::string ExpectedPath(const std::string &name);
    static bool Updating();

    // Compares a rendering with the expected PNG of that name. On a difference the rendering is
    // written as "<name>_actual.png" in the working folder and the first differing pixel is
    // reported. When updating, the expected PNG is written instead.
    static ::testing::AssertionResult MatchesGolden(
        const std::string &name, const kx::Surface &actual);

private:
    TempDir m_dir;
    std::string m_projectFile;
    bool m_ready = true;
};

} // namespace kxtest
