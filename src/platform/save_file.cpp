#include "platform/save_file.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kx {

namespace {

// Between the target's name and the writer's process id: ".kxtmp.<pid>.XXXXXX".
constexpr std::string_view kMarker = ".kxtmp.";
// The part mkstemp fills in.
constexpr std::size_t kRandomLength = 6;
// A temporary file this old belongs to no save in progress, whoever wrote it.
constexpr std::time_t kAbandonedAfterSeconds = 24 * 60 * 60;
constexpr std::size_t kDefaultNameMax = 255;

std::string FolderOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool IsRandomCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Whether the process that wrote a temporary file has certainly ended. A process of another
// user answers EPERM: it runs.
bool WriterIsGone(long pid)
{
    if (pid <= 0 || static_cast<long>(static_cast<pid_t>(pid)) != pid)
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

} // namespace

SaveFile::~SaveFile()
{
    Discard();
}

void SaveFile::Fail(int error)
{
    if (!m_failed)
        m_error = SystemErrorText(error);
    m_failed = true;
}

bool SaveFile::Open(const std::string &path)
{
    Discard();
    m_path = path;
    m_failed = false;
    m_error.clear();
    m_tempPath = path + std::string(kMarker) + std::to_string(::getpid()) + "."
        + std::string(kRandomLength, 'X');
    const int fd = ::mkostemp(m_tempPath.data(), O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        m_error = error == ENOENT ? "folder does not exist" : SystemErrorText(error);
        m_failed = true;
        m_tempPath.clear();
        return false;
    }
    // Keep the permissions of a file that is replaced; a new file gets the usual ones.
    struct stat existing { };
    if (::stat(path.c_str(), &existing) == 0) {
        ::fchmod(fd, existing.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    m_fd = fd;
    return true;
}

bool SaveFile::Write(std::string_view bytes)
{
    if (m_fd < 0 || m_failed)
        return false;
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            Fail(errno);
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool SaveFile::Commit()
{
    if (m_fd < 0)
        return false;
    if (!m_failed && ::fsync(m_fd) != 0)
        Fail(errno);
    if (::close(m_fd) != 0)
        Fail(errno);
    m_fd = -1;
    if (!m_failed && std::rename(m_tempPath.c_str(), m_path.c_str()) != 0)
        Fail(errno);
    if (m_failed)
        ::unlink(m_tempPath.c_str());
    m_tempPath.clear();
    if (m_failed)
        return false;
    RemoveAbandonedTemporaries(FolderOf(m_path));
    return true;
}

void SaveFile::Discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_tempPath.empty()) {
        ::unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
}

bool SaveFile::WriteWhole(const std::string &path, std::string_view content, std::string *error)
{
    SaveFile file;
    const bool ok = file.Open(path) && file.Write(content) && file.Commit();
    if (!ok && error)
        *error = file.ErrorText();
    return ok;
}

bool IsTemporaryFileName(std::string_view name, long *pid)
{
    // <target>.kxtmp.<digits>.<6 letters or digits>
    if (name.size() < kRandomLength + 1)
        return false;
    const std::string_view random = name.substr(name.size() - kRandomLength);
    for (const char c : random) {
        if (!IsRandomCharacter(c))
            return false;
    }
    std::string_view rest = name.substr(0, name.size() - kRandomLength);
    if (!rest.ends_with('.'))
        return false;
    rest.remove_suffix(1);
    const std::size_t digits = rest.size() - rest.find_last_not_of("0123456789") - 1;
    if (digits == 0 || digits > 10 || rest.size() == digits)
        return false;
    const std::string_view number = rest.substr(rest.size() - digits);
    rest.remove_suffix(digits);
    if (!rest.ends_with(kMarker) || rest.size() == kMarker.size())
        return false;
    long value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc {} || end != number.data() + number.size())
        return false;
    if (pid)
        *pid = value;
    return true;
}

void RemoveAbandonedTemporaries(const std::string &folder)
{
    DIR *dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const std::time_t now = std::time(nullptr);
    while (const dirent *entry = ::readdir(dir)) {
        long pid = 0;
        if (!IsTemporaryFileName(entry->d_name, &pid))
            continue;
        struct stat info { };
        if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0
            || !S_ISREG(info.st_mode))
            continue;
        if (WriterIsGone(pid) || now - info.st_mtime > kAbandonedAfterSeconds)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

std::size_t MaxFileNameLength(const std::string &folder)
{
    errno = 0;
    const long limit = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : kDefaultNameMax;
}

std::string SystemErrorText(int error)
{
    char buffer[256];
    // The GNU strerror_r answers a pointer that may or may not be the buffer.
    const char *text = ::strerror_r(error, buffer, sizeof buffer);
    return text ? text : "unknown error";
}

} // namespace kx
