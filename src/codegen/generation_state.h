// State shared by the generators during one generation run.
#pragma once

#include "codegen/skeleton_generator.h"

#include <memory>
#include <string>

class CProjectContext;
class CKXDialogData;

namespace kx {

class GeneratedFile;

// Process-wide values of a run, reset at its start: the identifier counters of the resource
// header and the GetText-support switch that the design sources read.
struct GenerationState {
    int fontCounter = 1000;
    int imageCounter = 2000;
    int dialogCounter = 3000;
    bool getTextSupport = false;
};

// Generators of single files. folder ends in '/'; each answers what became of the file, under
// the name shown in the log.
GenerationResult WriteResourceIdHeader(
    const CProjectContext *project, const std::string &folder, GenerationState &state);
// The design files of a dialog generated into memory, written by the answer's Finish, so that
// the run learns whether a name refuses them before it writes the class files that include
// them.
std::unique_ptr<GeneratedFile> PrepareDialogDesignHeader(CProjectContext &project,
    CKXDialogData &dialog, const std::string &folder, const GenerationState &state);
std::unique_ptr<GeneratedFile> PrepareDialogDesignSource(CProjectContext &project,
    CKXDialogData &dialog, const std::string &folder, const GenerationState &state);
GenerationResult WriteDialogDesignHeader(CProjectContext &project, CKXDialogData &dialog,
    const std::string &folder, const GenerationState &state);
GenerationResult WriteDialogDesignSource(CProjectContext &project, CKXDialogData &dialog,
    const std::string &folder, const GenerationState &state);

} // namespace kx
