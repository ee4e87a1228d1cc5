#include "platform/text_conversion.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace kx {

namespace {

constexpr std::string_view kUtf8Replacement = "\xEF\xBF\xBD"; // U+FFFD
constexpr std::string_view kCp932Replacement = "?";

// Owns one iconv conversion descriptor and closes it when done.
class IconvHandle {
public:
    IconvHandle(const char *to, const char *from)
        : m_cd(iconv_open(to, from))
    { }
    ~IconvHandle()
    {
        if (IsOpen())
            iconv_close(m_cd);
    }
    IconvHandle(const IconvHandle &) = delete;
    IconvHandle &operator=(const IconvHandle &) = delete;

    bool IsOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return m_cd; }

private:
    iconv_t m_cd;
};

// Length of the well-formed UTF-8 sequence at the start of text, or 0 when it is ill-formed
// (overlong forms, surrogates and code points above U+10FFFF included) or cut short.
std::size_t WellFormedUtf8Length(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            secondLow = 0xA0;
        else if (lead == 0xED)
            secondHigh = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            secondLow = 0x90;
        else if (lead == 0xF4)
            secondHigh = 0x8F;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < secondLow || byte(1) > secondHigh)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

// Bytes of CP932 input to replace at a spot iconv rejects: the offending byte alone, so that
// whatever follows it is decoded afresh.
std::size_t InvalidCp932Length(std::string_view)
{
    return 1;
}

// Bytes of UTF-8 input to replace at a spot iconv rejects: a whole well-formed character that has
// no CP932 mapping, or a single byte of an ill-formed sequence.
std::size_t InvalidUtf8Length(std::string_view rest)
{
    const std::size_t length = WellFormedUtf8Length(rest);
    return length == 0 ? 1 : length;
}

// Converts input with iconv, growing the output as needed. Where iconv reports an invalid or
// incomplete sequence, invalidLength(rest) bytes are dropped and replacement is written instead.
std::string Convert(std::string_view input, IconvHandle &converter, std::string_view replacement,
    std::size_t (*invalidLength)(std::string_view), std::size_t *replaced = nullptr)
{
    input = input.substr(0, input.find('\0'));
    if (input.empty())
        return {};
    if (!converter.IsOpen())
        return std::string(input);
    // A descriptor is reused from call to call; start every conversion from its initial state.
    iconv(converter.Get(), nullptr, nullptr, nullptr, nullptr);

    std::string out(input.size() + input.size() / 2 + 16, '\0');
    std::size_t used = 0;
    const auto grow
        = [&out](std::size_t needed) { out.resize(std::max(out.size() * 2, out.size() + needed)); };
    // iconv's interface takes a non-const input pointer but never writes through it.
    char *in = const_cast<char *>(input.data());
    std::size_t inLeft = input.size();
    // The first pass converts the input; once it is used up, passes with no input ask iconv to
    // write whatever ends the output (nothing for these stateless codes).
    bool flushed = false;
    while (!flushed) {
        char *outPtr = out.data() + used;
        std::size_t outLeft = out.size() - used;
        const bool flushing = inLeft == 0;
        const std::size_t result = flushing
            ? iconv(converter.Get(), nullptr, nullptr, &outPtr, &outLeft)
            : iconv(converter.Get(), &in, &inLeft, &outPtr, &outLeft);
        used = static_cast<std::size_t>(outPtr - out.data());
        if (result != static_cast<std::size_t>(-1)) {
            flushed = flushing;
            continue;
        }
        if (errno == E2BIG) {
            grow(1);
            continue;
        }
        if (flushing)
            break;
        // EILSEQ, EINVAL (a sequence cut short at the end) or anything unexpected: replace the
        // offending bytes, which also guarantees progress, and start again from a clean state.
        const std::size_t skip = std::min(inLeft, invalidLength(std::string_view(in, inLeft)));
        in += skip;
        inLeft -= skip;
        if (out.size() - used < replacement.size())
            grow(replacement.size());
        std::memcpy(out.data() + used, replacement.data(), replacement.size());
        used += replacement.size();
        if (replaced)
            ++*replaced;
        iconv(converter.Get(), nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(used);
    return out;
}

} // namespace

// Opening a descriptor costs more than converting a short text, and projects convert every object
// text, so each thread keeps one descriptor per direction.
std::string ToUtf8(std::string_view cp932)
{
    thread_local IconvHandle converter("UTF-8", "CP932");
    return Convert(cp932, converter, kUtf8Replacement, InvalidCp932Length);
}

std::string ToShiftJis(std::string_view utf8)
{
    thread_local IconvHandle converter("CP932", "UTF-8");
    return Convert(utf8, converter, kCp932Replacement, InvalidUtf8Length);
}

std::size_t CountLostInShiftJis(std::string_view utf8)
{
    const std::string_view text = utf8.substr(0, utf8.find('\0'));
    if (std::all_of(
            text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return 0;
    thread_local IconvHandle converter("CP932", "UTF-8");
    std::size_t replaced = 0;
    Convert(text, converter, kCp932Replacement, InvalidUtf8Length, &replaced);
    return replaced;
}

} // namespace kx
