#include "model/prefix_settings.h"

namespace kx {

const std::array<PrefixRow, kPrefixCount> &PrefixRows()
{
    static constexpr std::array<PrefixRow, kPrefixCount> rows {{
        {"App", "PrefixApp", "App"},
        {"Dlg", "PrefixDlg", "Dlg"},
        {"IB", "PrefixIB", "IB"},
        {"IE", "PrefixIE", "IE"},
        {"IF", "PrefixIF", "IF"},
        {"OB", "PrefixOB", "OB"},
        {"OE", "PrefixOE", "OE"},
        {"OF", "PrefixOF", "OF"},
        {"OP", "PrefixOP", "OP"},
        {"OI", "PrefixOI", "OI"},
        {"OM", "PrefixOM", "OM"},
        {"OC", "PrefixOC", "OC"},
        {"OT", "PrefixOT", "OT"},
        {"FNT", "PrefixFNT", "F"},
        {"DID", "PrefixDID", "D"},
    }};
    return rows;
}

PrefixSettings::PrefixSettings()
{
    ResetToDefaults();
}

void PrefixSettings::ResetToDefaults()
{
    for (int i = 0; i < kPrefixCount; ++i)
        m_values[i] = PrefixRows()[i].defaultValue;
}

NameFault PrefixFault(std::string_view text)
{
    return IdentifierNameFault(text);
}

std::string UsablePrefix(const PrefixSettings &prefixes, PrefixIndex index)
{
    const std::string &prefix = prefixes.Get(index);
    return PrefixFault(prefix) == NameFault::kNone ? prefix : PrefixRows()[index].defaultValue;
}

} // namespace kx
