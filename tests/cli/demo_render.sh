# The demo project draws without a single message: its fonts are linked (the demo.link_fonts
# test does it first), so a font message here means its texts were drawn without glyphs.
. "$(dirname "$0")/lib.sh"
demo="$2"

run render "$demo" --all-dialogs -o "$sandbox/shots"
expect_status 0 "render --all-dialogs"
[ ! -s "$sandbox/err.txt" ] || { fail "render --all-dialogs said:"; cat "$sandbox/err.txt" >&2; }
for state in Normal Push ActPush; do
    run render "$demo" --dialog Home --state "$state" -o "$sandbox/$state.png"
    [ ! -s "$sandbox/err.txt" ] || { fail "render --state $state said:"; cat "$sandbox/err.txt" >&2; }
done
run info "$demo"
[ ! -s "$sandbox/err.txt" ] || { fail "info said:"; cat "$sandbox/err.txt" >&2; }

finish
