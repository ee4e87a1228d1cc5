// The one stream through which every generator writes generated code, and the pieces it takes.
// Each piece says what it holds and so how it is written: the generators' own literals go out as
// they are, names of the model pass their check and go out as they are, and texts typed by the
// user are converted from the editor's code page exactly once. A plain std::string has no
// encoding of its own and is not taken at all.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

class CXmlFile;

namespace kx {

// ---- Pieces ----

// A generator's own text: a string literal, UTF-8 as the source file holds it (comments of the
// skeleton files are Japanese). Only character arrays convert to it, never a std::string.
class Literal {
public:
    template <std::size_t N>
    constexpr Literal(const char (&text)[N])
        : m_text(text, N - 1)
    { }

    constexpr std::string_view Text() const { return m_text; }

private:
    std::string_view m_text;
};

// A constant of the program's own tables (a library constant such as "KX_ATTR_ACTIVE"): ASCII,
// written as it is.
struct Ascii {
    std::string_view text;
};

// A name of the model (UTF-8) written as an identifier; what says which kind of name it is.
struct Identifier {
    std::string_view what;
    std::string_view name;
};

// The part of an identifier after a fixed start, such as a colour name after "KX_COL_".
struct IdentifierTail {
    std::string_view what;
    std::string_view name;
};

// A colour expression (UTF-8) written as it is held: a "KX_COL_" constant or the "RGB(...)" form.
struct ColourExpression {
    std::string_view what;
    std::string_view expression;
};

// A file name (UTF-8) written between the double quotes the caller writes.
struct QuotedFileName {
    std::string_view what;
    std::string_view name;
};

// An object's text in the editor's code page (CP932), written as UTF-8 between the double quotes
// the caller writes. object names the object for the message of a text that cannot be written.
struct QuotedText {
    std::string_view object;
    std::string_view cp932Text;
};

// The blanks that widen text, written just before, to the given columns, as printf's "%-*s" does
// (columns counted as the editor's code page takes them); none when text is that wide already.
struct Padding {
    std::string_view text;
    std::size_t columns;
};

// ---- The stream ----

// Appends generated code to a file opened for generation, so that the emitted pieces read in
// order in the source (Qt uic's habit):
//     out << "\tobj = pGroup" << level << "->AddCanvas(this," << Identifier {"object", name} ...
// A name that could carry code refuses the whole file (the first reason is kept) instead of
// being written. Integers are written in decimal; a character is ASCII punctuation.
class CodeStream {
public:
    explicit CodeStream(CXmlFile &file)
        : m_file(file)
    { }

    CodeStream(const CodeStream &) = delete;
    CodeStream &operator=(const CodeStream &) = delete;

    template <std::size_t N>
    CodeStream &operator<<(const char (&literal)[N])
    {
        return *this << Literal(literal);
    }
    CodeStream &operator<<(Literal literal);
    CodeStream &operator<<(Ascii constant);
    CodeStream &operator<<(char c);
    CodeStream &operator<<(int value);
    CodeStream &operator<<(Identifier id);
    CodeStream &operator<<(IdentifierTail id);
    CodeStream &operator<<(ColourExpression colour);
    CodeStream &operator<<(QuotedFileName file);
    CodeStream &operator<<(QuotedText text);
    CodeStream &operator<<(Padding padding);
    // Truth values are never emitted by accident as 0 or 1: the generated code spells TRUE. This
    // also stops a const char *, which would convert to bool: its text has no known encoding.
    CodeStream &operator<<(bool) = delete;

    // One line: the pieces and a line feed.
    template <typename... Pieces>
    void Line(const Pieces &...pieces)
    {
        (*this << ... << pieces) << '\n';
    }
    // Lines of literals, one after the other.
    void Lines(std::initializer_list<Literal> lines);

    // A function without statements: its signature, the braces, then an empty line.
    template <typename... Pieces>
    void EmptyFunction(const Pieces &...signature)
    {
        Line(signature...);
        Lines({"{", "}", ""});
    }

    // The head of a member function of a dialog class: a rule, the title, a rule, the signature,
    // the opening brace and the TODO line that tells the user what belongs there. The caller
    // writes the body and closes the block with EndMethod.
    template <typename... Pieces>
    void BeginMethod(Literal title, Literal task, const Pieces &...signature)
    {
        MethodTitle(title);
        Line(signature...);
        Line("{");
        Line("\t// TODO: ", task);
    }
    void EndMethod();

    // Refuses the file now unless name can stand as an identifier. For the name a file is about,
    // so that its reason comes first even when other names are written before it.
    void Check(Identifier name);

private:
    void MethodTitle(Literal title);
    // Refuses the file for the given reason unless it is empty.
    void Require(const std::string &problem);
    void Write(std::string_view utf8);

    CXmlFile &m_file;
};

} // namespace kx
