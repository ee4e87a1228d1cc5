# A full disk: generate, render and resave fail with status 1 and the system's reason, and every
# file that was there keeps its bytes; no temporary file is left. Needs root and a mount
# namespace of its own (unshare -m) to mount a small tmpfs; skipped (status 77) otherwise.
. "$(dirname "$0")/lib.sh"
demo="$2"

if [ "$(id -u)" != 0 ] || ! command -v unshare >/dev/null 2>&1 \
    || ! unshare -m true 2>/dev/null; then
    echo "skipped: the disk-full test needs root and unshare -m to mount a tmpfs"
    exit 77
fi

disk="$sandbox/disk"
mkdir "$disk"
cp "$demo" "$sandbox/demo.xml"
unshare -m sh -s "$k" "$disk" "$sandbox" <<'INNER'
k="$1" disk="$2" sandbox="$3"
mount -t tmpfs -o size=512k tmpfs "$disk" || exit 3
cp "$sandbox/demo.xml" "$disk/p.xml"
"$k" render "$disk/p.xml" --dialog Home -o "$disk/home.png" 2>/dev/null || exit 4
cp "$disk/home.png" "$sandbox/home.png"
# Fill what is left.
dd if=/dev/zero of="$disk/fill" bs=4k 2>/dev/null
"$k" generate "$disk/p.xml" >"$sandbox/generate.out" 2>"$sandbox/generate.err"
echo $? >"$sandbox/generate.status"
"$k" render "$disk/p.xml" --dialog Settings -o "$disk/home.png" 2>"$sandbox/render.err"
echo $? >"$sandbox/render.status"
"$k" resave "$disk/p.xml" "$disk/p.xml" 2>"$sandbox/resave.err"
echo $? >"$sandbox/resave.status"
cmp -s "$disk/p.xml" "$sandbox/demo.xml"
echo $? >"$sandbox/project.same"
cmp -s "$disk/home.png" "$sandbox/home.png"
echo $? >"$sandbox/picture.same"
ls -A "$disk" >"$sandbox/disk.list"
umount "$disk"
INNER
status=$?
[ "$status" = 0 ] || fail "the tmpfs could not be prepared (status $status)"

[ "$(cat "$sandbox/generate.status")" = 1 ] || fail "generate on a full disk: status $(cat "$sandbox/generate.status")"
expect_in "$sandbox/generate.err" "kxdialog generate: cannot write \"resourceid.h\": No space left on device" "generate"
expect_in "$sandbox/generate.out" "× resourceid.h was cancelled: No space left on device" "generate"
[ "$(cat "$sandbox/render.status")" = 1 ] || fail "render on a full disk: status $(cat "$sandbox/render.status")"
expect_in "$sandbox/render.err" "No space left on device" "render"
[ "$(cat "$sandbox/resave.status")" = 1 ] || fail "resave on a full disk: status $(cat "$sandbox/resave.status")"
expect_in "$sandbox/resave.err" "No space left on device" "resave"
[ "$(cat "$sandbox/project.same")" = 0 ] || fail "the project file changed"
[ "$(cat "$sandbox/picture.same")" = 0 ] || fail "the old picture changed"
expect_not_in "$sandbox/disk.list" ".kxtmp." "temporary files"

finish
