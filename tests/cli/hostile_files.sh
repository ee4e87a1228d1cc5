# Picture and font file names of a project that leave its resources/ and fonts/ folders: render
# neither draws nor opens them, and says once which names it refused. The rendering is the same
# as with names of files that do not exist.
. "$(dirname "$0")/lib.sh"

mkdir -p "$sandbox/p/q/resources" "$sandbox/p/q/fonts"
project="$sandbox/p/q/proj.xml"

# A picture that a renderer following "../../outside.png" would find: a white 10 x 10 square.
cat >"$sandbox/white.xml" <<'XML'
<root><Dialogs><Dialog><Name>W</Name><Size>10,10</Size><Objects>
<Object><Type>Canvas</Type><Name>OC1</Name><Size>10,10</Size></Object>
</Objects></Dialog></Dialogs></root>
XML
run render "$sandbox/white.xml" -o "$sandbox/p/outside.png"
expect_status 0 "the outside picture"

# write_project PICTURE FONTFILE
write_project() {
    cat >"$project" <<XML
<root>
<Fonts><Font><Name>F</Name><File>$2</File><Size>12</Size></Font></Fonts>
<Dialogs><Dialog><Name>D</Name><Size>40,30</Size><Objects>
<Object><Type>Picture</Type><Name>OP1</Name><Size>10,10</Size><ImageFile>$1</ImageFile></Object>
<Object><Type>Text</Type><Name>OT1</Name><Position>0,12</Position><Size>40,18</Size><Font>F</Font><Text>Ag</Text></Object>
</Objects></Dialog></Dialogs></root>
XML
}

write_project "../../outside.png" "/etc/passwd"
run render "$project" -o "$sandbox/hostile.png"
expect_status 0 "render"
cp "$sandbox/err.txt" "$sandbox/hostile.txt"
expect_in "$sandbox/hostile.txt" "these file names leave them and were not opened: \"/etc/passwd\" \"../../outside.png\"" "render"
[ "$(grep -c "file names leave them" "$sandbox/hostile.txt")" = 1 ] || fail "render: told more than once"
expect_not_in "$sandbox/hostile.txt" "フォント[" "render: the font was tried"

write_project "missing.png" "missing.ttf"
run render "$project" -o "$sandbox/missing.png"
expect_status 0 "render of missing files"
cmp -s "$sandbox/hostile.png" "$sandbox/missing.png" \
    || fail "render: the refused picture or font changed the drawing"

# The same names through the load of any command.
write_project "../../outside.png" "/etc/passwd"
run info "$project"
expect_status 0 "info"
expect_in "$sandbox/err.txt" "\"/etc/passwd\" \"../../outside.png\"" "info"

finish
