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

private:
    std::FILE *m_file = nullptr;
    std::string m_path;
    std::string m_tempPath;
    bool m_failed = false;
};
