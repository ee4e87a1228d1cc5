// kxdialog check: finds what in a project would break the generated application or show
// differently on the device, for build servers and pre-commit hooks.
#include "cli/cli_texts.h"
#include "cli/commands.h"

#include "check/project_check.h"
#include "model/project_context.h"

#include <cstdio>
#include <string>
#include <vector>

namespace kx::cli {

namespace {

constexpr Text kCheckUsage = {R"(Usage: kxdialog check PROJECT.xml [--format text|json]
Checks a project as a build server or a pre-commit hook would: missing, unsafe or undecodable
picture and font files; characters of texts and titles that their font has no glyph for; names
that are not C++ identifiers, clash across kinds or are given twice; references to font or image
definitions that do not exist; pictures missing for states that buttons, edit boxes and frames
are shown in; objects outside their dialog or without a size.

  --format text    one line per problem, FILE:LINE: error|warning: message (the default)
  --format json    one JSON object: the file, the counts and every problem with its line,
                   severity, kind, message and the dialog, object, font or image it concerns
  -h, --help       show this help

Exit status: 0 when the project has no problem, 1 when it has problems (a file that cannot be
read is one), 2 for wrong arguments.
)",
    R"(使い方: kxdialog check PROJECT.xml [--format text|json]
ビルド サーバーやコミット前のフックのようにプロジェクトを検査します: 見つからない、安全でない、
またはデコードできない画像とフォントのファイル、テキストやタイトルの文字でフォントにグリフの
ないもの、C++ の識別子でない、種類をまたいで重なる、または 2 度指定された名前、存在しない
フォントやイメージ定義への参照、ボタン、エディット ボックス、フレームが表示される状態の画像の
不足、ダイアログの外にあるオブジェクトや大きさのないオブジェクト。

  --format text    問題ごとに 1 行、FILE:LINE: error|warning: message (既定)
  --format json    1 つの JSON オブジェクト: ファイル、件数、各問題の行、重大度、種類、
                   メッセージと、関係するダイアログ、オブジェクト、フォント、イメージ
  -h, --help       このヘルプを表示します

終了ステータス: プロジェクトに問題がなければ 0、問題があれば 1 (読み込めないファイルも
問題の 1 つです)、引数の誤りは 2。
)"};

enum class Format { kText, kJson };

int UsageError(const Text &problem, std::string_view detail = "")
{
    const std::string text(detail);
    std::fprintf(stderr, "kxdialog check: %s%s\n%s", Tr(problem), text.c_str(),
        Tr({"Try \"kxdialog check --help\".\n", "\"kxdialog check --help\" をご覧ください。\n"}));
    return kExitUsage;
}

// A JSON string: quotes, backslashes and control characters escaped; UTF-8 passes as it is.
std::string JsonString(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + '"';
}

void PrintText(const std::string &file, const std::vector<Problem> &problems)
{
    for (const Problem &problem : problems) {
        if (problem.line > 0)
            std::printf("%s:%d: %s: %s\n", file.c_str(), problem.line,
                SeverityWord(problem.severity), problem.message.c_str());
        else
            std::printf("%s: %s: %s\n", file.c_str(), SeverityWord(problem.severity),
                problem.message.c_str());
    }
}

void PrintJson(const std::string &file, const std::vector<Problem> &problems)
{
    int errors = 0;
    for (const Problem &problem : problems)
        errors += problem.severity == Severity::kError ? 1 : 0;
    std::string out = "{\n  \"file\": " + JsonString(file)
        + ",\n  \"errors\": " + std::to_string(errors) + ",\n  \"warnings\": "
        + std::to_string(static_cast<int>(problems.size()) - errors) + ",\n  \"problems\": [";
    for (std::size_t i = 0; i < problems.size(); ++i) {
        const Problem &p = problems[i];
        out += i ? ",\n    {" : "\n    {";
        out += "\"line\": " + std::to_string(p.line);
        out += ", \"severity\": " + JsonString(SeverityWord(p.severity));
        out += ", \"kind\": " + JsonString(ProblemKindWord(p.kind));
        out += ", \"message\": " + JsonString(p.message);
        const std::pair<const char *, const std::string *> names[] = {
            {"dialog", &p.dialogName},
            {"object", &p.objectName},
            {"font", &p.fontName},
            {"image", &p.imageName},
        };
        for (const auto &[key, value] : names) {
            if (!value->empty())
                out += std::string(", \"") + key + "\": " + JsonString(*value);
        }
        out += '}';
    }
    out += problems.empty() ? "]\n}\n" : "\n  ]\n}\n";
    std::fputs(out.c_str(), stdout);
}

} // namespace

int Check(std::span<char *const> args)
{
    if (WantsHelp(args)) {
        std::fputs(Tr(kCheckUsage), stdout);
        return kExitOk;
    }
    std::string project;
    Format format = Format::kText;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--format" || arg.starts_with("--format=")) {
            std::string_view word;
            if (arg == "--format") {
                if (i + 1 >= args.size())
                    return UsageError(
                        {"--format needs text or json", "--format には text か json が必要です"});
                word = args[++i];
            } else {
                word = arg.substr(std::string_view("--format=").size());
            }
            if (word == "text")
                format = Format::kText;
            else if (word == "json")
                format = Format::kJson;
            else
                return UsageError({"unknown format ", "次の形式はありません: "}, word);
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError({"unknown option ", "次のオプションはありません: "}, arg);
        } else if (project.empty()) {
            project = arg;
        } else {
            return UsageError(
                {"more than one project given: ", "プロジェクトが 2 つ以上指定されています: "},
                arg);
        }
    }
    if (project.empty())
        return UsageError({"no project given", "プロジェクトが指定されていません"});

    CProjectContext context;
    const std::vector<Problem> problems = CheckProjectFile(project, context);
    if (format == Format::kJson)
        PrintJson(project, problems);
    else
        PrintText(project, problems);
    return problems.empty() ? kExitOk : kExitFailed;
}

} // namespace kx::cli
