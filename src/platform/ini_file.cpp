#include "platform/ini_file.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kx {

namespace {

char FoldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return true;
}

std::string_view Trimmed(std::string_view text)
{
    constexpr std::string_view kBlanks = " \t";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

} // namespace

IniFile::Section *IniFile::FindSection(std::string_view name)
{
    for (Section &section : m_sections) {
        if (SameName(section.name, name))
            return &section;
    }
    return nullptr;
}

const IniFile::Section *IniFile::FindSection(std::string_view name) const
{
    return const_cast<IniFile *>(this)->FindSection(name);
}

void IniFile::SetString(std::string_view section, std::string_view key, std::string_view value)
{
    Section *target = FindSection(section);
    if (!target) {
        m_sections.push_back(Section {std::string(section), {}});
        target = &m_sections.back();
    }
    for (Entry &entry : target->entries) {
        if (SameName(entry.key, key)) {
            entry.value = value;
            return;
        }
    }
    target->entries.push_back(Entry {std::string(key), std::string(value)});
}

void IniFile::SetInt(std::string_view section, std::string_view key, int value)
{
    SetString(section, key, std::to_string(value));
}

const std::string *IniFile::Find(std::string_view section, std::string_view key) const
{
    const Section *found = FindSection(section);
    if (!found)
        return nullptr;
    for (const Entry &entry : found->entries) {
        if (SameName(entry.key, key))
            return &entry.value;
    }
    return nullptr;
}

std::string IniFile::GetString(
    std::string_view section, std::string_view key, std::string_view fallback) const
{
    const std::string *value = Find(section, key);
    return value ? *value : std::string(fallback);
}

int IniFile::GetInt(std::string_view section, std::string_view key, int fallback) const
{
    const std::string *value = Find(section, key);
    if (!value)
        return fallback;
    const char *begin = value->data();
    const char *end = begin + value->size();
    // from_chars takes a minus sign but not a plus sign.
    if (begin != end && *begin == '+')
        ++begin;
    int result = 0;
    const auto parsed = std::from_chars(begin, end, result);
    return parsed.ec == std::errc() ? result : fallback;
}

std::string IniFile::ToText() const
{
    std::string text;
    for (const Section &section : m_sections) {
        if (!text.empty())
            text += '\n';
        text += '[';
        text += section.name;
        text += "]\n";
        for (const Entry &entry : section.entries) {
            text += entry.key;
            text += '=';
            text += entry.value;
            text += '\n';
        }
    }
    return text;
}

IniFile IniFile::FromText(std::string_view text)
{
    IniFile file;
    std::string current;
    bool inSection = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        line = Trimmed(line);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            current = Trimmed(
                line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
            inSection = true;
            if (!file.FindSection(current))
                file.m_sections.push_back(Section {current, {}});
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos)
            continue;
        file.SetString(current, Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)));
    }
    return file;
}

bool IniFile::Load(const std::string &path)
{
    // A folder opens as a stream on Linux but has no text to read.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad())
        return false;
    *this = FromText(content.str());
    return true;
}

} // namespace kx
