#include "projectfile/xml_file.h"

#include "platform/text_conversion.h"

#include <algorithm>
#include <cerrno>
#include <charconv>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsAscii(std::string_view text)
{
    return std::all_of(
        text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The first line of a file, at most limit bytes of it, without its line feed. False (with the
// system's error number in error) when the file cannot be read.
bool ReadFirstLine(const std::string &path, std::size_t limit, std::string &line, int &error)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = errno;
        return false;
    }
    line.clear();
    char block[512];
    bool ok = true;
    while (line.size() < limit) {
        const ssize_t got = ::read(fd, block, std::min(sizeof block, limit - line.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = errno;
            ok = false;
            break;
        }
        if (got == 0)
            break;
        const std::string_view piece(block, static_cast<std::size_t>(got));
        const std::size_t lineFeed = piece.find('\n');
        line.append(piece.substr(0, lineFeed));
        if (lineFeed != std::string_view::npos)
            break;
    }
    ::close(fd);
    return ok;
}

} // namespace

CXmlFile::CXmlFile() = default;

CXmlFile::~CXmlFile()
{
    Discard();
}

bool CXmlFile::OpenForWriting(const std::string &path)
{
    m_path = path;
    m_error.clear();
    if (!m_file.Open(path)) {
        m_error = m_file.ErrorText();
        return false;
    }
    return true;
}

bool CXmlFile::Write(std::string_view bytes)
{
    if (m_file.Write(bytes))
        return true;
    m_error = m_file.ErrorText();
    return false;
}

bool CXmlFile::Commit()
{
    if (m_file.Commit())
        return true;
    if (m_error.empty())
        m_error = m_file.ErrorText();
    return false;
}

void CXmlFile::Discard()
{
    m_file.Discard();
}

bool CXmlFile::WriteWhole(const std::string &path, std::string_view content, std::string *error)
{
    return kx::SaveFile::WriteWhole(path, content, error);
}

bool CXmlFile::OpenForGeneration(const std::string &path)
{
    Discard();
    m_path = path;
    m_generated.clear();
    m_error.clear();
    m_marked = false;
    m_keptForUser = false;
    m_refused = false;
    struct stat existing { };
    if (::stat(path.c_str(), &existing) == 0) {
        // Only a regular file that may be written, and whose first line carries the marker,
        // belongs to the generator. Write permission is read from the mode itself, so that a
        // file marked read-only stays untouched even for a privileged user.
        if (!S_ISREG(existing.st_mode)) {
            m_error = S_ISDIR(existing.st_mode) ? "a folder has this name" : "not a regular file";
            return false;
        }
        if ((existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
            m_error = "file is read-only";
            m_keptForUser = true;
            return false;
        }
        std::string first;
        int error = 0;
        if (!ReadFirstLine(path, kMaxMarkerLine, first, error)) {
            m_error = kx::SystemErrorText(error);
            return false;
        }
        std::erase(first, '\r');
        if (kx::ToShiftJis(first).find("YES") == std::string::npos) {
            m_error = "first line has no YES";
            m_keptForUser = true;
            return false;
        }
        m_marked = true;
    } else if (errno != ENOENT) {
        m_error = kx::SystemErrorText(errno);
        return false;
    }
    return OpenForWriting(path);
}

CXmlFile &CXmlFile::WriteBanner(bool notice)
{
    const std::string_view name = std::string_view(m_path).substr(m_path.rfind('/') + 1);
    if (notice || m_marked)
        m_generated += "// YES -----------------------------------------------------------------\n";
    else
        m_generated += "//----------------------------------------------------------------------\n";
    m_generated += "// ";
    m_generated += name; // as it is on disk
    m_generated += "\n";
    if (notice) {
        m_generated += "// ※ このファイルはダイアログエディタが自動的に書き換えます。\n";
        m_generated += "//    ファイル先頭の「YES」を消すと更新されなくなります。\n";
    }
    m_generated += "//----------------------------------------------------------------------\n";
    return *this;
}

CXmlFile &CXmlFile::WriteText(std::string_view cp932Text)
{
    // Every text is converted on its own: texts hold whole characters, so this gives the bytes
    // a conversion of the whole file would.
    if (IsAscii(cp932Text))
        m_generated += cp932Text;
    else
        m_generated += kx::ToUtf8(cp932Text);
    return *this;
}

CXmlFile &CXmlFile::WriteUtf8(std::string_view utf8Text)
{
    m_generated += utf8Text;
    return *this;
}

CXmlFile &CXmlFile::WriteChar(char c)
{
    return WriteText(std::string_view(&c, 1));
}

CXmlFile &CXmlFile::WriteInt(int value)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    m_generated.append(buffer, result.ptr);
    return *this;
}

void CXmlFile::Refuse(std::string_view reason)
{
    if (m_refused)
        return;
    m_refused = true;
    m_error = reason;
}

bool CXmlFile::Close()
{
    if (!IsOpen()) {
        m_generated.clear();
        return false;
    }
    if (m_refused) {
        Discard();
        m_generated.clear();
        return false;
    }
    const bool ok = Write(m_generated) && Commit();
    m_generated.clear();
    if (!ok)
        Discard();
    return ok;
}
