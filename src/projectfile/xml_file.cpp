#include "projectfile/xml_file.h"

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
