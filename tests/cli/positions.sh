# Positions and sizes anywhere in the int range: generate and render finish without overflow (the
# sanitizer build stops at the first one), group positions are written as the canvas sees them,
# kept within the int range.
. "$(dirname "$0")/lib.sh"

project="$sandbox/far.xml"
cat >"$project" <<'XML'
<root><Property><Name>Far</Name></Property><Dialogs>
<Dialog><Name>Far</Name><Position>2147483647,-2147483648</Position><Size>64,48</Size><Objects>
<Object><Type>Canvas</Type><Name>OC1</Name><Position>2147483647,2147483647</Position><Size>2147483647,2147483647</Size></Object>
<Object><Type>Text</Type><Name>OT1</Name><Position>-2147483648,-2147483648</Position><Size>2147483647,2147483647</Size><Text>A</Text><MarginX>-2147483648</MarginX><MarginY>2147483647</MarginY></Object>
<Objects><Name>OG1</Name><Position>2147483000,2147483000</Position>
<Objects><Name>OG2</Name><Position>2147483000,-2147483648</Position>
<Object><Type>Canvas</Type><Name>OC2</Name><Position>2147483647,-2147483648</Position><Size>10,10</Size></Object>
<Object><Type>Picture</Type><Name>OP1</Name><Position>-5,-5</Position><Size>-2147483648,2147483647</Size><ImageFile>p.png</ImageFile></Object>
</Objects>
</Objects>
<Object><Type>Button</Type><Name>OB1</Name><Position>-2147483648,0</Position><Width>2147483647</Width><Image>IB</Image><Text>x</Text></Object>
</Objects></Dialog></Dialogs></root>
XML

mkdir -p "$sandbox/out"
run generate "$project" -o "$sandbox/out" --all-dialogs --main
expect_status 0 "generate"
expect_in "$sandbox/out/DlgFarDesign.cpp" "pGroup2 = pGroup1->AddGroup(this,OG1,2147483000,2147483000);" "generate"
expect_in "$sandbox/out/DlgFarDesign.cpp" "pGroup3 = pGroup2->AddGroup(this,OG2,2147483647,-648);" "generate"
expect_in "$sandbox/out/main.cpp" "dlg->OpenDialog(2147483647,-2147483648);" "generate"

run render "$project" -o "$sandbox/far.png" --scale 2
expect_status 0 "render"
run info "$project"
expect_status 0 "info"
expect_in "$sandbox/out.txt" "Far  64x48  7 objects" "info"

finish
