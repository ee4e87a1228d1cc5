// The editor's file class for everything it writes: the bytes go to a temporary file in the
// target's folder, which replaces the target only once everything was written, so a failed
// save (disk full, a crash half-way) never destroys the file that was there.
#pragma once

#include <cstdio>
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

    bool IsOpen() const { return m_file != nullptr; }

    // Writes the whole content to path through a temporary file.
    static bool WriteWhole(const std::string &path, std::string_view content);

    // ---- Generated source files ----
    // Opens a generated file when the generator may write it: a file that does not exist yet, or
    // one whose first line (read as UTF-8, carriage returns dropped) contains "YES". Any other
    // file, a read-only file, a folder of that name or a missing folder leaves it closed: the
    // file is cancelled and keeps its bytes. An open file is written on Close.
    bool OpenForGeneration(const std::string &path);
    // Whether the file was opened because its first line carried the marker.
    bool Marked() const { return m_marked; }
    // The comment banner of a generated file; with the notice (regenerated files) or while the
    // file carries the marker it starts with the "YES" line.
    CXmlFile &WriteBanner(bool notice);
    // Text (CP932) and characters are written as UTF-8; integers as decimals.
    CXmlFile &WriteText(std::string_view cp932Text);
    CXmlFile &WriteChar(char c);
    CXmlFile &WriteInt(int value);
    // Converts what was written to UTF-8 and replaces the file with it; false when that failed
    // (the old file is then untouched).
    bool Close();

private:
    std::FILE *m_file = nullptr;
    std::string m_path;
    std::string m_tempPath;
    bool m_failed = false;
    bool m_marked = false;
    std::string m_generated; // CP932 text of a generated file, converted on Close
};
