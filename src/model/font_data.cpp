#include "model/font_data.h"

#include "model/name_id_list.h"
#include "model/value_parsing.h"
#include "model/vocabulary.h"

CFontData::CFontData()
    : KXClass(kKindFont)
{ }

CFontData::CFontData(const CFontData &other)
    : KXClass(kKindFont)
    , m_faceId(other.m_faceId)
    , m_name(other.m_name)
    , m_file(other.m_file)
    , m_size(other.m_size)
    , m_effect(other.m_effect)
    , m_bold(other.m_bold)
    , m_boldEffect(other.m_boldEffect)
    , m_transform(other.m_transform)
    , m_vertical(other.m_vertical)
    , m_stroke(other.m_stroke)
    , m_emboldenStrength(other.m_emboldenStrength)
    , m_mainColour(other.m_mainColour)
    , m_subColour(other.m_subColour)
{
    KXClass::CopyFrom(other);
}

CFontData::~CFontData() = default;

int CFontData::ElementIndex(std::string_view tag)
{
    static constexpr kx::TagIndex kElements[] = {
        {"Name", kFontName},
        {"Id", kFontId},
        {"File", kFontFile},
        {"Size", kFontSize},
        {"Effect", kFontEffect},
        {"Bold", kFontBold},
        {"BoldEffect", kFontBoldEffect},
    };
    return kx::FindTag(kElements, tag);
}

void CFontData::ApplyAttribute(int index, std::string_view text, CNameIdList &ids)
{
    switch (index) {
    case kFontName:
        m_name = text;
        break;
    case kFontId:
        // The name as it stands when the "Id" element is read: empty when "Name" comes later.
        ids.Add(kNameIdFont, m_name, kx::ParseDecimal(text));
        break;
    case kFontFile:
        m_file = text;
        break;
    case kFontSize:
        m_size = kx::ParseDecimal(text);
        break;
    case kFontEffect:
        m_effect = kx::FontEffects().Match(text, m_effect);
        break;
    case kFontBold:
        SetBold(kx::SwitchFromText(text));
        break;
    case kFontBoldEffect:
        SetBoldEffect(kx::SwitchFromText(text));
        break;
    default:
        break;
    }
}
