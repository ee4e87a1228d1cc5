// One generated file of a run from its opening to its closing: the name is checked before
// anything is touched, and what became of the file is answered as the run logs it.
#pragma once

#include "codegen/skeleton_generator.h"
#include "projectfile/xml_file.h"

#include <string>

namespace kx {

class GeneratedFile {
public:
    // Opens folder + fileName for generation when the name is a plain file name of the folder
    // and the marker rule lets the generator write it.
    GeneratedFile(const std::string &folder, const std::string &fileName);

    bool IsOpen() const { return m_file.IsOpen(); }
    CXmlFile &File() { return m_file; }

    // Closes the file (writing it when it is open and nothing refused it) and answers what
    // became of it.
    GenerationResult Finish();

private:
    CXmlFile m_file;
    GenerationResult m_result;
    bool m_checked = false; // the name passed and the open was tried
};

// The result of a file that nothing could be generated from.
GenerationResult NotGenerated(std::string fileName, std::string reason);

} // namespace kx
