#include "codegen/code_stream.h"

#include "codegen/code_names.h"
#include "projectfile/xml_file.h"

namespace kx {

namespace {

// "//" and 80 hyphens: the rule around the title of a dialog class method.
constexpr Literal kRule = "//-------------------------------------------------"
                          "-------------------------------";

} // namespace

void CodeStream::Write(std::string_view utf8)
{
    m_file.WriteUtf8(utf8);
}

void CodeStream::Require(const std::string &problem)
{
    if (!problem.empty())
        m_file.Refuse(problem);
}

CodeStream &CodeStream::operator<<(Literal literal)
{
    Write(literal.Text());
    return *this;
}

CodeStream &CodeStream::operator<<(Ascii constant)
{
    Write(constant.text);
    return *this;
}

CodeStream &CodeStream::operator<<(char c)
{
    Write(std::string_view(&c, 1));
    return *this;
}

CodeStream &CodeStream::operator<<(int value)
{
    m_file.WriteInt(value);
    return *this;
}

CodeStream &CodeStream::operator<<(Identifier id)
{
    Check(id);
    Write(id.name);
    return *this;
}

CodeStream &CodeStream::operator<<(IdentifierTail id)
{
    Require(IdentifierTailProblem(id.what, id.name));
    Write(id.name);
    return *this;
}

CodeStream &CodeStream::operator<<(ColourExpression colour)
{
    Require(ColourExpressionProblem(colour.what, colour.expression));
    Write(colour.expression);
    return *this;
}

CodeStream &CodeStream::operator<<(QuotedFileName file)
{
    Require(LiteralProblem(file.what, file.name));
    Write(file.name);
    return *this;
}

CodeStream &CodeStream::operator<<(QuotedText text)
{
    Require(TextLiteralProblem(text.object, text.cp932Text));
    // The one place where a text of the editor's code page becomes UTF-8.
    m_file.WriteText(text.cp932Text);
    return *this;
}

CodeStream &CodeStream::operator<<(Padding padding)
{
    Write(std::string_view(PaddedRight(padding.text, padding.columns)).substr(padding.text.size()));
    return *this;
}

void CodeStream::Lines(std::initializer_list<Literal> lines)
{
    for (const Literal line : lines)
        Line(line);
}

void CodeStream::MethodTitle(Literal title)
{
    Line(kRule);
    Line("// ", title);
    Line(kRule);
}

void CodeStream::EndMethod()
{
    Lines({"}", ""});
}

void CodeStream::Check(Identifier name)
{
    Require(IdentifierProblem(name.what, name.name));
}

} // namespace kx
