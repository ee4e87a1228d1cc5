# Files that are no project: an empty file, another root element, text, a device, a file over
# 1 GiB. Every command refuses them with status 1 and a message, and generate writes nothing.
# A project with names taken twice loads with one message that names what was dropped.
. "$(dirname "$0")/lib.sh"

mkdir -p "$sandbox/out"
: >"$sandbox/empty.xml"
printf '<?xml version="1.0"?>\n<html><Property><Name>X</Name></Property></html>\n' \
    >"$sandbox/other.xml"
printf 'not xml at all\n' >"$sandbox/text.xml"
truncate -s 1073741825 "$sandbox/huge.xml"

for file in empty.xml other.xml text.xml huge.xml; do
    for command in info generate resave render; do
        case $command in
        generate) run generate "$sandbox/$file" -o "$sandbox/out" --all-dialogs --main ;;
        resave) run resave "$sandbox/$file" "$sandbox/resaved.xml" ;;
        render) run render "$sandbox/$file" -o "$sandbox/x.png" ;;
        *) run info "$sandbox/$file" ;;
        esac
        expect_status 1 "$command $file"
        [ "$(wc -l <"$sandbox/err.txt")" = 1 ] || fail "$command $file: not one message"
    done
done
expect_in "$sandbox/err.txt" "it is larger than 1 GiB" "huge.xml"
run info "$sandbox/empty.xml"
expect_in "$sandbox/err.txt" "error: \"$sandbox/empty.xml\" is empty: it is not a project file." "empty"
run info "$sandbox/other.xml"
expect_in "$sandbox/err.txt" "is not a project file: its first element is <html>, not <root>." "other"
[ -z "$(ls -A "$sandbox/out")" ] || fail "generate wrote files from no project"
[ ! -e "$sandbox/resaved.xml" ] && [ ! -e "$sandbox/x.png" ] || fail "a file was written"

# A device is never read (it would not end).
run info /dev/zero
expect_status 1 "info /dev/zero"
expect_in "$sandbox/err.txt" "Cannot read \"/dev/zero\": it is not a regular file." "/dev/zero"

# Taken names: the later dialog, font and image are dropped, and one message says so.
cat >"$sandbox/twice.xml" <<'XML'
<root>
<Font><Name>F</Name><Size>10</Size></Font><Font><Name>F</Name><Size>20</Size></Font>
<Image><Name>I</Name></Image><Image><Name>I</Name></Image>
<Dialog><Name>D</Name><Title>one</Title></Dialog><Dialog><Name>D</Name><Title>two</Title></Dialog>
</root>
XML
run info "$sandbox/twice.xml"
expect_status 0 "taken names"
expect_in "$sandbox/out.txt" "Dialogs: 1" "taken names"
[ "$(grep -c '^warning: ' "$sandbox/err.txt")" = 1 ] || fail "taken names: not one message"
expect_in "$sandbox/err.txt" "- font \"F\" was dropped: the name is taken" "taken names"
expect_in "$sandbox/err.txt" "- image \"I\" was dropped: the name is taken" "taken names"
expect_in "$sandbox/err.txt" "- dialog \"D\" was dropped: the name is taken" "taken names"

finish
