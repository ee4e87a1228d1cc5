# kxdialog generate with project files whose names try to leave the output folder or to put code
# into the generated sources. Nothing may be written outside the output folder (nor outside the
# private folder of --check, which goes away), no generated file may hold the injected line, and
# every refused file is named with its reason on standard error and makes the run fail.
. "$(dirname "$0")/lib.sh"

project="$sandbox/a/b/c/p.xml"
out="$sandbox/a/b/c/out"
mkdir -p "$out" "$sandbox/t/u/v"

# write_project NAME PREFIX_APP PREFIX_DLG DIALOG (the prefixes come first, so that the
# application class name is formed with them)
write_project() {
    cat >"$project" <<XML
<?xml version="1.0"?>
<root>
	<Property>
		<PrefixApp>$2</PrefixApp>
		<PrefixDlg>$3</PrefixDlg>
		<Name>$1</Name>
	</Property>
	<Dialogs>
		<Dialog>
			<Name>$4</Name>
			<Size>100,80</Size>
			<Objects>
				<Object><Type>Button</Type><Name>OB1</Name><Width>40</Width></Object>
			</Objects>
		</Dialog>
	</Dialogs>
</root>
XML
}

# Files anywhere in the sandbox except the project, the output folder and the messages.
strays() {
    find "$sandbox" -mindepth 1 ! -path "$out" ! -path "$out/*" ! -path "$project" \
        ! -name '*.txt' ! -path "$sandbox/a" ! -path "$sandbox/a/b" \
        ! -path "$sandbox/a/b/c" ! -path "$sandbox/t" ! -path "$sandbox/t/u" \
        ! -path "$sandbox/t/u/v"
}

check_case() {
    what="$1"
    shift
    rm -rf "${out:?}"/* "$sandbox"/t/u/v/*
    TMPDIR="$sandbox/t/u/v" run generate "$project" -o "$out" --all-dialogs --main \
        --project-file "$@"
    expect_status 1 "$what"
    cp "$sandbox/out.txt" "$sandbox/log.txt"
    cp "$sandbox/err.txt" "$sandbox/refused.txt"
    expect_in "$sandbox/refused.txt" "kxdialog generate: refused" "$what"
    [ -z "$(strays)" ] || fail "$what: files outside the output folder: $(strays)"
    if grep -rqF "#error injected" "$out"; then fail "$what: the injected line was written"; fi
    [ -z "$(find "$out" -name '*
*')" ] || fail "$what: a file name holds a line break"

    # --check writes into a private folder under TMPDIR and removes it.
    TMPDIR="$sandbox/t/u/v" run generate "$project" -o "$out" --all-dialogs --main \
        --project-file --check "$@"
    expect_status 1 "$what --check"
    [ -z "$(strays)" ] || fail "$what --check: files outside the output folder: $(strays)"
    [ -z "$(ls -A "$sandbox/t/u/v")" ] || fail "$what --check: its folder was left behind"
}

write_project "../../x" "App" "Dlg" "Main"
check_case "project name ../../x"
expect_in "$sandbox/log.txt" "× ../../x.cpp was cancelled: the file name \"../../x.cpp\" holds a folder separator" "project name"
# Files that do not carry the name are still written.
[ -f "$out/DlgMainDesign.cpp" ] || fail "project name: DlgMainDesign.cpp was not written"

write_project "Demo" "App" "../../../x_" "Main"
check_case "dialog prefix ../../../x_"
expect_in "$sandbox/refused.txt" "refused \"../../../x_Main.cpp\"" "dialog prefix"

write_project "Demo" "../../../x_" "Dlg" "Main"
check_case "application prefix ../../../x_"

write_project "Demo" "App" "Dlg" "Main
#error injected
int x"
check_case "dialog name with a line break"
expect_in "$sandbox/refused.txt" "dialog class name \"DlgMain\\n#error injected\\nint x\" is not an identifier: a name consists of ASCII letters, digits and underscores (_); it holds a line feed" "dialog name"
expect_in "$sandbox/log.txt" "× DlgMain\\n#error injected\\nint x.cpp was cancelled" "dialog name"
[ -f "$out/AppDemoDesign.cpp" ] || fail "dialog name: the application files were not written"

# An object name, an image reference and a text colour that would end the statement.
cat >"$project" <<'XML'
<root><Property><Name>Demo</Name></Property><Dialogs><Dialog><Name>Main</Name><Objects>
<Object><Type>Button</Type><Name>OB1</Name><Image>I);system("rm -rf ~");//</Image></Object>
<Object><Type>Text</Type><Name>OT1</Name><TextCol>RED);
#error injected
</TextCol></Object>
</Objects></Dialog></Dialogs></root>
XML
check_case "object references"
expect_in "$sandbox/refused.txt" "refused \"DlgMainDesign.cpp\": image name \"I);system(\"rm -rf ~\");//\" is not an identifier: a name consists of ASCII letters, digits and underscores (_); it holds the character ')'" "image reference"

cat >"$project" <<'XML'
<root><Property><Name>Demo</Name></Property><Dialogs><Dialog><Name>Main</Name><Objects>
<Object><Type>Canvas</Type><Name>OC 1</Name><Click>ON</Click></Object>
</Objects></Dialog></Dialogs></root>
XML
check_case "object name with a blank"
expect_in "$sandbox/refused.txt" "refused \"DlgMainDesign.cpp\": object name \"OC 1\" is not an identifier: a name consists of ASCII letters, digits and underscores (_); it holds a blank" "object name"

# A name that cancels a dialog's design files cancels its class files too, which include them:
# neither is written, the log names each with the reason, and the other dialog is generated.
cat >"$project" <<'XML'
<root><Property><Name>Demo</Name></Property><Dialogs>
<Dialog><Name>Bad</Name><Objects><Object><Type>Text</Type><Name>1st</Name></Object></Objects></Dialog>
<Dialog><Name>Good</Name><Objects><Object><Type>Text</Type><Name>OT1</Name></Object></Objects></Dialog>
</Dialogs></root>
XML
rm -rf "${out:?}"/*
run generate "$project" -o "$out" --all-dialogs
expect_status 1 "design files cancelled"
for file in DlgBad.cpp DlgBad.h DlgBadDesign.cpp DlgBadDesign.h; do
    [ ! -e "$out/$file" ] || fail "design files cancelled: $file was written"
    expect_in "$sandbox/out.txt" "× $file was cancelled: " "design files cancelled"
done
expect_in "$sandbox/out.txt" "× DlgBad.cpp was cancelled: DlgBadDesign.cpp is cancelled: object name \"1st\" is not an identifier: a name cannot begin with a digit" "class source"
expect_in "$sandbox/out.txt" "× DlgBad.h was cancelled: DlgBadDesign.cpp is cancelled: object name \"1st\" is not an identifier: a name cannot begin with a digit" "class header"
for file in DlgGood.cpp DlgGood.h DlgGoodDesign.cpp DlgGoodDesign.h resourceid.h AppDemo.cpp; do
    [ -f "$out/$file" ] || fail "design files cancelled: $file of the other dialog was not written"
done
# The check says the same words of the same name.
run check "$project"
expect_in "$sandbox/out.txt" "name of Text \"1st\" is not a C++ identifier: a name cannot begin with a digit" "check"

finish
