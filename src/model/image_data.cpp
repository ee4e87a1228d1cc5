#include "model/image_data.h"

namespace {
const std::string kEmpty;
}

CImageData::CImageData()
    : KXClass(kKindImage)
{ }

CImageData::~CImageData() = default;

const std::string &CImageData::SlotFile(int slot) const
{
    return ValidSlot(slot) ? m_files[slot] : kEmpty;
}

void CImageData::SetSlotFileName(int slot, std::string_view file)
{
    if (ValidSlot(slot))
        m_files[slot] = file;
}

const std::string &CImageData::SlotColour(int slot) const
{
    return ValidSlot(slot) ? m_colours[slot] : kEmpty;
}

void CImageData::SetSlotColour(int slot, std::string_view name)
{
    if (ValidSlot(slot))
        m_colours[slot] = name;
}

const std::string &CImageData::SlotSubColour(int slot) const
{
    return ValidSlot(slot) ? m_subColours[slot] : kEmpty;
}

void CImageData::SetSlotSubColour(int slot, std::string_view name)
{
    if (ValidSlot(slot))
        m_subColours[slot] = name;
}

std::optional<kx::KXSize> CImageData::PictureSize(int slot) const
{
    return ValidSlot(slot) ? m_pictureSizes[slot] : std::nullopt;
}

void CImageData::SetPictureSize(int slot, std::optional<kx::KXSize> size)
{
    if (ValidSlot(slot))
        m_pictureSizes[slot] = size;
}
