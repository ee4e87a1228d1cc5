// kxdialog's texts in the language of the locale, as the editor speaks it: Japanese when the
// locale's language for messages is Japanese, English otherwise. The tool's own texts (help,
// errors, the labels of info) are written in both languages where they are used;
// the core's Japanese texts (the generation log, the font messages) have an English form, as in
// the editor's translation. Only what is shown changes: project files and generated sources are
// the same in either language.
#pragma once

#include <string>
#include <string_view>

namespace kx::cli {

enum class Language { kEnglish, kJapanese };

// The language that the locale variables ask for: the first of LC_ALL, LC_MESSAGES and LANG that
// is set and not empty decides, Japanese when it begins with "ja". A null pointer is a variable
// that is not set.
Language LanguageOf(const char *lcAll, const char *lcMessages, const char *lang);

// The language of this process's environment, read once.
Language CurrentLanguage();
// Replaces the language of the process (tests).
void SetLanguage(Language language);

// A text of the tool in both languages, written where it is used. A printf format has the same
// conversions in the same order in both.
struct Text {
    const char *english;
    const char *japanese;
};

// The text in the current language.
const char *Tr(const Text &text);

// A text of the core (UTF-8) in the current language: the English form of a Japanese text the
// table knows, with the names it carries put back; every other text as it is. file names the
// project file being read, for the reader's parse error.
std::string CoreText(std::string_view utf8, std::string_view file = {});

} // namespace kx::cli
