// Reads project files, and the object text that the clipboard carries, into a project's model.
#pragma once

#include <string>
#include <string_view>

class CKXDialogData;
class CProjectContext;

namespace kx {

class IMessageSink;

// Feeds a project file to Expat line by line and builds dialogs, fonts, images, groups and objects
// from its elements, merging them into the project. Every read starts afresh; a definition or a
// dialog whose name is taken is dropped with all its content, and one that the read leaves
// unfinished (a parse error, groups nested too deep) is dropped too.
class ProjectReader {
public:
    ProjectReader(CProjectContext &project, IMessageSink &messages);

    // Reads a project file into the model and makes it the project file path. False, after one
    // message that says why (with the system's reason where there is one), when the file cannot
    // be read, is a folder or a device, is larger than 1 GiB, is empty, or is no project file
    // (its first element is not <root>), and when the parser cannot be created: the model is
    // then as it was. True otherwise, also after a parse error, which ParseFailed() then tells.
    // A read that dropped or changed anything (a definition or dialog whose name is taken,
    // characters of titles and texts without a CP932 form, picture and font file names that
    // leave the project's folders) tells so in one more message.
    bool ReadFile(const std::string &path);
    // What ReadFile does once the file is read: content is the file's UTF-8 text, path the file
    // it came from.
    bool ReadContent(std::string_view content, std::string_view path);
    // Reads CP932 object text held in memory (the clipboard form) into dialog, whose root group is
    // already open, so the text's outer group becomes a new group inside it. The project file
    // path stays as it is.
    bool ReadText(std::string_view cp932Text, CKXDialogData &dialog);

    // The last read stopped at a parse error or at groups nested too deep.
    bool ParseFailed() const { return m_parseFailed; }
    // The message of the last read's failure or parse error; empty when there was none.
    const std::string &LastError() const { return m_lastError; }
    // The column of the last read's parse error in its line of the file (counted in characters
    // from 1, tabs included); 0 when there was none. Set before the message is shown, so that
    // whoever shows it can tell the place in full.
    int ErrorColumn() const { return m_errorColumn; }

    // Groups that may be open at once, the dialog's root group included. Only protects the
    // program from hostile files: the editor itself nests a handful.
    static constexpr int kMaxOpenGroups = 1000;
    // Project files larger than this are refused rather than read without bound.
    static constexpr long long kMaxFileSize = 1LL << 30;

private:
    CProjectContext &m_project;
    IMessageSink &m_messages;
    bool m_parseFailed = false;
    std::string m_lastError;
    int m_errorColumn = 0;
};

} // namespace kx
