#include "check/project_lines.h"

#include <expat.h>

#include <algorithm>
#include <memory>

namespace kx {

namespace {

// The sections of the project reader; "Font" and "Image" open definitions only outside the
// others, and the ends of elements leave sections exactly as the reader's do.
enum class Section { kNone, kProperty, kDialog, kFont, kImage, kGroup, kObject };

// XML_Parse takes an int length; longer texts go over in parts of this size.
constexpr std::size_t kMaxParseChunk = 1U << 30;

// Element texts lose the line ends and tabs of the file's layout at both ends; blanks stay.
std::string_view TrimLayout(std::string_view text)
{
    constexpr std::string_view kLayout = "\t\n\r";
    const std::size_t last = text.find_last_not_of(kLayout);
    if (last == std::string_view::npos)
        return {};
    text = text.substr(0, last + 1);
    return text.substr(text.find_first_not_of(kLayout));
}

struct ParserDeleter {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

class Scanner {
public:
    explicit Scanner(ProjectLines &lines)
        : m_lines(lines)
    { }

    void Run(std::string_view content);

private:
    static void XMLCALL OnStart(void *data, const XML_Char *name, const XML_Char **)
    {
        static_cast<Scanner *>(data)->Start(name);
    }
    static void XMLCALL OnEnd(void *data, const XML_Char *name)
    {
        static_cast<Scanner *>(data)->End(name);
    }
    static void XMLCALL OnText(void *data, const XML_Char *text, int length)
    {
        auto *self = static_cast<Scanner *>(data);
        if (self->m_nameOf && length > 0)
            self->m_text.append(text, static_cast<std::size_t>(length));
    }

    void Start(std::string_view name);
    void End(std::string_view name);
    void TakeName();
    // The element that a "Name" starting now would name, by the section it starts in.
    ElementLine *NameTarget();
    DialogLines *CurrentDialog() { return m_dialog ? &m_lines.dialogs.back() : nullptr; }
    int Line() const { return static_cast<int>(XML_GetCurrentLineNumber(m_parser.get())); }

