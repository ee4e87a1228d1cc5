#include "model/image_data.h"

#include "model/name_id_list.h"
#include "model/project_context.h"
#include "model/value_parsing.h"

#include <array>

namespace {

const std::string kEmpty;

constexpr std::array<kx::TagIndex, 35> kElements {{
    {"Type", kImgType},
    {"Name", kImgName},
    {"Id", kImgId},
    {"Normal", kImgSlotFile + 0},
    {"Top", kImgSlotFile + 0},
    {"Disable", kImgSlotFile + 1},
    {"Middle", kImgSlotFile + 1},
    {"Active", kImgSlotFile + 2},
    {"Bottom", kImgSlotFile + 2},
    {"Focus", kImgSlotFile + 3},
    {"Push", kImgSlotFile + 4},
    {"ActPush", kImgSlotFile + 5},
    {"NormalCol", kImgSlotColour + 0},
    {"DisableCol", kImgSlotColour + 1},
    {"ActiveCol", kImgSlotColour + 2},
    {"FocusCol", kImgSlotColour + 3},
    {"PushCol", kImgSlotColour + 4},
    {"ActPushCol", kImgSlotColour + 5},
    {"NormalColSub", kImgSlotSubColour + 0},
    {"DisableColSub", kImgSlotSubColour + 1},
    {"ActiveColSub", kImgSlotSubColour + 2},
    {"FocusColSub", kImgSlotSubColour + 3},
    {"PushColSub", kImgSlotSubColour + 4},
    {"ActPushColSub", kImgSlotSubColour + 5},
    // A frame's colours are saved under its first part's word; they belong to slot 0.
    {"TopCol", kImgSlotColour + 0},
    {"TopColSub", kImgSlotSubColour + 0},
    {"FontId", kImgFontId},
    {"Font", kImgFont},
    {"MarginY", kImgMarginY},
    {"AlignY", kImgAlignY},
    {"MarginX", kImgMarginX},
    {"Margin", kImgMarginX},
    {"AlignX", kImgAlignX},
    {"Align", kImgAlignX},
    {"Stretch", kImgStretch},
}};

} // namespace

CImageData::CImageData()
    : KXClass(kKindImage)
{ }

CImageData::~CImageData() = default;

const std::string &CImageData::SlotFile(int slot) const
{
    return ValidSlot(slot) ? m_files[slot] : kEmpty;
}

int CImageData::ElementIndex(std::string_view tag)
{
    return kx::FindTag(kElements, tag);
}

void CImageData::ApplyAttribute(int index, std::string_view text, CProjectContext &project)
{
    if (index >= kImgSlotFile && index < kImgSlotFile + kx::kMaxImageSlots) {
        SetSlotFile(index - kImgSlotFile, text, &project);
        return;
    }
    if (index >= kImgSlotColour && index < kImgSlotColour + kx::kMaxImageSlots) {
        SetSlotColour(index - kImgSlotColour, text);
        return;
    }
    if (index >= kImgSlotSubColour && index < kImgSlotSubColour + kx::kMaxImageSlots) {
        SetSlotSubColour(index - kImgSlotSubColour, text);
        return;
    }
    switch (index) {
    case kImgType:
        m_type = kx::ObjectTypes().Match(text, m_type);
        break;
    case kImgName:
        m_name = text;
        break;
    case kImgId:
        // The name as it stands when the "Id" element is read: empty when "Name" comes later.
        project.NameIds().Add(kNameIdImage, m_name, kx::ParseDecimal(text));
        break;
    case kImgFontId:
        m_fontName = project.NameIds().NameOfId(kx::ParseDecimal(text));
        break;
    case kImgFont:
        m_fontName = text;
        break;
    case kImgMarginY:
        m_marginY = kx::ParseDecimal(text);
        break;
    case kImgAlignY:
        m_alignY = kx::AlignYWords().Match(text, m_alignY);
        break;
    case kImgMarginX:
        m_marginX = kx::ParseDecimal(text);
        break;
    case kImgAlignX:
        m_alignX = kx::AlignXWords().Match(text, m_alignX);
        break;
    case kImgStretch:
        m_stretch = kx::StretchWords().Match(text, m_stretch);
        break;
    default:
        break;
    }
}

void CImageData::SetSlotFile(int slot, std::string_view file, CProjectContext *project)
{
    if (!ValidSlot(slot))
        return;
    m_files[slot] = file;
    kx::IPictureCache *cache = project ? project->PictureCache() : nullptr;
    const std::string path = cache ? project->ImagePath(file) : std::string();
    m_pictures[slot] = path.empty() ? nullptr : cache->Find(path);
}

std::uint32_t CImageData::DrawingColour(int slot) const
{
    return kx::DrawingValueOfName(SlotColour(slot));
}

std::uint32_t CImageData::DrawingSubColour(int slot) const
{
    return kx::DrawingValueOfName(SlotSubColour(slot));
}

void CImageData::SetPicture(int slot, const kx::IPicture *picture)
{
    if (ValidSlot(slot))
        m_pictures[slot] = picture;
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

kx::KXSize CImageData::NaturalSize(int objectType) const
{
    constexpr kx::KXSize kMissingPicture {10, 10};
    constexpr int kButton = 0, kEditbox = 1, kFrame = 2; // the object type codes
    const auto height = [&](int slot) {
        const kx::IPicture *picture = Picture(slot);
        return picture ? picture->Height() : 0;
    };
    const kx::IPicture *first = Picture(0);
    const kx::KXSize firstSize
        = first ? kx::KXSize {first->Width(), first->Height()} : kMissingPicture;
    if (objectType == kButton || objectType == kEditbox)
        return firstSize;
    if (objectType == kFrame)
        return {firstSize.width, firstSize.height + height(1) + height(2)};
    return kMissingPicture;
}
