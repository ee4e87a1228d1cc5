#include "render/golden_project.h"

#include "model/project_context.h"
#include "projectfile/project_reader.h"
#include "render/dib_image.h"
#include "render/dib_image_list.h"
#include "render/png_writer.h"
#include "render/test_fonts.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <utility>
#include <vector>

namespace kxtest {

namespace {

struct Colour {
    std::uint8_t r, g, b, a = 255;
};

// A picture described by a function of the pixel, as RGBA rows.
template <typename Paint>
void WritePicture(const std::filesystem::path &path, int width, int height, Paint paint)
{
    std::vector<std::uint8_t> rgba;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Colour c = paint(x, y);
            rgba.insert(rgba.end(), {c.r, c.g, c.b, c.a});
        }
    }
    WriteFile(path, RgbaPng(width, height, rgba));
}

// A button face: a vertical shade in the colour, a light rim, and clear corners.
Colour ButtonPixel(int x, int y, int width, int height, Colour base)
{
    const bool corner = (x == 0 || x == width - 1) && (y == 0 || y == height - 1);
    if (corner)
        return {0, 0, 0, 0};
    if (x == 0 || y == 0 || x == width - 1 || y == height - 1)
        return {230, 240, 255};
    const int shade = 40 - y * 3;
    const auto add
        = [shade](int v) { return static_cast<std::uint8_t>(std::clamp(v + shade, 0, 255)); };
    return {add(base.r), add(base.g), add(base.b)};
}

void WritePictures(const std::filesystem::path &folder)
{
    WritePicture(folder / "back.png", 200, 110, [](int x, int y) {
        return Colour {static_cast<std::uint8_t>(20 + y / 3), static_cast<std::uint8_t>(40 + y),
            static_cast<std::uint8_t>(90 + x / 4)};
    });
    WritePicture(folder / "button.png", 30, 24, [](int x, int y) {
        return ButtonPixel(x, y, 30, 24, {30, 90, 200});
    });
    WritePicture(folder / "button_active.png", 30, 24, [](int x, int y) {
        return ButtonPixel(x, y, 30, 24, {200, 110, 20});
    });
    WritePicture(folder / "edit.png", 24, 22, [](int x, int y) {
        const bool border = x == 0 || y == 0 || x == 23 || y == 21;
        return border ? Colour {120, 120, 130} : Colour {250, 250, 245};
    });
    // The other states of a button and an edit box, each in a colour of its own; the pushed
    // pictures are two rows higher, so that a state's own height shows.
    const struct {
        const char *file;
        int height;
        Colour base;
    } states[]
        = {{"button_disable.png", 24, {120, 120, 120}}, {"button_focus.png", 24, {240, 200, 40}},
            {"button_push.png", 26, {20, 50, 120}}, {"button_actpush.png", 26, {150, 60, 10}}};
    for (const auto &state : states) {
        WritePicture(folder / state.file, 30, state.height,
            [&](int x, int y) { return ButtonPixel(x, y, 30, state.height, state.base); });
    }
    for (const auto &[file, border] : {std::pair {"edit_focus.png", Colour {40, 90, 220}},
             std::pair {"edit_disable.png", Colour {190, 190, 190}}}) {
        WritePicture(folder / file, 24, 22, [&](int x, int y) {
            const bool edge = x <= 1 || y <= 1 || x >= 22 || y >= 20;
            return edge ? border : Colour {250, 250, 245};
        });
    }
    // A frame: a blue title band on top, white body, blue rim.
    WritePicture(folder / "frame_top.png", 12, 8, [](int x, int y) {
        if (y < 2 || x == 0 || x == 11)
            return Colour {20, 60, 150};
        return y < 6 ? Colour {200, 215, 240} : Colour {255, 255, 255};
    });
    WritePicture(folder / "frame_middle.png", 12, 6, [](int x, int) {
        return x == 0 || x == 11 ? Colour {20, 60, 150} : Colour {255, 255, 255};
    });
    WritePicture(folder / "frame_bottom.png", 12, 8, [](int x, int y) {
        return x == 0 || x == 11 || y >= 6 ? Colour {20, 60, 150} : Colour {255, 255, 255};
    });
    // Three-slice test picture: a red left third, a green middle third and a blue right third,
    // each with a dark first column, so every copied piece shows where it starts; a light rim
    // on top and bottom shows the height.
    WritePicture(folder / "slices.png", 30, 12, [](int x, int y) {
        if (y == 0 || y == 11)
            return Colour {235, 235, 235};
        const Colour thirds[] = {{220, 60, 60}, {60, 180, 80}, {60, 90, 220}};
        const Colour c = thirds[x / 10];
        return x % 10 == 0 ? Colour {static_cast<std::uint8_t>(c.r / 3),
                   static_cast<std::uint8_t>(c.g / 3), static_cast<std::uint8_t>(c.b / 3)}
                           : c;
    });
    // Banded frame strips, 12 wide in thirds of 4 with a marker column where the middle third
    // starts: a dark top and bottom edge, and a grey first row in each middle band.
    const auto band = [](int x, int y, bool edge) {
        if (edge)
            return Colour {30, 40, 110};
        if (x == 4)
            return Colour {240, 160, 40};
        if (x < 4 || x >= 8)
            return Colour {70, 90, 170};
        return y == 0 ? Colour {170, 170, 170} : Colour {250, 250, 250};
    };
    WritePicture(
        folder / "band_top.png", 12, 8, [&](int x, int y) { return band(x, y + 1, y < 3); });
    WritePicture(
        folder / "band_middle.png", 12, 6, [&](int x, int y) { return band(x, y, false); });
    WritePicture(
        folder / "band_bottom.png", 12, 8, [&](int x, int y) { return band(x, y + 1, y >= 5); });
    // A green dot on a clear square.
    WritePicture(folder / "mark.png", 8, 8, [](int x, int y) {
        const int dx = 2 * x - 7;
        const int dy = 2 * y - 7;
        return dx * dx + dy * dy <= 49 ? Colour {40, 170, 60} : Colour {0, 0, 0, 0};
    });
}

} // namespace

