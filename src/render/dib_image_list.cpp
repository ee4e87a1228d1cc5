#include "render/dib_image_list.h"

const CDibImage *CDibImageList::Find(const std::string &path)
{
    for (const auto &image : m_images) {
        if (image->Path() == path)
            return image.get();
    }
    auto image = std::make_unique<CDibImage>();
    if (!image->Load(path))
        return nullptr;
    m_images.push_back(std::move(image));
    return m_images.back().get();
}

void CDibImageList::Refresh(const std::string &path)
{
    for (auto &image : m_images) {
        if (image->Path() != path)
            continue;
        CDibImage fresh;
        if (fresh.Load(path))
            *image = std::move(fresh);
        return;
    }
}
