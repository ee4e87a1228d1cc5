// The fifteen identifier prefixes that name new resources, generated identifiers and class files.
#pragma once

#include "model/names.h"

#include <array>
#include <string>
#include <string_view>

namespace kx {

// Index of a prefix; the same order as the settings keys, the "Property" elements of the project
// file and the reader's internal index 1..15 (index 0 there is the project name).
enum PrefixIndex : int {
    kPrefixApp = 0,
    kPrefixDlg,
    kPrefixIB,
    kPrefixIE,
    kPrefixIF,
    kPrefixOB,
    kPrefixOE,
    kPrefixOF,
    kPrefixOP,
    kPrefixOI,
    kPrefixOM,
    kPrefixOC,
    kPrefixOT,
    kPrefixFNT,
    kPrefixDID,
    kPrefixCount
};

struct PrefixRow {
    const char *key; // key in the "PREFIX" section of DialogEditor.ini
    const char *element; // element of the project file's "Property" block
    const char *defaultValue;
};

// The table of the fifteen prefixes in their fixed order.
const std::array<PrefixRow, kPrefixCount> &PrefixRows();

// Current values of the prefixes, starting at their defaults.
class PrefixSettings {
public:
    PrefixSettings();

    const std::string &Get(PrefixIndex index) const { return m_values[index]; }
    void Set(PrefixIndex index, std::string_view value) { m_values[index] = value; }
    void ResetToDefaults();

    bool operator==(const PrefixSettings &) const = default;

private:
    std::array<std::string, kPrefixCount> m_values;
};

// Whether text can be a prefix: the first name it gives must pass the identifier rule, so a
// prefix is a whole name (model/names.h).
NameFault PrefixFault(std::string_view text);

// The prefix that names new resources of a kind: the setting, or the built-in one when the
// setting cannot start a name (a settings or project file may hold anything).
std::string UsablePrefix(const PrefixSettings &prefixes, PrefixIndex index);

} // namespace kx
