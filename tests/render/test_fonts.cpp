#include "render/test_fonts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace kxtest {

std::string SystemFontPath(const std::string &fileName)
{
    static const char *const kRoots[] = {"/usr/share/fonts", "/usr/local/share/fonts"};
    std::error_code error;
    for (const char *root : kRoots) {
        if (!std::filesystem::is_directory(root, error))
            continue;
        for (auto it = std::filesystem::recursive_directory_iterator(root, error);
             it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
            if (error)
                break;
            if (it->path().filename() == fileName && it->is_regular_file(error))
                return it->path().string();
        }
    }
    return {};
}

FontProject::FontProject()
{
    std::filesystem::create_directories(dir.Path() / "fonts");
    std::filesystem::create_directories(dir.Path() / "resources");
    project.SetProjectFolder(dir.Path().string());
}

bool FontProject::LinkFont(const std::string &fileName)
{
    const std::string source = SystemFontPath(fileName);
    if (source.empty())
        return false;
    std::error_code error;
    std::filesystem::create_symlink(source, dir.Path() / "fonts" / fileName, error);
    return !error || std::filesystem::exists(dir.Path() / "fonts" / fileName);
}

CFontData &FontProject::AddFont(const std::string &name, const std::string &file, int size,
    int effect, bool bold, bool boldEffect)
{
    auto font = std::make_unique<CFontData>();
    font->SetName(name);
    font->SetFile(file);
    font->SetSize(size);
    font->SetEffect(effect);
    font->SetBold(bold);
    font->SetBoldEffect(boldEffect);
    font->SetFaceId(project.Fonts().NextFaceId());
    CFontData &added = *font;
    project.Fonts().Add(font);
    return added;
}

kx::KXRect InkBox(const kx::Surface &surface, std::uint32_t background)
{
    kx::KXRect box;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x) {
            if (surface.GetPixel(x, y) != background)
                box = box.United({x, y, x + 1, y + 1});
        }
    }
    return box;
}

int CountColour(const kx::Surface &surface, std::uint32_t colour)
{
    int count = 0;
    for (int y = 0; y < surface.Height(); ++y) {
        for (int x = 0; x < surface.Width(); ++x)
            count += surface.GetPixel(x, y) == colour ? 1 : 0;
    }
    return count;
}

::testing::AssertionResult SamePixels(const kx::Surface &expected, const kx::Surface &actual)
{
    if (expected.Width() != actual.Width() || expected.Height() != actual.Height()) {
        return ::testing::AssertionFailure()
            << "size " << actual.Width() << " x " << actual.Height() << ", expected "
            << expected.Width() << " x " << expected.Height();
    }
    for (int y = 0; y < expected.Height(); ++y) {
        for (int x = 0; x < expected.Width(); ++x) {
            if (expected.GetPixel(x, y) != actual.GetPixel(x, y)) {
                std::ostringstream text;
                text << "first difference at (" << x << ", " << y << "): 0x" << std::hex
                     << actual.GetPixel(x, y) << ", expected 0x" << expected.GetPixel(x, y);
                return ::testing::AssertionFailure() << text.str();
            }
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace kxtest
