# kxdialog speaks the language of the locale as the editor does: Japanese when LC_ALL,
# LC_MESSAGES or LANG (the first one set) begins with "ja", English otherwise; in its log, its
# errors and its help. What it writes does not change with the language. PROJECT is the demo.
. "$(dirname "$0")/lib.sh"
demo="$2"

# in_locale LC_ALL LC_MESSAGES LANG ARGS...: runs kxdialog under exactly these variables (an
# empty value leaves the variable unset), like run.
in_locale() {
    set_all="$1" set_messages="$2" set_lang="$3"
    shift 3
    (
        unset LC_ALL LC_MESSAGES LANG LANGUAGE
        [ -n "$set_all" ] && export LC_ALL="$set_all"
        [ -n "$set_messages" ] && export LC_MESSAGES="$set_messages"
        [ -n "$set_lang" ] && export LANG="$set_lang"
        "$k" "$@" >"$sandbox/out.txt" 2>"$sandbox/err.txt"
    )
    status=$?
}

# Which variable decides: the first one set, in the order LC_ALL, LC_MESSAGES, LANG.
while read -r all messages lang wanted; do
    [ "$all" = - ] && all=""
    [ "$messages" = - ] && messages=""
    [ "$lang" = - ] && lang=""
    in_locale "$all" "$messages" "$lang" --help
    case $wanted in
    ja) expect_in "$sandbox/out.txt" "使い方: kxdialog" "LC_ALL=$all LC_MESSAGES=$messages LANG=$lang" ;;
    en) expect_in "$sandbox/out.txt" "Usage: kxdialog" "LC_ALL=$all LC_MESSAGES=$messages LANG=$lang" ;;
    esac
done <<'CASES'
- - C en
- - ja_JP.UTF-8 ja
- - ja ja
- - en_US.UTF-8 en
- ja_JP.UTF-8 C ja
C - ja_JP.UTF-8 en
ja_JP.eucJP - C ja
- - - en
CASES

# The same files in both languages; the log differs.
for lang in C ja_JP.UTF-8; do
    mkdir -p "$sandbox/$lang"
    in_locale "" "" "$lang" generate "$demo" -o "$sandbox/$lang" --all-dialogs --main --project-file
    expect_status 0 "generate under LANG=$lang"
    cp "$sandbox/out.txt" "$sandbox/log-$lang.txt"
done
diff -r "$sandbox/C" "$sandbox/ja_JP.UTF-8" >/dev/null || fail "the generated files differ by language"
expect_in "$sandbox/log-C.txt" "○ DlgHomeDesign.h was updated." "English log"
expect_not_in "$sandbox/log-C.txt" "しました" "English log"
expect_in "$sandbox/log-ja_JP.UTF-8.txt" "○ DlgHomeDesign.h を更新しました。" "Japanese log"
[ "$(wc -l <"$sandbox/log-C.txt")" = "$(wc -l <"$sandbox/log-ja_JP.UTF-8.txt")" ] ||
    fail "the logs have different lines"

# A second run meets its own files: the user's rvpro file is kept in both languages' words.
in_locale "" "" C generate "$demo" -o "$sandbox/C" --project-file --no-app --no-resource-id --no-dialogs
expect_in "$sandbox/out.txt" "× demo.rvpro was cancelled" "English cancelled line"
in_locale "" "" ja_JP.UTF-8 generate "$demo" -o "$sandbox/C" --project-file --no-app --no-resource-id --no-dialogs
expect_in "$sandbox/out.txt" "× demo.rvpro キャンセルしました。" "Japanese cancelled line"

# Errors.
in_locale "" "" ja_JP.UTF-8 frobnicate
expect_status 2 "unknown command"
expect_in "$sandbox/err.txt" "というコマンドはありません" "Japanese error"
in_locale "" "" C generate "$demo" -o "$sandbox/none"
expect_in "$sandbox/err.txt" "kxdialog generate: the output folder" "English error"
in_locale "" "" ja_JP.UTF-8 generate "$demo" -o "$sandbox/none"
expect_in "$sandbox/err.txt" "出力フォルダ" "Japanese error"
in_locale "" "" ja_JP.UTF-8 info "$demo"
expect_in "$sandbox/out.txt" "ダイアログ: 2" "Japanese info"
# The completion reads the dialog names from info in either language.
grep -q '^  Home  [0-9]*x[0-9]*  ' "$sandbox/out.txt" || fail "info: the dialog lines changed their form"

# Every help names the same options in both languages, so the completion and the manual page,
# which follow the English help, fit the Japanese one too.
options_of() {
    grep -oE -- '(^|[][ ,(|])--?[A-Za-z][A-Za-z-]*' | sed 's/^[^-]*//' | sort -u | tr '\n' ' '
}
for command in "" resave info render generate check; do
    # shellcheck disable=SC2086
    in_locale "" "" C $command --help
    english=$(options_of <"$sandbox/out.txt")
    # shellcheck disable=SC2086
    in_locale "" "" ja_JP.UTF-8 $command --help
    expect_in "$sandbox/out.txt" "使い方: kxdialog" "Japanese help of \"$command\""
    japanese=$(options_of <"$sandbox/out.txt")
    [ "$english" = "$japanese" ] ||
        fail "help of \"$command\": English names \"$english\", Japanese \"$japanese\""
done

finish
