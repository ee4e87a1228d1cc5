# The Debian package as "make package" makes it, from what the build made (cpack installs and
# packs, it does not build): unpacked into a scratch root, it holds the programs and their desktop
# files, its programs run from there on the demo, its desktop entry and metainfo validate, and its
# MIME type tells project files from other XML files, which the desktop entry then opens.
#   sh deb_installs_and_runs.sh BUILD_DIR SOURCE_DIR KX_SANITIZE
set -u
build="$1"
source_dir="$2"
if [ "$3" = ON ]; then
    echo "the sanitizer build is not packaged"
    exit 77
fi
id=io.github.kxdialogeditor.KXDialogEditor
project_type=application/x-kxdialogeditor-project
demo="$source_dir/examples/demo/demo.xml"
work=$(mktemp -d "${TMPDIR:-/tmp}/kxpackage.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    printf "FAIL: %s\n" "$*" >&2
    failures=$((failures + 1))
}

# A folder of its own, so that a "make package" or another run at the same time is not disturbed.
if ! cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.txt" 2>&1; then
    cat "$work/cpack.txt" >&2
    fail "cpack failed"
    exit 1
fi
deb=$(ls "$work"/out/*.deb)
root="$work/root"
dpkg-deb -x "$deb" "$root" || { fail "dpkg-deb -x $deb"; exit 1; }

# dpkg-shlibdeps found the libraries; the plugins Qt loads are named by hand.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libfreetype6 libexpat1 libpng16-16 libgif7 qt6-qpa-plugins libqt6svg6; do
    printf '%s\n' "$depends" | grep -q "\\b$package\\b" || fail "Depends lacks $package: $depends"
done

share="$root/usr/share"
for file in bin/KXDialogEditor bin/kxdialog share/applications/$id.desktop \
    share/metainfo/$id.metainfo.xml share/mime/packages/$id.xml \
    share/icons/hicolor/scalable/apps/$id.svg share/man/man1/kxdialog.1.gz \
    share/man/man1/KXDialogEditor.1.gz share/bash-completion/completions/kxdialog \
    share/kxdialogeditor/doc/user-guide.html; do
    [ -s "$root/usr/$file" ] || fail "the package has no /usr/$file"
done
for size in 16 24 32 48 64 128 256; do
    icon="$share/icons/hicolor/${size}x$size/apps/$id.png"
    file "$icon" 2>/dev/null | grep -q "PNG image data, $size x $size" || fail "no $size px icon"
done
# Every picture the guide shows is there.
for picture in $(grep -o 'src="[^"]*"' "$share/kxdialogeditor/doc/user-guide.html" | sed 's/src="\(.*\)"/\1/'); do
    [ -s "$share/kxdialogeditor/doc/$picture" ] || fail "the guide's picture $picture is missing"
done
ldd "$root/usr/bin/KXDialogEditor" | grep 'not found' && fail "the editor lacks libraries"

# The installed kxdialog on the demo.
k="$root/usr/bin/kxdialog"
"$k" --help >"$work/help.txt" 2>&1 && grep -q "^Usage: kxdialog" "$work/help.txt" ||
    fail "kxdialog --help: $(cat "$work/help.txt")"
"$k" render "$demo" --all-dialogs -o "$work/shots" >/dev/null 2>"$work/err.txt" ||
    fail "kxdialog render failed"
[ -s "$work/err.txt" ] && fail "kxdialog render said: $(cat "$work/err.txt")"
file "$work/shots/Home.png" | grep -q "PNG image data, 480 x 272" || fail "render drew no Home.png"
out=$("$k" check "$demo" 2>&1) || fail "kxdialog check found problems: $out"
[ -z "$out" ] || fail "kxdialog check said: $out"

desktop-file-validate "$share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" >"$work/as.txt" 2>&1 ||
    fail "appstreamcli validate: $(cat "$work/as.txt")"
grep -q "^MimeType=.*$project_type;" "$share/applications/$id.desktop" ||
    fail "the desktop entry does not open $project_type"

# The system's MIME database with the package's type merged in, and the index of the desktop
# entries' types, as the triggers of shared-mime-info and desktop-file-utils make them on install.
mime="$work/data/mime"
mkdir -p "$mime/packages" "$work/data/applications"
cp /usr/share/mime/packages/freedesktop.org.xml "$share/mime/packages/$id.xml" "$mime/packages/"
# It reports a bad definition on standard error and still exits 0.
update-mime-database "$mime" 2>"$work/mime.txt"
grep -i error "$work/mime.txt" && fail "update-mime-database refused the type"
cp "$share/applications/$id.desktop" "$work/data/applications/"
update-desktop-database "$work/data/applications" || fail "update-desktop-database"
printf '<?xml version="1.0"?>\n<root>\n\t<Other/>\n</root>\n' >"$work/other.xml"
cp "$demo" "$work/no-extension"
content_type() {
    XDG_DATA_HOME="$work/none" XDG_DATA_DIRS="$work/data" gio info -a standard::content-type "$1" |
        sed -n 's/.*standard::content-type: //p'
}
[ "$(content_type "$demo")" = $project_type ] || fail "demo.xml is $(content_type "$demo")"
[ "$(content_type "$work/no-extension")" = $project_type ] ||
    fail "the demo without .xml is $(content_type "$work/no-extension")"
[ "$(content_type "$work/other.xml")" = application/xml ] ||
    fail "another XML file is $(content_type "$work/other.xml")"
PATH="$root/usr/bin:$PATH" XDG_DATA_HOME="$work/none" XDG_DATA_DIRS="$work/data" \
    gio mime $project_type >"$work/gio.txt" 2>&1
grep -q "^Default application for .*: $id.desktop" "$work/gio.txt" ||
    fail "project files do not open in the editor: $(cat "$work/gio.txt")"

[ "$failures" = 0 ] && echo "ok" && exit 0
echo "$failures check(s) failed" >&2
exit 1
