// Decimal and pair values of the project file, and escape-word replacement in CP932 texts.
#include "model/mb_text.h"
#include "model/value_parsing.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

TEST(ValueParsingTest, Decimals)
{
    EXPECT_EQ(kx::ParseDecimal("42"), 42);
    EXPECT_EQ(kx::ParseDecimal("  \t-12abc"), -12);
    EXPECT_EQ(kx::ParseDecimal("+7"), 7);
    EXPECT_EQ(kx::ParseDecimal(""), 0);
    EXPECT_EQ(kx::ParseDecimal("x1"), 0);
    EXPECT_EQ(kx::ParseDecimal("-"), 0);
    // Out of range saturates instead of wrapping.
    EXPECT_EQ(kx::ParseDecimal("99999999999999999999999"), INT_MAX);
    EXPECT_EQ(kx::ParseDecimal("-2147483648"), INT_MIN);
    EXPECT_EQ(kx::ParseDecimal("-99999999999"), INT_MIN);
    EXPECT_EQ(kx::ParseDecimal("2147483647"), INT_MAX);
}

TEST(ValueParsingTest, Pairs)
{
    EXPECT_EQ(kx::ParsePair("10,20"), std::make_pair(10, 20));
    EXPECT_EQ(kx::ParsePair("-5, 7"), std::make_pair(-5, 7));
    EXPECT_EQ(kx::ParsePair("10"), std::make_pair(0, 0));
    EXPECT_EQ(kx::ParsePair("1,2,3"), std::make_pair(1, 2));
    EXPECT_EQ(kx::ParsePair(",9"), std::make_pair(0, 9));
    EXPECT_EQ(kx::ParsePair(std::string(62, ' ') + "1,2").first, 0); // 65 characters
    EXPECT_EQ(kx::ParsePair(std::string(60, ' ') + "1,2"), std::make_pair(1, 2)); // 63
}

TEST(MbTextTest, ReplacementNeverStartsInsideADoubleByteCharacter)
{
    EXPECT_EQ(kx::ReplaceAllMb("a&b&", "&", "@amp;"), "a@amp;b@amp;");
    // 0x81 0x40 is one character; its trail byte '@' must not start "@lt;".
    const std::string wide = "\x81@lt;";
    EXPECT_EQ(kx::ReplaceAllMb(wide, "@lt;", "<"), wide);
    EXPECT_EQ(kx::ReplaceAllMb("x@lt;", "@lt;", "<"), "x<");
    EXPECT_EQ(kx::ReplaceAllMb("\x81", "&", "@amp;"), "\x81"); // lone lead byte at the end
}
