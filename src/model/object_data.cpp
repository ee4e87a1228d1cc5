#include "model/object_data.h"

#include "model/mb_text.h"
#include "model/name_id_list.h"
#include "model/object_data_list.h"
#include "model/object_name_index.h"
#include "model/resource_lists.h"
#include "model/value_parsing.h"
#include "model/vocabulary.h"
#include "platform/text_conversion.h"

#include <algorithm>
#include <array>
#include <climits>
#include <string>
#include <utility>

using kx::KXRect;
using kx::KXSize;
using kx::Nearest;

namespace {

// Tags of object and group values; "Margin" and "Align" are older spellings still read.
constexpr std::array<kx::TagIndex, 33> kElements {{
    {"Type", kObjType},
    {"Name", kObjName},
    {"Position", kObjPosition},
    {"Size", kObjSize},
    {"Width", kObjWidth},
    {"Height", kObjHeight},
    {"Text", kObjText},
    {"ImageId", kObjImageId},
    {"Image", kObjImage},
    {"ImageFile", kObjImageFile},
    {"FontId", kObjFontId},
    {"Font", kObjFont},
    {"MarginX", kObjMarginX},
    {"Margin", kObjMarginX},
    {"AlignX", kObjAlignX},
    {"Align", kObjAlignX},
    {"MarginY", kObjMarginY},
    {"AlignY", kObjAlignY},
    {"Stretch", kObjStretch},
    {"Attr", kObjAttr},
    {"Click", kObjClick},
    {"Repeat", kObjRepeat},
    {"Radio", kObjRadio},
    {"GetText", kObjGetText},
    {"PushClick", kObjPushClick},
    {"PushTime", kObjPushTime},
    {"Lock", kObjLock},
    {"Hide", kObjHide},
    {"TextCol", kObjTextCol},
    {"TextColSub", kObjTextColSub},
    {"Loop", kObjLoop},
    {"Vertical", kObjVertical},
    {"Linespace", kObjLinespace},
}};

// new = (v * newExtent) / oldExtent in integer arithmetic, truncating toward zero. An empty old
// extent cannot be scaled; the value is kept so that a zero-width selection is moved, not lost.
// v × newExtent / oldExtent in integer arithmetic (multiply first, divide truncating toward
// zero); v is a 64-bit sum of coordinates, the result is kept within the int range.
int ScaleInt(std::int64_t v, int newExtent, int oldExtent)
{
    if (oldExtent == 0)
        return kx::Saturate(v);
    // |v| < 2^33 and |newExtent| <= 2^31, so the product fits 64 bits.
    return kx::Saturate(v * newExtent / oldExtent);
}

double ScaleFactor(int newExtent, int oldExtent)
{
    return oldExtent == 0 ? 1.0 : static_cast<double>(newExtent) / oldExtent;
}

} // namespace

CObjectData::CObjectData(CObjectDataList *parent)
    : KXClass(kKindObject)
{
    m_tracked.parent = parent;
}

CObjectData::~CObjectData() = default;

int CObjectData::ElementIndex(std::string_view tag)
{
    return kx::FindTag(kElements, tag);
}

void CObjectData::CopyFrom(const KXClass &other)
{
    KXClass::CopyFrom(other);
    const auto *source = AsObject(other);
    if (!source)
        return;
    m_tracked = source->m_tracked;
    ResetPreview();
    m_selected = false;
    m_cached.reset();
}

// Flattened so that the string comparisons of the defaulted operator are inlined too: every
// history step compares every object of the dialog this way.
[[gnu::flatten]] bool CObjectData::SameTrackedState(const CObjectData &other) const
{
    return m_tracked == other.m_tracked;
}

bool CObjectData::IsSameAs(const KXClass &other) const
{
    const auto *o = AsObject(other);
    return o && !o->IsGroup() && SameTrackedState(*o);
}

kx::TreeItem CObjectData::AddToTree(kx::ITreeSink &tree, kx::TreeItem parent)
{
    const std::string label
        = std::string(kx::ObjectTypes().Word(m_tracked.type)) + " = " + m_tracked.name;
    const kx::TreeItem item = tree.InsertItem(parent, kx::kNoTreeItem, label, this);
    tree.SetExpanded(item, IsTreeExpanded());
    return item;
}

