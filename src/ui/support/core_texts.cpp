#include "ui/support/core_texts.h"

#include "ui/support/qt_text.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <vector>

namespace kx::ui {

namespace {

constexpr const char *kContext = "CoreTexts";

// The Japanese texts of the core, each with its variable parts as %1, %2 ... in the order they
// appear. The English forms are kept in the translation under the context "CoreTexts".
const char *const kPatterns[] = {
    // projectfile/project_reader.cpp
    QT_TRANSLATE_NOOP("CoreTexts", "エラー: XMLパーサーの作成に失敗しました."),
    // render/dialog_painter.cpp: a font that an image definition or a text object names is
    // missing and the first font definition stands in (object, image, font, substitute).
    QT_TRANSLATE_NOOP("CoreTexts",
        "ボタン オブジェクト[%1]のイメージ[%2]の\n指定のフォント[%3]が見つかりませんでした。\n"
        "[%4]で代用します。正しく指定して下さい。"),
    QT_TRANSLATE_NOOP("CoreTexts",
        "エディット ボックス オブジェクト[%1]のイメージ[%2]の\n指定のフォント[%3]が見つかりません"
        "でした。\n[%4]で代用します。正しく指定して下さい。"),
    QT_TRANSLATE_NOOP("CoreTexts",
        "フレーム オブジェクト[%1]のイメージ[%2]の\n指定のフォント[%3]が見つかりませんでした。\n"
        "[%4]で代用します。正しく指定して下さい。"),
    QT_TRANSLATE_NOOP("CoreTexts",
        "テキストオブジェクト[%1]の\n指定のフォント[%2]が見つかりませんでした。\n"
        "[%3]で代用します。正しく指定して下さい。"),
    // render/freetype_font.cpp: the font file at this path cannot be opened.
    QT_TRANSLATE_NOOP("CoreTexts", "エラー：フォント[%1]が使用できません。"),
    // codegen/rvpro_writer.cpp
    QT_TRANSLATE_NOOP("CoreTexts", "ファイルのオープンに失敗しました.\n%1"),
    // codegen/skeleton_generator.cpp: the log lines of a generation run; a cancelled file may
    // be followed by the reason, which the core writes in English.
    QT_TRANSLATE_NOOP("CoreTexts", "○ %1 を更新しました。"),
    QT_TRANSLATE_NOOP("CoreTexts", "× %1 キャンセルしました。 %2"),
    QT_TRANSLATE_NOOP("CoreTexts", "× %1 キャンセルしました。"),
};

// The reader's parse error: the reason (Expat's, in English), the line, and a count of the lines
// fed. Its English forms name the file and the column, which the context tells.
constexpr const char *kParseError = "XML sErrMsg : %1 at sLine %2 (%3)\n";

// The English form of the parse error as far as the context tells: with the file and the
// column, with the file, or for text that came from no file. The translations use %1 the
// reason, %2 the line, %4 the file and %5 the column.
QString ParseErrorForm(bool file, bool column)
{
    if (!file) {
        return QCoreApplication::translate(
            "CoreTexts", "XML sErrMsg : %1 at sLine %2 (%3)\n", "no file");
    }
    if (!column) {
        return QCoreApplication::translate(
            "CoreTexts", "XML sErrMsg : %1 at sLine %2 (%3)\n", "file without column");
    }
    return QCoreApplication::translate(
        "CoreTexts", "XML sErrMsg : %1 at sLine %2 (%3)\n", "file and column");
}

struct Matcher {
    const char *source;
    QRegularExpression expression;
    // The placeholder number of each captured group, in order.
    std::vector<int> numbers;
};

Matcher MakeMatcher(const char *source)
{
    const QString pattern = QString::fromUtf8(source);
    static const QRegularExpression placeholder(QStringLiteral("%([1-9])"));
    Matcher matcher {source, {}, {}};
    QString expression = QStringLiteral("\\A");
    qsizetype at = 0;
    QRegularExpressionMatchIterator found = placeholder.globalMatch(pattern);
    while (found.hasNext()) {
        const QRegularExpressionMatch part = found.next();
        expression += QRegularExpression::escape(pattern.mid(at, part.capturedStart() - at));
        // Names may hold anything, brackets and line breaks included; the fixed words around
        // them decide where they end.
        expression += part.capturedEnd() == pattern.size() ? QStringLiteral("(.*)")
                                                           : QStringLiteral("(.*?)");
        matcher.numbers.push_back(part.captured(1).toInt());
        at = part.capturedEnd();
    }
    expression += QRegularExpression::escape(pattern.mid(at)) + QStringLiteral("\\z");
    matcher.expression
        = QRegularExpression(expression, QRegularExpression::DotMatchesEverythingOption);
    return matcher;
}

const std::vector<Matcher> &Matchers()
{
    static const std::vector<Matcher> matchers = [] {
        std::vector<Matcher> made;
        for (const char *source : kPatterns)
            made.push_back(MakeMatcher(source));
        made.push_back(MakeMatcher(kParseError));
        return made;
    }();
    return matchers;
}

// Puts the values into the %1 ... %9 of a translation in one pass, so that a value that holds
// "%2" itself stays as it is.
QString Fill(const QString &form, const QStringList &values)
{
    QString text;
    for (qsizetype i = 0; i < form.size(); ++i) {
        const QChar c = form.at(i);
        if (c == QLatin1Char('%') && i + 1 < form.size() && form.at(i + 1) >= QLatin1Char('1')
            && form.at(i + 1) <= QLatin1Char('9')) {
            text += values.value(form.at(i + 1).digitValue() - 1);
            ++i;
        } else {
            text += c;
        }
    }
    return text;
}

QString Translate(const char *source)
{
    return QCoreApplication::translate(kContext, source);
}

} // namespace

QString TranslateCoreText(std::string_view utf8, const CoreTextContext &context)
{
    const QString text = FromUtf8(utf8);
    for (const Matcher &matcher : Matchers()) {
        const QRegularExpressionMatch match = matcher.expression.match(text);
        if (!match.hasMatch())
            continue;
        QStringList values(9);
        for (std::size_t group = 0; group < matcher.numbers.size(); ++group)
            values[matcher.numbers[group] - 1] = match.captured(static_cast<int>(group) + 1);
        QString form;
        if (matcher.source == kParseError) {
            const int column = context.errorColumn ? context.errorColumn() : 0;
            values[3] = context.projectFile;
            values[4] = QString::number(column);
            form = ParseErrorForm(!context.projectFile.isEmpty(), column > 0);
        } else {
            form = Translate(matcher.source);
        }
        // Untranslated (the texts as written): the core's text, exactly.
        if (form == QString::fromUtf8(matcher.source))
            return text;
        return Fill(form, values);
    }
    return text;
}

QStringList CoreTextPatterns()
{
    QStringList patterns;
    for (const Matcher &matcher : Matchers())
        patterns.append(QString::fromUtf8(matcher.source));
    return patterns;
}

} // namespace kx::ui
