# The manual page and the bash completion of kxdialog say what the commands accept today: every
# command and option that "kxdialog [COMMAND] --help" lists is in the manual page and is offered
# by the completion, and neither offers an option that no help lists.
#   sh docs_follow_help.sh KXDIALOG SOURCE_DIR
set -u
k="$1"
source_dir="$2"
man_page="$source_dir/packaging/man/kxdialog.1"
completion="$source_dir/packaging/completion/kxdialog"
failures=0

fail() {
    printf "FAIL: %s\n" "$*" >&2
    failures=$((failures + 1))
}

# The options a help text names: words that begin with one or two hyphens after a space, a
# bracket, a comma or a bar.
options_of() {
    grep -oE -- '(^|[][ ,(|])--?[A-Za-z][A-Za-z-]*' | sed 's/^[^-]*//' | sort -u
}

# The words the completion offers after "kxdialog WORDS...", one a line.
completions() {
    bash -c '. "$1"; shift; COMP_WORDS=(kxdialog "$@"); COMP_CWORD=$(($# )); _kxdialog
        printf "%s\n" "${COMPREPLY[@]}"' sh "$completion" "$@" | sort -u
}

man_text=$(sed 's/\\-/-/g' "$man_page")
commands=$("$k" --help | sed -n '/^Commands:/,/^$/p' | sed -n 's/^  \([a-z][a-z]*\) .*/\1/p')
[ -n "$commands" ] || fail "kxdialog --help lists no command"

# The program's own options are listed under "Options:", the commands' under "Commands:".
all_options=$("$k" --help | sed -n '/^Options:/,/^$/p' | options_of)
wanted=$(printf '%s\n' $commands $all_options | sort -u)
[ "$(completions '')" = "$wanted" ] ||
    fail "completion of the command offers \"$(completions '' | tr '\n' ' ')\", the help lists \"$(echo $wanted)\""
for option in $all_options; do
    printf '%s\n' "$man_text" | grep -qE -- "(^|[^-[:alnum:]])$option([^-[:alnum:]]|\$)" ||
        fail "the manual page does not mention $option of kxdialog --help"
done

for command in $commands; do
    printf '%s\n' "$man_text" | grep -q "^\.SS \"$command " ||
        fail "the manual page has no section for the command $command"
    options=$("$k" "$command" --help | options_of)
    # Every command answers -h and --help, whether or not its help lists them.
    options=$(printf '%s\n' $options -h --help | sort -u)
    all_options=$(printf '%s\n' $all_options $options | sort -u)
    offered=$(completions "$command" -)
    [ "$offered" = "$options" ] ||
        fail "completion of \"$command -\" offers \"$(echo $offered)\", its help lists \"$(echo $options)\""
    for option in $options; do
        printf '%s\n' "$man_text" | grep -qE -- "(^|[^-[:alnum:]])$option([^-[:alnum:]]|\$)" ||
            fail "the manual page does not mention $option of kxdialog $command --help"
    done
done

# Nothing in the manual page that no help lists (an option removed from the program); the
# examples also show other programs' options.
for option in $(printf '%s\n' "$man_text" | sed '/^\.SH EXAMPLES/,/^\.SH /d' | options_of); do
    printf '%s\n' $all_options | grep -qx -- "$option" ||
        fail "the manual page names $option, which no help of kxdialog lists"
done

[ "$failures" = 0 ] && echo "ok" && exit 0
echo "$failures check(s) failed" >&2
exit 1
