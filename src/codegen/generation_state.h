// State shared by the generators during one generation run.
#pragma once

#include <string>

class CProjectContext;
class CKXDialogData;

namespace kx {

// Process-wide values of a run, reset at its start: the identifier counters of the resource
// header and the GetText-support switch that the design sources read.
struct GenerationState {
    int fontCounter = 1000;
    int imageCounter = 2000;
    int dialogCounter = 3000;
    bool getTextSupport = false;
};

// Generators of single files. folder ends in '/'; fileName receives the name shown in the log
// (set before anything can fail); each answers true when the file was written, false when it
// was cancelled (no project, or the file belongs to the user).
bool WriteResourceIdHeader(const CProjectContext *project, const std::string &folder,
    GenerationState &state, std::string &fileName);
bool WriteDialogDesignHeader(CProjectContext &project, CKXDialogData &dialog,
    const std::string &folder, const GenerationState &state, std::string &fileName);
bool WriteDialogDesignSource(CProjectContext &project, CKXDialogData &dialog,
    const std::string &folder, const GenerationState &state, std::string &fileName);

} // namespace kx
