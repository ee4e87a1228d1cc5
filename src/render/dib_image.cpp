#include "render/dib_image.h"

#include "render/picture_drawing.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Reads a whole regular file. Opening never asks for write access, so read-only files load.
bool ReadWholeFile(const std::string &path, std::vector<std::uint8_t> &data)
{
    // Non-blocking, so that a named pipe cannot stall the open; it is refused below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer {fd};

    struct stat info { };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0
        || static_cast<std::uint64_t>(info.st_size) > CDibImage::kMaxFileBytes)
        return false;
    data.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::read(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break; // the file shrank meanwhile: decode what is there
        done += static_cast<std::size_t>(n);
    }
    data.resize(done);
    return true;
}

} // namespace

bool CDibImage::Load(const std::string &path)
{
    std::vector<std::uint8_t> data;
    try {
        if (!ReadWholeFile(path, data)) {
            Clear();
            return false;
        }
    } catch (const std::bad_alloc &) {
        Clear();
        return false;
    }
    if (!LoadFromMemory(data.data(), data.size()))
        return false;
    m_path = path;
    return true;
}

bool CDibImage::LoadFromMemory(const std::uint8_t *data, std::size_t size)
{
    kx::Bitmap24 bitmap;
    bool decoded = false;
    try {
        if (data && kx::IsPng(data, size))
            decoded = kx::DecodePng(data, size, bitmap);
        else if (data && kx::IsGif(data, size))
            decoded = kx::DecodeGif(data, size, bitmap);
    } catch (const std::bad_alloc &) {
        decoded = false;
    }
    Clear();
    if (decoded)
        m_bitmap = std::move(bitmap);
    return decoded;
}

void CDibImage::Clear()
{
    m_path.clear();
    m_bitmap = {};
}

void CDibImage::Draw(kx::Surface &surface, int x, int y, int width, int height) const
{
    kx::DrawStretched(surface, *this, x, y, width, height);
}

void CDibImage::DrawFit(kx::Surface &surface, int x, int y, int width, int height) const
{
    surface.DrawFit(*this, x, y, width, height);
}

int CDibImage::DrawThreeSlice(kx::Surface &surface, int x, int y, int width) const
{
    return kx::DrawThreeSlice(surface, *this, x, y, width);
}
