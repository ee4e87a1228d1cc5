// Conversion between the CP932 (Windows Shift_JIS) texts the editor keeps in memory and the UTF-8
// texts of the files it reads and writes.
#pragma once

#include <string>
#include <string_view>

namespace kx {

// Converts a CP932 text to UTF-8 without a byte-order mark. The whole text is converted with no
// limit on the output length; a zero byte ends the text, as with C strings, and nothing after it
// is converted. Each byte that does not start a valid CP932 character (a stray lead byte, a lead
// byte without a valid trail byte, 0x80, 0xA0, 0xFD..0xFF) becomes U+FFFD, so the result is
// always valid UTF-8 and a project file written from it stays readable.
// When the system cannot convert between the two codes at all, the text is answered unchanged
// (up to the first zero byte), so reading and writing a file then keeps its bytes as they were.
std::string ToUtf8(std::string_view cp932);

// Converts a UTF-8 text to CP932, with the same zero-byte rule and fallback as ToUtf8. A
// well-formed character that CP932 cannot represent (an emoji, for example) becomes a single "?";
// each byte that is not part of a well-formed UTF-8 sequence (a stray continuation byte, an
// overlong or truncated sequence, an encoded surrogate) becomes "?" on its own.
std::string ToShiftJis(std::string_view utf8);

// The number of "?" that ToShiftJis puts in place of characters (or bytes) it cannot convert.
std::size_t CountLostInShiftJis(std::string_view utf8);

} // namespace kx
