#include "projectfile/xml_file.h"

#include "platform/text_conversion.h"

#include <charconv>
#include <fstream>

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CXmlFile::CXmlFile() = default;

CXmlFile::~CXmlFile()
{
    Discard();
}

bool CXmlFile::OpenForWriting(const std::string &path)
{
    Discard();
    m_path = path;
    m_failed = false;
    m_tempPath = path + ".XXXXXX";
    const int fd = mkstemp(m_tempPath.data());
    if (fd < 0) {
        m_tempPath.clear();
        return false;
    }
    // Keep the permissions of a file that is replaced; a new file gets the usual ones.
    struct stat existing { };
    if (stat(path.c_str(), &existing) == 0) {
        fchmod(fd, existing.st_mode & 07777);
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(fd, 0666 & ~mask);
    }
    m_file = fdopen(fd, "wb");
    if (!m_file) {
        close(fd);
        unlink(m_tempPath.c_str());
        m_tempPath.clear();
        return false;
    }
    return true;
}

bool CXmlFile::Write(std::string_view bytes)
{
    if (!m_file || m_failed)
        return false;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size())
        m_failed = true;
    return !m_failed;
}

bool CXmlFile::Commit()
{
    if (!m_file)
        return false;
    bool ok = !m_failed && std::fflush(m_file) == 0 && fsync(fileno(m_file)) == 0;
    ok = std::fclose(m_file) == 0 && ok;
    m_file = nullptr;
    if (ok)
        ok = std::rename(m_tempPath.c_str(), m_path.c_str()) == 0;
    if (!ok)
        unlink(m_tempPath.c_str());
    m_tempPath.clear();
    return ok;
}

void CXmlFile::Discard()
{
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (!m_tempPath.empty()) {
        unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
}

bool CXmlFile::WriteWhole(const std::string &path, std::string_view content)
{
    CXmlFile file;
    return file.OpenForWriting(path) && file.Write(content) && file.Commit();
}

bool CXmlFile::OpenForGeneration(const std::string &path)
{
    Discard();
    m_generated.clear();
    m_marked = false;
    struct stat existing { };
    if (stat(path.c_str(), &existing) == 0) {
        // Only a regular file that may be written, and whose first line carries the marker,
        // belongs to the generator. Write permission is read from the mode itself, so that a
        // file marked read-only stays untouched even for a privileged user.
        if (!S_ISREG(existing.st_mode) || (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            return false;
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return false;
        std::string first;
        std::getline(in, first, '\n');
        std::erase(first, '\r');
        if (kx::ToShiftJis(first).find("YES") == std::string::npos)
            return false;
        m_marked = true;
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
    m_generated += kx::ToShiftJis(name); // file names are UTF-8, the text here CP932
    m_generated += "\n";
    if (notice) {
        // The notice, in CP932 like every text the generators write.
        m_generated
            += kx::ToShiftJis("// ※ このファイルはダイアログエディタが自動的に書き換えます。\n");
        m_generated
            += kx::ToShiftJis("//    ファイル先頭の「YES」を消すと更新されなくなります。\n");
    }
    m_generated += "//----------------------------------------------------------------------\n";
    return *this;
}

CXmlFile &CXmlFile::WriteText(std::string_view cp932Text)
{
    m_generated += cp932Text;
    return *this;
}

CXmlFile &CXmlFile::WriteChar(char c)
{
    m_generated += c;
    return *this;
}

CXmlFile &CXmlFile::WriteInt(int value)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    m_generated.append(buffer, result.ptr);
    return *this;
}

bool CXmlFile::Close()
{
    if (!m_file)
        return false;
    Write(kx::ToUtf8(m_generated));
    m_generated.clear();
    return Commit();
}
