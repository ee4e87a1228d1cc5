// INI files as the Windows profile functions read and write them: sections of "key=value"
// entries, kept in the order in which they were first written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kx {

// An INI file held in memory. Section and key names are matched without regard to the case of
// ASCII letters, as the profile functions match them; the spelling of the first write stays.
// Values are bytes: the file is read and written in whatever code page its user chose.
class IniFile {
public:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };

    // Sets a value. A new section goes after the last one, a new key after the last key of its
    // section; an existing key keeps its place and takes the new value.
    void SetString(std::string_view section, std::string_view key, std::string_view value);
    // Sets a value written in decimal ("%d").
    void SetInt(std::string_view section, std::string_view key, int value);

    // The value of a key, or none when the section or the key is missing.
    const std::string *Find(std::string_view section, std::string_view key) const;
    std::string GetString(
        std::string_view section, std::string_view key, std::string_view fallback = {}) const;
    // The value read as a decimal number with an optional sign; fallback when the key is missing
    // or its value does not start with a number.
    int GetInt(std::string_view section, std::string_view key, int fallback) const;

    const std::vector<Section> &Sections() const { return m_sections; }

    // The file's text: for each section a line "[name]", then one line "key=value" per entry.
    // Every line ends in a single line feed, and one empty line stands between two sections
    // (none before the first, none after the last).
    std::string ToText() const;

    // Reads the text of a file. Lines may end in a line feed or in a carriage return and a line
    // feed. Blanks around names and values are dropped; empty lines, lines starting with ';',
    // lines before the first section and lines without '=' are skipped. A section or key that
    // occurs twice is merged into the first, the later value winning.
    static IniFile FromText(std::string_view text);
    // Reads a file; false (and the object untouched) when it cannot be read.
    bool Load(const std::string &path);

private:
    Section *FindSection(std::string_view name);
    const Section *FindSection(std::string_view name) const;

    std::vector<Section> m_sections;
};

} // namespace kx