CObjectData *CObjectData::HitTest(int x, int y)
{
    if (m_lock || m_hide)
        return nullptr;
    return GetRect().Contains(x, y) ? this : nullptr;
}

void CObjectData::SetSelected(bool selected)
{
    m_selected = selected;
}

bool CObjectData::IsSelected() const
{
    return m_selected;
}

CObjectData *CObjectData::FindSelected()
{
    return m_selected ? this : nullptr;
}

bool CObjectData::MoveSelectedInto(CObjectDataList *target)
{
    if (!m_selected || target == this)
        return false;
    MoveInto(*target);
    return true;
}

void CObjectData::MoveInto(CObjectDataList &target)
{
    // Positions are relative to the holding group: the object keeps its place on the canvas,
    // whichever group it leaves.
    CObjectDataList *from = m_tracked.parent;
    const long long fromX = from ? from->AbsoluteX() : 0;
    const long long fromY = from ? from->AbsoluteY() : 0;
    const auto clamp
        = [](long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); };
    m_tracked.x = clamp(m_tracked.x + fromX - target.AbsoluteX());
    m_tracked.y = clamp(m_tracked.y + fromY - target.AbsoluteY());
    target.AddChild(this);
    m_tracked.parent = &target;
}

int CObjectData::CountSelected() const
{
    return m_selected ? 1 : 0;
}

void CObjectData::SelectInRect(
    int left, int top, int right, int bottom, std::vector<CObjectData *> *list)
{
    const KXRect r = GetRect();
    if (r.left >= left && r.right <= right && r.top >= top && r.bottom <= bottom) {
        m_selected = true;
        if (list)
            list->push_back(this);
    }
}

void CObjectData::CollectSelectionInfo(
    KXRect *bounds, KXSize *minSize, int *kindFlags, int *count, const CImageDataList *images)
{
    if (!m_selected)
        return;
    if (bounds)
        *bounds = bounds->United(GetRect());
    if (minSize && images) {
        if (const CImageData *image = images->FindLastByName(m_tracked.image)) {
            const KXSize size = image->NaturalSize(m_tracked.type);
            minSize->width = std::min(minSize->width, size.width);
            minSize->height = std::min(minSize->height, size.height);
        }
    }
    if (kindFlags) {
        switch (m_tracked.type) {
        case kTypeButton:
        case kTypeEditbox:
            *kindFlags |= kSelectionStateImage;
            break;
        case kTypePicture:
        case kTypeIcon:
        case kTypeMovie:
            *kindFlags |= kSelectionPicture;
            break;
        case kTypeFrame:
        case kTypeCanvas:
        case kTypeText:
            *kindFlags |= kSelectionFramed;
            break;
        default:
            break;
        }
    }
    if (count)
        ++*count;
}

bool CObjectData::LocateIndex(const CObjectData *object, int &counter) const
{
    if (object == this)
        return true;
    ++counter;
    return false;
}

CObjectData *CObjectData::LocateAt(int index, int &counter)
{
    if (counter == index)
        return this;
    ++counter;
    return nullptr;
}

void CObjectData::PreviewScale(const KXRect &from, const KXRect &to)
{
    if (!m_selected)
        return;
    ResetPreview();
    const double sx = ScaleFactor(to.Width(), from.Width());
    const double sy = ScaleFactor(to.Height(), from.Height());
    const std::int64_t px = m_tracked.parent ? m_tracked.parent->AbsoluteX() : 0;
    const std::int64_t py = m_tracked.parent ? m_tracked.parent->AbsoluteY() : 0;
    m_previewScaleX = sx;
    m_previewScaleY = sy;
    m_previewOffsetX = kx::Saturate(to.left
        + std::int64_t {Nearest(static_cast<double>(m_tracked.x + px - from.left) * sx)}
        - m_tracked.x - px);
    m_previewOffsetY = kx::Saturate(to.top
        + std::int64_t {Nearest(static_cast<double>(m_tracked.y + py - from.top) * sy)}
        - m_tracked.y - py);
}

