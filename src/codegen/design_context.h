// What the per-object passes of the design generator need beyond the object tree, and the small
// stream through which they write generated code.
#pragma once

#include "projectfile/xml_file.h"

#include <string_view>

class CImageDataList;

namespace kx {

// Settings of one design-source generation, shared by every object of the dialog.
struct DesignContext {
    // Image definitions of the open project, for the style test of buttons, edit boxes and
    // frames. None when no project is open: every style then counts as its definition's.
    const CImageDataList *images = nullptr;
    // The run's GetText support: texts marked "GetText" are then wrapped in _("...").
    bool getTextSupport = false;
};

// Appends generated code to a file, so that the emitted pieces read in order in the source:
// out << "\tobj = pGroup" << level << "->AddCanvas(this," << name ...
// Texts (CP932) go out as given, characters as they are, integers in decimal.
class CodeOut {
public:
    explicit CodeOut(CXmlFile &file)
        : m_file(file)
    { }

    CodeOut &operator<<(std::string_view text)
    {
        m_file.WriteText(text);
        return *this;
    }
    CodeOut &operator<<(const char *text) { return *this << std::string_view(text); }
    CodeOut &operator<<(char c)
    {
        m_file.WriteChar(c);
        return *this;
    }
    CodeOut &operator<<(int value)
    {
        m_file.WriteInt(value);
        return *this;
    }
    // Truth values are never emitted by accident as 0 or 1: the generated code spells TRUE.
    CodeOut &operator<<(bool) = delete;

private:
    CXmlFile &m_file;
};

} // namespace kx
