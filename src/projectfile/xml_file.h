// The editor's file class for everything it writes: the bytes go to a temporary file in the
// target's folder, which replaces the target only once everything was written, so a failed
// save (disk full, a crash half-way) never destroys the file that was there.
#pragma once

#include "platform/save_file.h"

#include <string>
#include <string_view>

class CXmlFile {
public:
    CXmlFile();
    ~CXmlFile(); // discards what was not committed

    CXmlFile(const CXmlFile &) = delete;
    CXmlFile &operator=(const CXmlFile &) = delete;

    // Starts writing the file at path; false when no temporary file can be made beside it.
    bool OpenForWriting(const std::string &path);
    // Appends bytes exactly as given (no line-end translation); false once anything failed.
    bool Write(std::string_view bytes);
    // Flushes, closes and renames the temporary file over the target; false (and the target
    // untouched) when any write failed or the rename did not succeed.
    bool Commit();
    // Drops the temporary file.
    void Discard();

    bool IsOpen() const { return m_file.IsOpen(); }
    // Why the last operation failed or the file was not opened, in words; empty when nothing
    // failed.
    const std::string &ErrorText() const { return m_error; }

    // Writes the whole content to path through a temporary file. error, when given, receives
    // the reason of a failure.
    static bool WriteWhole(
        const std::string &path, std::string_view content, std::string *error = nullptr);

    // ---- Generated source files ----
    // Opens a generated file when the generator may write it: a file that does not exist yet, or
    // one whose first line (read as UTF-8, carriage returns dropped) contains "YES". Any other
    // file, a read-only file, a folder of that name or a missing folder leaves it closed: the
    // file is cancelled and keeps its bytes, and ErrorText() says why. An open file is written
    // on Close.
    bool OpenForGeneration(const std::string &path);
    // After a refused OpenForGeneration: whether the file was left alone because it is the
    // user's (no marker in its first line, or read-only) rather than because it failed.
    bool KeptForUser() const { return m_keptForUser; }
    // Whether the file was opened because its first line carried the marker.
    bool Marked() const { return m_marked; }
    // The comment banner of a generated file; with the notice (regenerated files) or while the
    // file carries the marker it starts with the "YES" line.
    CXmlFile &WriteBanner(bool notice);
    // Text in the editor's code page (CP932), written as UTF-8.
    CXmlFile &WriteText(std::string_view cp932Text);
    // Text that is UTF-8 already (names, file names, the generators' own literals).
    CXmlFile &WriteUtf8(std::string_view utf8Text);
    CXmlFile &WriteChar(char c);
    CXmlFile &WriteInt(int value);
    // Marks the generated file as one that must not be written (a name in it would not be code
    // but could carry some); the first reason is kept, and Close then leaves the file as it was.
    void Refuse(std::string_view reason);
    bool Refused() const { return m_refused; }
    // Writes what was generated and replaces the file with it; false when the file was refused
    // or writing failed (the old file is then untouched, and ErrorText() says why).
    bool Close();

    // Generated files whose first line is longer than this are read this far for the marker.
    static constexpr std::size_t kMaxMarkerLine = 4096;

private:
    kx::SaveFile m_file;
    std::string m_path;
    std::string m_error;
    bool m_marked = false;
    bool m_keptForUser = false;
    bool m_refused = false;
    std::string m_generated; // UTF-8 text of a generated file, written on Close
};