void CObjectData::ApplyScale(const KXRect &from, const KXRect &to)
{
    if (!m_selected)
        return;
    ResetPreview();
    const std::int64_t px = m_tracked.parent ? m_tracked.parent->AbsoluteX() : 0;
    const std::int64_t py = m_tracked.parent ? m_tracked.parent->AbsoluteY() : 0;
    const std::int64_t x
        = ScaleInt(m_tracked.x + px - from.left, to.Width(), from.Width()) + to.left;
    const std::int64_t y
        = ScaleInt(m_tracked.y + py - from.top, to.Height(), from.Height()) + to.top;
    m_tracked.x = kx::Saturate(x - px);
    m_tracked.y = kx::Saturate(y - py);
    m_tracked.width = ScaleInt(m_tracked.width, to.Width(), from.Width());
    m_tracked.height = ScaleInt(m_tracked.height, to.Height(), from.Height());
}

void CObjectData::AlignEdge(int kind, int value)
{
    if (!m_selected)
        return;
    switch (kind) {
    case kAlignLeft:
        SetAbsoluteX(value);
        break;
    case kAlignRight:
        SetAbsoluteX(
            kx::Saturate(std::int64_t {value} - Nearest(m_tracked.width * m_previewScaleX)));
        break;
    case kAlignTop:
        SetAbsoluteY(value);
        break;
    case kAlignBottom:
        SetAbsoluteY(
            kx::Saturate(std::int64_t {value} - Nearest(m_tracked.height * m_previewScaleY)));
        break;
    case kAlignWidth:
        m_tracked.width = value;
        break;
    case kAlignHeight:
        m_tracked.height = value;
        break;
    default:
        break;
    }
}

int CObjectData::GroupDepth(int level) const
{
    return level;
}

int CObjectData::CountNodes() const
{
    return 1;
}

void CObjectData::ReplaceFontName(std::string_view oldName, std::string_view newName)
{
    if (m_tracked.font == oldName)
        m_tracked.font = newName;
}

void CObjectData::ReplaceImageName(std::string_view oldName, std::string_view newName)
{
    if (m_tracked.image == oldName)
        SetImage(newName);
}

CObjectData *CObjectData::FindBySerial(std::uint64_t serial)
{
    return Serial() == serial ? this : nullptr;
}

CObjectData *CObjectData::FindByName(std::string_view name)
{
    return m_tracked.name == name ? this : nullptr;
}

CObjectData *CObjectData::TopAncestor()
{
    CObjectData *top = this;
    while (top->Parent())
        top = top->Parent();
    return top;
}

void CObjectData::ApplyAttribute(
    int index, std::string_view text, const CNameIdList &ids, kx::ObjectNameIndex *names)
{
    switch (index) {
    case kObjType: {
        const int type = kx::ObjectTypes().Find(text);
        if (type >= 0) {
            m_tracked.type = type;
            if (type == kTypeButton || type == kTypeEditbox)
                m_tracked.click = true;
        }
        break;
    }
    case kObjName: {
        // A dialog's root group is "OGROOT", whatever a file or a pasted text says.
        if (IsGroup() && static_cast<const CObjectDataList *>(this)->IsRoot())
            break;
        // Names are unique within the dialog; the root group of a file keeps "OGROOT".
        std::string name(text);
        if (!(IsGroup() && name == CObjectDataList::kRootName)) {
            if (names) {
                name = names->MakeUnique(text);
            } else {
                CObjectData *root = TopAncestor();
                for (int n = 2; root->FindByName(name); ++n)
                    name = std::string(text) + std::to_string(n);
            }
        }
        if (names)
            names->Rename(m_tracked.name, name);
        m_tracked.name = std::move(name);
        break;
    }
    case kObjPosition:
        std::tie(m_tracked.x, m_tracked.y) = kx::ParsePair(text);
        break;
    case kObjSize:
        std::tie(m_tracked.width, m_tracked.height) = kx::ParsePair(text);
        break;
    case kObjWidth:
        m_tracked.width = kx::ParseDecimal(text);
        break;
    case kObjHeight:
        m_tracked.height = kx::ParseDecimal(text);
        break;
    case kObjText: {
        std::string value = kx::ToShiftJis(text);
        value = kx::ReplaceAllMb(value, "@amp;", "&");
        value = kx::ReplaceAllMb(value, "@lt;", "<");
        m_tracked.text = kx::ReplaceAllMb(value, "@gt;", ">");
        break;
    }
    case kObjImageId:
        SetImage(ids.NameOfId(kx::ParseDecimal(text)));
        break;
    case kObjFontId:
        SetFont(ids.NameOfId(kx::ParseDecimal(text)));
        break;
    case kObjImage:
        SetImage(text);
        break;
    case kObjImageFile:
        SetImageFile(text);
        break;
    case kObjFont:
        SetFont(text);
        break;
    case kObjMarginX:
        m_tracked.marginX = kx::ParseDecimal(text);
        break;
    case kObjMarginY:
        m_tracked.marginY = kx::ParseDecimal(text);
        break;
    case kObjPushTime:
        m_pushTime = kx::ParseDecimal(text);
        break;
    case kObjLinespace:
        m_tracked.linespace = kx::ParseDecimal(text);
        break;
    case kObjAlignX:
        m_tracked.alignX = kx::AlignXWords().Match(text, m_tracked.alignX);
        break;
    case kObjAlignY:
        m_tracked.alignY = kx::AlignYWords().Match(text, m_tracked.alignY);
        break;
    case kObjStretch:
        m_tracked.stretch = kx::StretchWords().Match(text, m_tracked.stretch);
        break;
    case kObjAttr:
        m_tracked.attr = kx::ObjectStates().Match(text, m_tracked.attr);
        break;
    case kObjClick:
        m_tracked.click = kx::SwitchFromText(text);
        break;
    case kObjRepeat:
        m_tracked.repeat = kx::SwitchFromText(text);
        break;
    case kObjRadio:
        m_tracked.radio = kx::SwitchFromText(text);
        break;
    case kObjGetText:
        m_getText = kx::SwitchFromText(text);
        break;
    case kObjPushClick:
        m_pushClick = kx::SwitchFromText(text);
        break;
    case kObjLock:
        m_lock = kx::SwitchFromText(text);
        break;
    case kObjHide:
        m_hide = kx::SwitchFromText(text);
        break;
    case kObjVertical:
        m_tracked.vertical = kx::SwitchFromText(text);
        break;
    case kObjTextCol:
        m_tracked.textCol = text;
        break;
    case kObjTextColSub:
        m_tracked.textColSub = text;
        break;
    case kObjLoop:
        m_tracked.repeat = kx::EqualsNoCase(text, "LOOP");
        break;
    default:
        break;
    }
}

