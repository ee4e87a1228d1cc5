// The program-wide cache of decoded pictures, keyed by full path.
#pragma once

#include "model/picture.h"
#include "render/dib_image.h"

#include <memory>
#include <string>
#include <vector>

// Owns every picture decoded so far. A path is decoded once, and again only when told that its
// file changed; a file that failed is tried again on its next lookup (nothing is kept for it).
class CDibImageList final : public kx::IPictureCache {
public:
    // The image whose path equals path byte for byte; else the file is loaded and, when it
    // decodes, added. None when it does not.
    const CDibImage *Find(const std::string &path) override;
    void Refresh(const std::string &path) override;

    int Count() const { return static_cast<int>(m_images.size()); }
    const CDibImage *At(int index) const
    {
        return index >= 0 && index < Count() ? m_images[index].get() : nullptr;
    }

private:
    std::vector<std::unique_ptr<CDibImage>> m_images;
};
