// Where the elements of a project file are: a light read of its own over the file, apart from
// the project reader, that notes the line and the name of every font and image definition,
// every dialog and every group and object, the ones the reader drops included.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kx {

struct ElementLine {
    int line = 0; // line of the element's start tag, 1 for the first line
    // The element's "Name" as the reader takes it (the last one, without the file's layout at its
    // ends); empty when it has none.
    std::string name;
    // The element ended before the file did, so the reader kept what it built from it (unless its
    // name was taken).
    bool complete = false;
};

struct DialogLines : ElementLine {
    // The "Objects" and "Object" elements that make the dialog's groups and objects, in the order
    // of the file, which is the pre-order of the dialog's tree: the root group first.
    std::vector<ElementLine> nodes;
};

struct ProjectLines {
    // Definition and dialog elements in the order of the file, duplicates included. Font and
    // image values of objects and image definitions are not definitions and are not listed.
    std::vector<ElementLine> fonts;
    std::vector<ElementLine> images;
    std::vector<DialogLines> dialogs;
    int propertyLine = 0; // the first "Property" element; 0 when there is none

    // Where Expat found the file not well-formed; errorLine 0 when it is.
    int errorLine = 0;
    std::string error;

    // The first complete definition or dialog of that name, which is the one the reader keeps;
    // none when the file has no such element.
    const ElementLine *Font(std::string_view name) const;
    const ElementLine *Image(std::string_view name) const;
    const DialogLines *Dialog(std::string_view name) const;
};

// Reads the UTF-8 text of a project file. The sections are followed as the project reader
// follows them, so that what is listed here is what the reader builds, in the same order.
ProjectLines ScanProjectLines(std::string_view content);

} // namespace kx
