#include "cli/cli_texts.h"

#include <cstdlib>
#include <optional>
#include <vector>

namespace kx::cli {

namespace {

// The core's Japanese texts and their English forms, the editor's translations: "%1" ... stand
// for the names they carry, in the order of the Japanese text.
struct CoreForm {
    const char *japanese;
    const char *english;
};

constexpr CoreForm kCoreForms[] = {
    // The generation log; the reason of a cancelled file is written in English by the core.
    {"○ %1 を更新しました。", "○ %1 was updated."},
    {"× %1 キャンセルしました。 %2", "× %1 was cancelled: %2"},
    {"× %1 キャンセルしました。", "× %1 was cancelled."},
    // The reader, the rasterizer, the painter and the development-environment project file.
    {"エラー: XMLパーサーの作成に失敗しました.", "Error: the XML parser could not be created."},
    {"エラー：フォント[%1]が使用できません。", "Error: the font [%1] cannot be used."},
    {"ファイルのオープンに失敗しました.\n%1", "The file could not be opened.\n%1"},
    {"ボタン オブジェクト[%1]のイメージ[%2]の\n指定のフォント[%3]が見つかりませんでした。\n"
     "[%4]で代用します。正しく指定して下さい。",
        "The font [%3] named by image [%2] of button object [%1]\nwas not found.\n[%4] stands in "
        "for it. Please name an existing font."},
    {"エディット ボックス オブジェクト[%1]のイメージ[%2]の\n指定のフォント[%3]が見つかりません"
     "でした。\n[%4]で代用します。正しく指定して下さい。",
        "The font [%3] named by image [%2] of edit box object [%1]\nwas not found.\n[%4] stands "
        "in for it. Please name an existing font."},
    {"フレーム オブジェクト[%1]のイメージ[%2]の\n指定のフォント[%3]が見つかりませんでした。\n"
     "[%4]で代用します。正しく指定して下さい。",
        "The font [%3] named by image [%2] of frame object [%1]\nwas not found.\n[%4] stands in "
        "for it. Please name an existing font."},
    {"テキストオブジェクト[%1]の\n指定のフォント[%2]が見つかりませんでした。\n"
     "[%3]で代用します。正しく指定して下さい。",
        "The font [%2] named by text object [%1]\nwas not found.\n[%3] stands in for it. Please "
        "name an existing font."},
    // The reader's parse error (the reason is Expat's); %4 is the file being read.
    {"XML sErrMsg : %1 at sLine %2 (%3)\n",
        "The project file \"%4\" is not well-formed: %1 at line %2."},
};

std::optional<Language> &Chosen()
{
    static std::optional<Language> language;
    return language;
}

// The names a text holds where the pattern has %1 ...: each name ends at the first place where
// the fixed words after it follow (the last one at the end of the text). Nothing when the text
// does not have the pattern's form.
std::optional<std::vector<std::string>> Match(std::string_view pattern, std::string_view text)
{
    std::vector<std::string> names(9);
    std::size_t at = 0; // in text
    std::size_t p = 0; // in pattern
    int pending = 0; // the placeholder whose name is being read, 0 for none
    while (p <= pattern.size()) {
        const std::size_t next = pattern.find('%', p);
        const bool placeholder = next != std::string_view::npos && next + 1 < pattern.size()
            && pattern[next + 1] >= '1' && pattern[next + 1] <= '9';
        const std::size_t end = placeholder ? next : pattern.size();
        const std::string_view words = pattern.substr(p, end - p);
        std::size_t found;
        if (pending == 0) {
            found = text.substr(at).starts_with(words) ? at : std::string_view::npos;
        } else if (!placeholder) {
            found = text.size() >= at + words.size() && text.ends_with(words)
                ? text.size() - words.size()
                : std::string_view::npos;
        } else {
            found = words.empty() ? at : text.find(words, at);
        }
        if (found == std::string_view::npos)
            return std::nullopt;
        if (pending > 0)
            names[static_cast<std::size_t>(pending - 1)] = std::string(text.substr(at, found - at));
        at = found + words.size();
        if (!placeholder)
            return at == text.size() ? std::optional(names) : std::nullopt;
        pending = pattern[next + 1] - '0';
        p = next + 2;
    }
    return std::nullopt;
}

// The form with the names put into its %1 ... in one pass, so that a name holding "%2" stays.
std::string Fill(std::string_view form, const std::vector<std::string> &names)
{
    std::string text;
    for (std::size_t i = 0; i < form.size(); ++i) {
        if (form[i] == '%' && i + 1 < form.size() && form[i + 1] >= '1' && form[i + 1] <= '9') {
            text += names[static_cast<std::size_t>(form[i + 1] - '1')];
            ++i;
        } else {
            text += form[i];
        }
    }
    return text;
}

} // namespace

Language LanguageOf(const char *lcAll, const char *lcMessages, const char *lang)
{
    for (const char *value : {lcAll, lcMessages, lang}) {
        if (value && *value)
            return std::string_view(value).starts_with("ja") ? Language::kJapanese
                                                             : Language::kEnglish;
    }
    return Language::kEnglish;
}

Language CurrentLanguage()
{
    std::optional<Language> &chosen = Chosen();
    if (!chosen)
        chosen = LanguageOf(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
    return *chosen;
}

void SetLanguage(Language language)
{
    Chosen() = language;
}

const char *Tr(const Text &text)
{
    return CurrentLanguage() == Language::kJapanese ? text.japanese : text.english;
}

std::string CoreText(std::string_view utf8, std::string_view file)
{
    if (CurrentLanguage() == Language::kJapanese)
        return std::string(utf8);
    for (const CoreForm &form : kCoreForms) {
        if (auto names = Match(form.japanese, utf8)) {
            (*names)[3] = file.empty() ? (*names)[3] : std::string(file);
            return Fill(form.english, *names);
        }
    }
    return std::string(utf8);
}

} // namespace kx::cli
