#include "model/mb_text.h"

#include "model/vocabulary.h"

namespace kx {

std::string ReplaceAllMb(std::string_view text, std::string_view from, std::string_view to)
{
    if (from.empty())
        return std::string(text);
    std::string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, from.size(), from) == 0) {
            result += to;
            i += from.size();
            continue;
        }
        const bool wide
            = IsCp932LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        const std::size_t step = wide ? 2 : 1;
        result.append(text.substr(i, step));
        i += step;
    }
    return result;
}

} // namespace kx
