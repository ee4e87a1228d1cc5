// One generated file of a run from its opening to its closing: the name is checked before
// anything is touched, and what became of the file is answered as the run logs it.
#pragma once

#include "codegen/code_stream.h"
#include "codegen/skeleton_generator.h"
#include "projectfile/xml_file.h"

#include <memory>
#include <string>

namespace kx {

class GeneratedFile {
public:
    // Opens folder + fileName for generation when the name is a plain file name of the folder
    // and the marker rule lets the generator write it.
    GeneratedFile(const std::string &folder, const std::string &fileName);
    // A file that nothing could be generated from; Finish answers result.
    explicit GeneratedFile(GenerationResult result);

    bool IsOpen() const { return m_file.IsOpen(); }
    const std::string &FileName() const { return m_result.fileName; }
    // Why the file will not be written because of a name (its own, or one written into it);
    // empty when no name refused it.
    std::string RefusalReason() const;
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

// Opens a generated file in folder and, when it may be written, its banner (with the notice for
// a file that every run rewrites) and the text that writeText gives, all kept in memory until
// Finish: a caller can tell from RefusalReason whether the file will be written before it
// writes the files that depend on it.
template <typename WriteTextFunction>
std::unique_ptr<GeneratedFile> PrepareGeneratedFile(const std::string &folder,
    const std::string &fileName, bool notice, WriteTextFunction &&writeText)
{
    auto generated = std::make_unique<GeneratedFile>(folder, fileName);
    if (generated->IsOpen()) {
        generated->File().WriteBanner(notice);
        CodeStream out(generated->File());
        writeText(out);
    }
    return generated;
}

// Opens a generated file in folder, writes its banner (with the notice for a file that every run
// rewrites) and the text that writeText gives through a CodeStream, and closes it, answering
// what became of it: cancelled when it belongs to the user, cannot be opened or written, or holds
// a name that could carry code; the file is then as it was.
template <typename WriteTextFunction>
GenerationResult WriteGeneratedFile(const std::string &folder, const std::string &fileName,
    bool notice, WriteTextFunction &&writeText)
{
    GeneratedFile generated(folder, fileName);
    if (generated.IsOpen()) {
        generated.File().WriteBanner(notice);
        CodeStream out(generated.File());
        writeText(out);
    }
    return generated.Finish();
}

} // namespace kx