    ProjectLines &m_lines;
    std::unique_ptr<XML_ParserStruct, ParserDeleter> m_parser;
    Section m_section = Section::kNone;
    bool m_dialog = false; // the last dialog of the list is open
    bool m_font = false;
    bool m_image = false;
    // Open groups of the dialog as indexes of its nodes, the root group first.
    std::vector<std::size_t> m_groups;
    bool m_object = false; // the last node of the dialog is an open object
    ElementLine *m_nameOf = nullptr;
    std::string m_text;
};

void Scanner::Run(std::string_view content)
{
    m_parser.reset(XML_ParserCreate("UTF-8"));
    if (!m_parser) {
        m_lines.errorLine = 1;
        m_lines.error = "no XML parser";
        return;
    }
    XML_SetUserData(m_parser.get(), this);
    XML_SetElementHandler(m_parser.get(), OnStart, OnEnd);
    XML_SetCharacterDataHandler(m_parser.get(), OnText);
    // The reader drops every tab before parsing, so a tab never makes the file malformed.
    std::string text;
    text.reserve(content.size());
    for (const char c : content) {
        if (c != '\t')
            text += c;
    }
    std::string_view rest = text;
    XML_Status status = XML_STATUS_OK;
    while (status == XML_STATUS_OK && rest.size() > kMaxParseChunk) {
        status = XML_Parse(m_parser.get(), rest.data(), static_cast<int>(kMaxParseChunk), 0);
        rest.remove_prefix(kMaxParseChunk);
    }
    if (status == XML_STATUS_OK)
        status = XML_Parse(m_parser.get(), rest.data(), static_cast<int>(rest.size()), 1);
    if (status != XML_STATUS_OK) {
        const char *reason = XML_ErrorString(XML_GetErrorCode(m_parser.get()));
        m_lines.error = reason ? reason : "XML error";
        m_lines.errorLine = std::max(1, Line());
    }
}

ElementLine *Scanner::NameTarget()
{
    switch (m_section) {
    case Section::kDialog:
        return CurrentDialog();
    case Section::kFont:
        return m_font ? &m_lines.fonts.back() : nullptr;
    case Section::kImage:
        return m_image ? &m_lines.images.back() : nullptr;
    case Section::kGroup:
        return m_dialog && !m_groups.empty() ? &CurrentDialog()->nodes[m_groups.back()] : nullptr;
    case Section::kObject:
        return m_dialog && m_object ? &CurrentDialog()->nodes.back() : nullptr;
    default:
        return nullptr;
    }
}

void Scanner::TakeName()
{
    if (m_nameOf) {
        if (const std::string_view name = TrimLayout(m_text); !name.empty())
            m_nameOf->name = name;
    }
    m_nameOf = nullptr;
    m_text.clear();
}

void Scanner::Start(std::string_view name)
{
    TakeName();
    if (name == "Name")
        m_nameOf = NameTarget();
    const int line = Line();
    if (name == "Property") {
        m_section = Section::kProperty;
        if (m_lines.propertyLine == 0)
            m_lines.propertyLine = line;
    } else if (name == "Dialog") {
        m_section = Section::kDialog;
        m_lines.dialogs.push_back({{line, {}, false}, {}});
        m_dialog = true;
        m_object = false;
        m_groups.clear();
    } else if (name == "Font" || name == "Image") {
        if (m_section != Section::kNone && m_section != Section::kProperty)
            return;
        const bool font = name == "Font";
        m_section = font ? Section::kFont : Section::kImage;
        (font ? m_lines.fonts : m_lines.images).push_back({line, {}, false});
        (font ? m_font : m_image) = true;
    } else if (name == "Objects") {
        m_section = Section::kGroup;
        DialogLines *dialog = CurrentDialog();
        if (!dialog)
            return;
        // The first group of a dialog is its root group, which the dialog already has; a group
        // that opens while none is open opens the root group again.
        if (m_groups.empty() && !dialog->nodes.empty()) {
            m_groups.push_back(0);
            return;
        }
        dialog->nodes.push_back({line, {}, false});
        m_groups.push_back(dialog->nodes.size() - 1);
    } else if (name == "Object") {
        m_section = Section::kObject;
        m_object = false;
        DialogLines *dialog = CurrentDialog();
        if (!dialog || m_groups.empty())
            return;
        dialog->nodes.push_back({line, {}, false});
        m_object = true;
    }
}

void Scanner::End(std::string_view name)
{
    TakeName();
    if (name == "Font") {
        if (m_font)
            m_lines.fonts.back().complete = true;
        m_font = false;
        if (m_section == Section::kNone || m_section == Section::kProperty
            || m_section == Section::kDialog || m_section == Section::kFont)
            m_section = Section::kNone;
    } else if (name == "Image") {
        if (m_image)
            m_lines.images.back().complete = true;
        m_image = false;
        if (m_section == Section::kImage)
            m_section = Section::kNone;
    } else if (name == "Objects") {
        if (!m_groups.empty()) {
            CurrentDialog()->nodes[m_groups.back()].complete = true;
            m_groups.pop_back();
        }
        m_section = Section::kNone;
    } else if (name == "Object") {
        if (m_object)
            CurrentDialog()->nodes.back().complete = true;
        m_section = Section::kNone;
        m_object = false;
    } else if (name == "Dialog") {
        if (m_dialog)
            m_lines.dialogs.back().complete = true;
        m_section = Section::kNone;
        m_dialog = false;
        m_object = false;
        m_groups.clear();
    }
}

template <typename List>
auto FirstComplete(const List &list, std::string_view name) -> decltype(&list.front())
{
    for (const auto &element : list) {
        if (element.complete && element.name == name)
            return &element;
    }
    return nullptr;
}

} // namespace

const ElementLine *ProjectLines::Font(std::string_view name) const
{
    return FirstComplete(fonts, name);
}

const ElementLine *ProjectLines::Image(std::string_view name) const
{
    return FirstComplete(images, name);
}

const DialogLines *ProjectLines::Dialog(std::string_view name) const
{
    return FirstComplete(dialogs, name);
}

ProjectLines ScanProjectLines(std::string_view content)
{
    ProjectLines lines;
    Scanner(lines).Run(content);
    return lines;
}

} // namespace kx