GoldenProject::GoldenProject(const std::string &projectFile)
    : m_projectFile(projectFile)
{
    const std::filesystem::path folder = m_dir.Path();
    std::filesystem::copy_file(
        std::filesystem::path(KX_TEST_DATA_DIR) / "render" / projectFile, folder / projectFile);
    std::filesystem::create_directories(folder / "resources");
    std::filesystem::create_directories(folder / "fonts");
    WritePictures(folder / "resources");
    for (const char *font : {"ipag.ttf", "DejaVuSans.ttf"}) {
        const std::string source = SystemFontPath(font);
        if (source.empty()) {
            m_ready = false;
            continue;
        }
        std::filesystem::create_symlink(source, folder / "fonts" / font);
    }
}

std::string GoldenProject::ExpectedPath(const std::string &name)
{
    return (std::filesystem::path(KX_TEST_DATA_DIR) / "render" / (name + ".png")).string();
}

bool GoldenProject::Updating()
{
    const char *value = std::getenv("KX_UPDATE_GOLDEN");
    return value && std::string(value) == "1";
}

::testing::AssertionResult GoldenProject::MatchesGolden(
    const std::string &name, const kx::Surface &actual)
{
    const std::string expectedPath = ExpectedPath(name);
    if (Updating()) {
        if (!kx::WritePng(actual, expectedPath))
            return ::testing::AssertionFailure() << "cannot write " << expectedPath;
        return ::testing::AssertionSuccess() << "renewed " << expectedPath;
    }
    CDibImage expected;
    if (!expected.Load(expectedPath)) {
        kx::WritePng(actual, name + "_actual.png");
        return ::testing::AssertionFailure()
            << "no expected picture " << expectedPath << " (run with KX_UPDATE_GOLDEN=1 to make "
            << "it); the rendering is in " << name << "_actual.png";
    }
    std::ostringstream problem;
    if (expected.GetWidth() != actual.Width() || expected.GetHeight() != actual.Height()) {
        problem << "size " << actual.Width() << " x " << actual.Height() << ", expected "
                << expected.GetWidth() << " x " << expected.GetHeight();
    } else {
        for (int y = 0; y < actual.Height() && problem.tellp() == 0; ++y) {
            const std::uint8_t *want = expected.Row(y);
            const std::uint8_t *got = actual.Row(y);
            for (int x = 0; x < actual.Width(); ++x) {
                if (want[x * 3] != got[x * 3] || want[x * 3 + 1] != got[x * 3 + 1]
                    || want[x * 3 + 2] != got[x * 3 + 2]) {
                    problem << std::hex << "first difference at (" << std::dec << x << ", " << y
                            << "): 0x" << std::hex << actual.GetPixel(x, y) << ", expected 0x"
                            << kx::Rgb(want[x * 3 + 2], want[x * 3 + 1], want[x * 3]);
                    break;
                }
            }
        }
    }
    if (problem.tellp() == 0)
        return ::testing::AssertionSuccess();
    const std::string actualPath = name + "_actual.png";
    kx::WritePng(actual, actualPath);
    return ::testing::AssertionFailure()
        << name << ": " << problem.str() << "; the rendering is in "
        << std::filesystem::absolute(actualPath).string();
}

::testing::AssertionResult GoldenProject::LoadInto(
    CProjectContext &project, kx::IMessageSink &messages) const
{
    project.SetPictureCache(std::make_unique<CDibImageList>());
    project.SetProjectFolder(std::filesystem::path(ProjectFile()).parent_path().string());
    kx::ProjectReader reader(project, messages);
    if (!reader.ReadFile(ProjectFile()) || reader.ParseFailed())
        return ::testing::AssertionFailure() << "cannot read " << ProjectFile();
    return ::testing::AssertionSuccess();
}

} // namespace kxtest
