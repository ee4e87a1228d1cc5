#include "platform/text_conversion.h"

#include <gtest/gtest.h>

#include <string>

using kx::ToShiftJis;
using kx::ToUtf8;

namespace {

const std::string kNihongoCp932 = "\x93\xFA\x96\x7B\x8C\xEA"; // 日本語
const std::string kNihongoUtf8 = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";
const std::string kKatakanaCp932 = "\xB1\xB2\xB3"; // ｱｲｳ, half-width
const std::string kKatakanaUtf8 = "\xEF\xBD\xB1\xEF\xBD\xB2\xEF\xBD\xB3";
const std::string kReplacement = "\xEF\xBF\xBD"; // U+FFFD

} // namespace

TEST(TextConversionTest, ConvertsValidTextsBothWays)
{
    EXPECT_EQ(ToUtf8(""), "");
    EXPECT_EQ(ToShiftJis(""), "");
    EXPECT_EQ(ToUtf8("abc"), "abc");
    EXPECT_EQ(ToShiftJis("abc"), "abc");

    EXPECT_EQ(ToUtf8(kNihongoCp932), kNihongoUtf8);
    EXPECT_EQ(ToShiftJis(kNihongoUtf8), kNihongoCp932);

    // Each half-width katakana byte becomes three UTF-8 bytes; none may be cut off.
    EXPECT_EQ(ToUtf8(kKatakanaCp932), kKatakanaUtf8);
    EXPECT_EQ(ToShiftJis(kKatakanaUtf8), kKatakanaCp932);

    const std::string mixed = "OK " + kNihongoCp932 + kKatakanaCp932 + " end";
    EXPECT_EQ(ToShiftJis(ToUtf8(mixed)), mixed);
}

TEST(TextConversionTest, LongTextsGrowTheOutputWithoutLoss)
{
    std::string katakana;
    for (int i = 0; i < 1000; ++i)
        katakana += kKatakanaCp932;
    const std::string utf8 = ToUtf8(katakana);
    EXPECT_EQ(utf8.size(), katakana.size() * 3);
    EXPECT_EQ(utf8.substr(utf8.size() - 3), "\xEF\xBD\xB3");
    EXPECT_EQ(ToShiftJis(utf8), katakana);

    // Replacements take more room than the bytes they stand for.
    const std::string invalid(1000, '\xFF');
    const std::string replaced = ToUtf8(invalid);
    ASSERT_EQ(replaced.size(), 3000u);
    EXPECT_EQ(replaced.substr(0, 3), kReplacement);
    EXPECT_EQ(replaced.substr(2997), kReplacement);
}

TEST(TextConversionTest, ZeroByteEndsTheText)
{
    EXPECT_EQ(ToUtf8(std::string("ab\0\xB1", 4)), "ab");
    EXPECT_EQ(ToShiftJis(std::string("ab\0\xE6\x97\xA5", 6)), "ab");
    EXPECT_EQ(ToUtf8(std::string("\0abc", 4)), "");
}

TEST(TextConversionTest, InvalidCp932BytesBecomeReplacementCharacters)
{
    // A lead byte cut off at the end, bytes that never start a character, and a lead byte with an
    // invalid trail byte, whose following byte is then read as a character of its own.
    EXPECT_EQ(ToUtf8("a\x81"), "a" + kReplacement);
    EXPECT_EQ(ToUtf8("\xFF"
                     "b"),
        kReplacement + "b");
    EXPECT_EQ(ToUtf8("\x80\xA0"), kReplacement + kReplacement);
    EXPECT_EQ(ToUtf8("\x81 x"), kReplacement + " x");
    EXPECT_EQ(ToUtf8("\xFF" + kNihongoCp932), kReplacement + kNihongoUtf8);
}

TEST(TextConversionTest, UnconvertibleUtf8BecomesQuestionMarks)
{
    // Ill-formed bytes are replaced one by one.
    EXPECT_EQ(ToShiftJis("\xC3\x28"), "?(");
    EXPECT_EQ(ToShiftJis("a\xE6\x97"), "a??");
    EXPECT_EQ(ToShiftJis("\xED\xA0\x80z"), "???z"); // encoded surrogate
    EXPECT_EQ(ToShiftJis("\xC0\xAF"), "??"); // overlong "/"
    // A well-formed character without a CP932 form is one "?".
    EXPECT_EQ(ToShiftJis("a\xF0\x9F\x98\x80"
                         "b"),
        "a?b"); // U+1F600
    EXPECT_EQ(ToShiftJis("\xF0\x9F\x98\x80" + kNihongoUtf8), "?" + kNihongoCp932);
}

TEST(TextConversionTest, YenSignAndWaveDashRoundTrip)
{
    // 0x5C is the backslash (shown as a yen sign on Japanese systems); 0x8160 is the wave dash,
    // which converters map to different code points. Whatever they pick must come back the same.
    const std::string cp932 = "C:\\dir\\"
                              "\x81\x60"
                              "\x81\x5F"
                              "\x81\x7C"
                              "end";
    const std::string utf8 = ToUtf8(cp932);
    EXPECT_EQ(utf8.substr(0, 7), "C:\\dir\\");
    EXPECT_EQ(ToShiftJis(utf8), cp932);
}
