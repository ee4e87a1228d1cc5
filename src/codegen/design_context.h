// What the per-object passes of the design generator need beyond the object tree, and the small
// stream through which every generator writes generated code.
#pragma once

#include "codegen/code_names.h"
#include "projectfile/xml_file.h"

#include <string>
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

// A name of the model written as an identifier; what says which kind of name it is.
struct Identifier {
    std::string_view what;
    std::string_view name;
};

// The part of an identifier after a fixed start, such as a colour name after "KX_COL_".
struct IdentifierTail {
    std::string_view what;
    std::string_view name;
};

// A colour expression written as it is held: a "KX_COL_" constant or the "RGB(...)" form.
struct ColourExpression {
    std::string_view what;
    std::string_view expression;
};

// A file name written between the double quotes the caller writes.
struct QuotedFileName {
    std::string_view what;
    std::string_view name;
};

// An object's text in the editor's code page (CP932), written between the double quotes the
// caller writes.
struct QuotedText {
    std::string_view object;
    std::string_view text;
};

// Appends generated code to a file, so that the emitted pieces read in order in the source:
// out << "\tobj = pGroup" << level << "->AddCanvas(this," << Identifier {"object", name} ...
// Plain texts are UTF-8 (the generators' literals), names of the model go through the wrappers
// above, which check them: a name that could carry code refuses the whole file instead of being
// written. Integers are written in decimal.
class CodeOut {
public:
    explicit CodeOut(CXmlFile &file)
        : m_file(file)
    { }

    CodeOut &operator<<(std::string_view text)
    {
        m_file.WriteUtf8(text);
        return *this;
    }
    CodeOut &operator<<(const char *text) { return *this << std::string_view(text); }
    CodeOut &operator<<(const std::string &text) { return *this << std::string_view(text); }
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
    CodeOut &operator<<(Identifier id)
    {
        Require(IdentifierProblem(id.what, id.name));
        return *this << id.name;
    }
    CodeOut &operator<<(IdentifierTail id)
    {
        Require(IdentifierTailProblem(id.what, id.name));
        return *this << id.name;
    }
    CodeOut &operator<<(ColourExpression colour)
    {
        Require(ColourExpressionProblem(colour.what, colour.expression));
        return *this << colour.expression;
    }
    CodeOut &operator<<(QuotedFileName file)
    {
        Require(LiteralProblem(file.what, file.name));
        return *this << file.name;
    }
    CodeOut &operator<<(QuotedText text)
    {
        Require(TextLiteralProblem(text.object, text.text));
        m_file.WriteText(text.text);
        return *this;
    }
    // Truth values are never emitted by accident as 0 or 1: the generated code spells TRUE.
    CodeOut &operator<<(bool) = delete;

    // Refuses the file for the given reason unless it is empty.
    void Require(const std::string &problem)
    {
        if (!problem.empty())
            m_file.Refuse(problem);
    }
    // Refuses the file unless name can stand as an identifier (for names that are written
    // inside longer texts).
    void RequireIdentifier(std::string_view what, std::string_view name)
    {
        Require(IdentifierProblem(what, name));
    }

    CXmlFile &File() { return m_file; }

private:
    CXmlFile &m_file;
};

} // namespace kx
