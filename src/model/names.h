// The rules for the names the user gives resources. Names become C++ identifiers in the generated
// sources, so the editor accepts only what a compiler accepts there. The rule exists once, here:
// the editor's name fields, the project check and the code generators all ask it, and all say a
// fault in the words of NameFaultText.
#pragma once

#include <string>
#include <string_view>

namespace kx {

// Why a name cannot stand as an identifier.
enum class NameFault {
    kNone,
    kEmpty,
    kLeadingDigit,
    // A character other than an ASCII letter, a digit or "_".
    kBadCharacter,
    // A word of C++ that cannot name a variable, a class or an enumerator.
    kReservedWord,
};

// What a name is checked as.
enum class NameUse {
    // A whole identifier: a dialog, an object, an image or a font definition, a class.
    kIdentifier,
    // The part of an identifier that follows a fixed start (the project's name after the
    // application prefix, a colour after "KX_COL_"): it may be empty or begin with a digit.
    kTail,
};

// Which characters count as letters besides "_".
enum class NameLetters {
    // ASCII letters only: what the editor lets the user type, and what the check asks for.
    kAscii,
    // Every character outside ASCII too: a name read from a file may hold Japanese, which the
    // generated code keeps as it is (the compiler takes UTF-8 identifiers).
    kAsciiAndOthers,
};

// The one identifier rule: letters, digits and "_"; as a whole identifier also not empty, not
// beginning with a digit and not a C++ keyword. The first fault found, in that order: empty,
// leading digit, characters, keyword.
NameFault IdentifierNameFault(std::string_view name, NameUse use = NameUse::kIdentifier,
    NameLetters letters = NameLetters::kAscii);

// A name for a dialog, an object, an image or a font definition.
bool IsIdentifierName(std::string_view name);

// The project's name: ASCII letters, digits and '_' only; an empty name passes.
bool IsProjectName(std::string_view name);

// The first character of name that no identifier may hold, described for a message ("a blank",
// "a line feed", "the character '-'"); empty when there is none.
std::string ForbiddenCharacter(std::string_view name, NameLetters letters = NameLetters::kAscii);

// The fault in words, as the core's messages give reasons ("a name cannot begin with a digit");
// empty for kNone. The editor's name messages say the same words in its language.
const char *NameFaultText(NameFault fault);

} // namespace kx
