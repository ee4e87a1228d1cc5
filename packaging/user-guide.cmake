# Turns the Markdown user guide into one HTML page: cmark writes the body, the headings get the
# anchors that the guide's own contents links use (GitHub's form: lower case, spaces as hyphens,
# punctuation dropped), and a page with a title and a little style wraps it.
#   cmake -DCMARK=cmark -DINPUT=user-guide.md -DOUTPUT=user-guide.html -P user-guide.cmake
execute_process(COMMAND "${CMARK}" --to html "${INPUT}"
    OUTPUT_VARIABLE body RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmark could not convert ${INPUT}")
endif()

set(title "KXDialogEditor")
string(REGEX MATCHALL "<h[1-6]>[^<]*</h[1-6]>" headings "${body}")
foreach(heading IN LISTS headings)
    string(REGEX REPLACE "^<h([1-6])>([^<]*)</h[1-6]>$" "\\1" level "${heading}")
    string(REGEX REPLACE "^<h[1-6]>([^<]*)</h[1-6]>$" "\\1" text "${heading}")
    if(level EQUAL 1 AND title STREQUAL "KXDialogEditor")
        set(title "${text}")
    endif()
    string(TOLOWER "${text}" slug)
    string(REGEX REPLACE "&[a-z]+;|&#[0-9]+;" "" slug "${slug}")
    string(REGEX REPLACE "[^a-z0-9 _-]" "" slug "${slug}")
    string(REPLACE " " "-" slug "${slug}")
    string(REPLACE "${heading}" "<h${level} id=\"${slug}\">${text}</h${level}>" body "${body}")
endforeach()

file(WRITE "${OUTPUT}" "<!DOCTYPE html>
<html lang=\"en\">
<head>
<meta charset=\"utf-8\">
<title>${title}</title>
<style>
body { max-width: 60em; margin: 1em auto; padding: 0 1em; font-family: sans-serif; line-height: 1.4; }
img { max-width: 100%; }
pre { background: #f4f4f4; padding: 0.5em; overflow-x: auto; }
code { font-family: monospace; }
</style>
</head>
<body>
${body}</body>
</html>
")
