# Failures of kxdialog generate are failures: a file that cannot be written fails the run (status
# 1, the file and the system's reason on standard error, the reason in its log line), a file the
# user owns does not, and --dialog with a name the project lacks is a wrong argument (status 2,
# the names that exist listed). PROJECT is the demo project.
. "$(dirname "$0")/lib.sh"
demo="$2"

out="$sandbox/out"
mkdir -p "$out"

run generate "$demo" -o "$out" --dialog Nope
expect_status 2 "--dialog Nope"
expect_in "$sandbox/err.txt" "the project has no dialog \"Nope\"; its dialogs: Home, Settings" "--dialog Nope"
[ -z "$(ls -A "$out")" ] || fail "--dialog Nope wrote files"

# A folder where a generated file would go fails that file; a file of the user's is left alone.
mkdir "$out/resourceid.h"
printf '// mine\n' >"$out/Demo.cpp"
run generate "$demo" -o "$out"
expect_status 1 "folder in the way"
expect_in "$sandbox/out.txt" "× resourceid.h was cancelled: a folder has this name" "folder in the way"
expect_in "$sandbox/out.txt" "× Demo.cpp was cancelled: first line has no YES" "user's file"
expect_in "$sandbox/err.txt" "kxdialog generate: cannot write \"resourceid.h\": a folder has this name" "folder in the way"
expect_not_in "$sandbox/err.txt" "Demo.cpp" "user's file"
rmdir "$out/resourceid.h"
run generate "$demo" -o "$out"
expect_status 0 "user's file only"
[ "$(cat "$out/Demo.cpp")" = "// mine" ] || fail "the user's file was changed"

# A name too long for the file system once the temporary suffix is added.
long=$(printf 'N%.0s' $(seq 1 240))
sed "s|<Name>Demo</Name>|<Name>$long</Name>|" "$demo" >"$sandbox/long.xml"
run generate "$sandbox/long.xml" -o "$out" --no-resource-id
expect_status 1 "long name"
expect_in "$sandbox/err.txt" "is too long for the file system" "long name"

# An unwritable folder, as an ordinary user: root writes anywhere, so it drops to "nobody".
as_user() { "$@"; }
if [ "$(id -u)" = 0 ]; then
    as_user() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }
fi
chmod 755 "$sandbox"
cp "$demo" "$sandbox/demo.xml"
chmod 644 "$sandbox/demo.xml"
if as_user "$k" --version >/dev/null 2>&1; then
    locked="$sandbox/locked"
    mkdir "$locked"
    chmod 555 "$locked"
    as_user "$k" generate "$sandbox/demo.xml" -o "$locked" >"$sandbox/out.txt" 2>"$sandbox/err.txt"
    status=$?
    expect_status 1 "unwritable folder"
    expect_in "$sandbox/err.txt" "kxdialog generate: cannot write \"resourceid.h\": Permission denied" "unwritable folder"
    expect_in "$sandbox/out.txt" "× resourceid.h was cancelled: Permission denied" "unwritable folder"
else
    echo "skipped the unwritable folder: kxdialog cannot be run as an ordinary user here"
fi

finish
