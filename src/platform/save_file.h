// Writing a file so that a failed or interrupted save never destroys what was there: the bytes go
// to a temporary file beside the target, which replaces the target only once everything was
// written (Tiled's SaveFile). A temporary file is named after its target, a fixed marker and the
// process id of its writer ("demo.xml.kxtmp.4711.a8Zq0x"), so that it is never mistaken for a
// project or a generated file, and so that a later save can tell when its writer is gone.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kx {

class SaveFile {
public:
    SaveFile() = default;
    ~SaveFile(); // discards what was not committed

    SaveFile(const SaveFile &) = delete;
    SaveFile &operator=(const SaveFile &) = delete;

    // Starts writing the file at path; false when no temporary file can be made beside it.
    bool Open(const std::string &path);
    // Appends bytes exactly as given; false once anything failed.
    bool Write(std::string_view bytes);
    // Flushes and renames the temporary file over the target; false (the target untouched) when
    // any write failed or the rename did not succeed. A successful commit also removes the
    // temporary files that interrupted saves left in the folder (see RemoveAbandonedTemporaries).
    bool Commit();
    // Drops the temporary file.
    void Discard();

    bool IsOpen() const { return m_fd >= 0; }
    // Why the last Open, Write or Commit failed, in words: the system's reason where there is
    // one ("No space left on device"), "folder does not exist" for a missing folder.
    const std::string &ErrorText() const { return m_error; }

    // Writes the whole content to path through a temporary file. error, when given, receives
    // the reason of a failure.
    static bool WriteWhole(
        const std::string &path, std::string_view content, std::string *error = nullptr);

private:
    void Fail(int error);

    int m_fd = -1;
    std::string m_path;
    std::string m_tempPath;
    bool m_failed = false;
    std::string m_error;
};

// The most characters a temporary file adds to the name of its target. A target name is only
// usable when it fits the file system together with this suffix.
inline constexpr std::size_t kMaxTemporarySuffix = 24;

// Whether name is the name of a temporary file of a save; pid receives the writer's process id.
bool IsTemporaryFileName(std::string_view name, long *pid = nullptr);

// Removes the temporary files in folder that saves left behind when they were interrupted, but
// only those whose writer is certainly gone: its process no longer runs, or the file was last
// written more than a day ago. A save in progress in another process is never disturbed.
void RemoveAbandonedTemporaries(const std::string &folder);

// The longest file name the file system of folder allows (255 when it does not say).
std::size_t MaxFileNameLength(const std::string &folder);

// The system's text for an error number.
std::string SystemErrorText(int error);

} // namespace kx
