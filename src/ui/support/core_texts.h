// The texts of the core (messages and log lines, UTF-8) in the editor's language. The core
// writes them once, some in Japanese, some in English, and knows nothing of languages; the
// editor recognises the Japanese ones by their patterns and shows their translation with the
// names and numbers they hold. A text the catalog does not know is shown as it is.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <string_view>

namespace kx::ui {

// What the editor knows around a message that the message itself does not say.
struct CoreTextContext {
    // The project file being read; empty when none is.
    QString projectFile;
    // The column of the reader's parse error (0 when it cannot tell).
    std::function<int()> errorColumn;
};

// The text in the language installed now: its translation when the catalog knows its pattern
// and a translation is installed, else the text itself.
QString TranslateCoreText(std::string_view utf8, const CoreTextContext &context = {});

// The patterns of the catalog as the core writes them, "%1" ... standing for the variable parts.
QStringList CoreTextPatterns();

} // namespace kx::ui
