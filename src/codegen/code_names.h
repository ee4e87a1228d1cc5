// What a project may put into generated sources. Names of the model become identifiers, file
// names become string literals and names of generated files, and a project file may come from
// anyone: a name that could end a line, close a literal or leave the output folder must stop
// the file it would go into instead of being written.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kx {

// Why name cannot be written as an identifier, in words; empty when it can. The rule is the
// editor's own (model/names.h): letters, digits and "_", not beginning with a digit, no C++
// keyword; non-ASCII characters count as letters (Japanese names from a file stay usable).
// what names the kind of name ("object", "dialog class"). An empty name is not checked: it
// writes nothing that could be code.
std::string IdentifierProblem(std::string_view what, std::string_view name);

// The same for the part of an identifier that follows a fixed start (a colour name after
// "KX_COL_"): it may be empty or begin with a digit.
std::string IdentifierTailProblem(std::string_view what, std::string_view name);

// Why a file name cannot be written between double quotes in generated code: a quote, a
// backslash or a control character; empty when it can.
std::string LiteralProblem(std::string_view what, std::string_view name);

// Why an object's text (CP932) cannot be written between double quotes: a control character
// would end the line of the literal (line breaks inside a text are the two characters "\n").
// Quotes are written as they are held. Empty when it can.
std::string TextLiteralProblem(std::string_view object, std::string_view cp932Text);

// Why a colour expression (a "KX_COL_" constant or the "RGB(...)" form) cannot be written;
// empty when it can.
std::string ColourExpressionProblem(std::string_view what, std::string_view expression);

// Why name cannot be the name of a generated file in the output folder: empty, a folder
// separator, "." or "..", a control character, or too long for a file system that allows
// maxLength characters once a save's temporary suffix is added. Empty when it can.
std::string GeneratedFileNameProblem(std::string_view name, std::size_t maxLength);

// printf's "%-*s" for a UTF-8 text: padded on the right with blanks to the given columns, never
// cut. Columns are counted as the editor's code page takes them (an ASCII character one, a
// Japanese character two), so that names line up as they do on screen.
std::string PaddedRight(std::string_view text, std::size_t columns);

// A name as messages show it: control characters escaped, long names cut.
std::string PrintableName(std::string_view name);
// A name with its control characters escaped ("\n", "\x01"), whatever its length.
std::string EscapedName(std::string_view name);

} // namespace kx