int CObjectData::Depth() const
{
    int depth = 0;
    for (const CObjectDataList *group = m_tracked.parent; group; group = group->Parent())
        ++depth;
    return depth;
}

int CObjectData::AbsoluteX() const
{
    return kx::Saturate(std::int64_t {m_tracked.x} + m_previewOffsetX
        + (m_tracked.parent ? m_tracked.parent->AbsoluteX() : 0));
}

int CObjectData::AbsoluteY() const
{
    return kx::Saturate(std::int64_t {m_tracked.y} + m_previewOffsetY
        + (m_tracked.parent ? m_tracked.parent->AbsoluteY() : 0));
}

void CObjectData::SetAbsoluteX(int x)
{
    m_tracked.x
        = kx::Saturate(std::int64_t {x} - (m_tracked.parent ? m_tracked.parent->AbsoluteX() : 0));
}

void CObjectData::SetAbsoluteY(int y)
{
    m_tracked.y
        = kx::Saturate(std::int64_t {y} - (m_tracked.parent ? m_tracked.parent->AbsoluteY() : 0));
}

KXRect CObjectData::GetRect() const
{
    const int left = AbsoluteX();
    const int top = AbsoluteY();
    return {left, top,
        kx::Saturate(std::int64_t {left} + Nearest(m_tracked.width * m_previewScaleX)),
        kx::Saturate(std::int64_t {top} + Nearest(m_tracked.height * m_previewScaleY))};
}

std::uint32_t CObjectData::TextColourValue() const
{
    return kx::DrawingValueOfName(m_tracked.textCol);
}

std::uint32_t CObjectData::SubColourValue() const
{
    return kx::DrawingValueOfName(m_tracked.textColSub);
}

void CObjectData::SetImage(std::string_view image)
{
    m_tracked.image = image;
    m_cached.reset();
}

void CObjectData::SetImageFile(std::string_view file)
{
    if (m_tracked.imageFile == file)
        return;
    m_tracked.imageFile = file;
    m_cached.reset();
}

void CObjectData::ResetPreview()
{
    m_previewOffsetX = 0;
    m_previewOffsetY = 0;
    m_previewScaleX = 1.0;
    m_previewScaleY = 1.0;
}
