# Each option of kxdialog generate chooses exactly its files. PROJECT is the demo project.
. "$(dirname "$0")/lib.sh"
demo="$2"

app="AppDemo.cpp AppDemo.h AppDemoDesign.cpp Demo.cpp Demo.h"
dialogs="DlgHome.cpp DlgHome.h DlgHomeDesign.cpp DlgHomeDesign.h DlgSettings.cpp DlgSettings.h DlgSettingsDesign.cpp DlgSettingsDesign.h"

# expect_files WHAT OPTIONS... -- FILES...: a run with the options into an empty folder writes
# exactly the files, and logs one written line for each.
expect_files() {
    what="$1"
    shift
    out="$sandbox/out"
    rm -rf "$out"
    mkdir "$out"
    options=""
    while [ "$1" != "--" ]; do
        options="$options $1"
        shift
    done
    shift
    # shellcheck disable=SC2086
    run generate "$demo" -o "$out" --all-dialogs $options
    expect_status 0 "$what"
    wanted=$(for f in "$@"; do echo "$f"; done | sort | tr '\n' ' ')
    written=$(ls -A "$out" | sort | tr '\n' ' ')
    [ "$written" = "$wanted" ] || fail "$what: wrote \"$written\", expected \"$wanted\""
    [ "$(grep -c ' was updated\.$' "$sandbox/out.txt")" = "$#" ] || fail "$what: log lines"
}

# shellcheck disable=SC2086
expect_files "defaults" -- resourceid.h $app $dialogs
# shellcheck disable=SC2086
expect_files "--no-dialogs" --no-dialogs -- resourceid.h $app
# shellcheck disable=SC2086
expect_files "--no-app" --no-app -- resourceid.h $dialogs
# shellcheck disable=SC2086
expect_files "--no-resource-id" --no-resource-id -- $app $dialogs
# shellcheck disable=SC2086
expect_files "--project-file" --project-file --no-app --no-dialogs -- resourceid.h demo.rvpro
expect_in "$sandbox/out/demo.rvpro" "003=@Source@AppDemo.cpp,0" "--project-file"
expect_files "everything off" --no-resource-id --no-app --no-dialogs --

finish
