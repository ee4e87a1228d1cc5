// The stream of generated code: what it refuses to take at compile time, and the padding of names
// that the expected files of the generators (ASCII names only) do not reach.
#include "codegen/code_stream.h"
#include "projectfile/xml_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <type_traits>

#include <unistd.h>

namespace {

template <typename T>
concept Streamable = requires(kx::CodeStream &out, const T &piece)
{
    out << piece;
};

// Every piece says how it is written. A text whose encoding is unknown (a model text in a
// std::string or a view, a pointer) and a truth value are not taken, so a CP932 text cannot be
// written unconverted and a name cannot slip past its check.
static_assert(Streamable<char[4]> && Streamable<kx::Literal> && Streamable<kx::Ascii>);
static_assert(Streamable<kx::Identifier> && Streamable<kx::QuotedText> && Streamable<int>);
static_assert(!Streamable<std::string> && !Streamable<std::string_view>);
static_assert(!Streamable<const char *> && !Streamable<bool>);
static_assert(!std::is_convertible_v<std::string, kx::Literal>);
static_assert(!std::is_convertible_v<const char *, kx::Literal>);

TEST(CodeStreamTest, JapaneseNamesArePaddedByTheirWidthInTheCodePage)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path()
        / ("kx-code-stream-" + std::to_string(getpid()) + ".h");
    CXmlFile file;
    ASSERT_TRUE(file.OpenForGeneration(path.string()));
    kx::CodeStream out(file);
    // "Fゴシック" is 13 UTF-8 bytes but 9 columns (four double-width characters).
    for (const std::string_view name : {"Fゴシック", "FLongerThanTwelve"})
        out.Line("#define ", kx::Identifier {"font", name}, kx::Padding {name, 12}, " 1");
    ASSERT_TRUE(file.Close());

    std::ifstream in(path, std::ios::binary);
    const std::string text {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::filesystem::remove(path);
    EXPECT_EQ(text, "#define Fゴシック    1\n#define FLongerThanTwelve 1\n");
}

} // namespace
