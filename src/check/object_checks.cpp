// Objects: the definitions they name, the pictures of the states they are shown in, their texts'
// glyphs, and where they lie in their dialog.
#include "check/check_run.h"
#include "check/project_check.h"

#include "model/object_data_list.h"
#include "model/project_context.h"
#include "model/vocabulary.h"

#include <algorithm>

namespace kx {

namespace {

constexpr int kSlotNormal = 0;
constexpr int kSlotActive = 2;
constexpr int kSlotFocus = 3;
constexpr int kSlotPush = 4;
constexpr int kStateHide = 6;

struct SlotUse {
    int slot;
    const char *why;
};

// The rule of SlotsInUse, with the reason each slot is in use.
std::vector<SlotUse> SlotUses(const CObjectData &object)
{
    const int type = object.Type();
    if (object.IsGroup())
        return {};
    if (type == kTypeFrame)
        return {{0, "a frame is drawn from it"}, {1, "a frame is drawn from it"},
            {2, "a frame is drawn from it"}};
    if (type != kTypeButton && type != kTypeEditbox)
        return {};
    std::vector<SlotUse> uses {{kSlotNormal, "every object is shown in it"}};
    const int slotCount = ImageSlotWords(type).Count();
    const int attr = object.Attr();
    if (attr > kSlotNormal && attr < kStateHide && attr < slotCount)
        uses.push_back({attr, "it is the object's initial state"});
    if (object.Click())
        uses.push_back(type == kTypeButton
                ? SlotUse {kSlotPush, "the button can be pressed (\"Click\" is on)"}
                : SlotUse {
                    kSlotFocus, "the edit box takes the focus when tapped (\"Click\" is on)"});
    const CObjectDataList *group = object.Parent();
    if (type == kTypeButton && group && group->Radio())
        uses.push_back({kSlotActive, "the chosen button of a radio group is shown in it"});
    std::stable_sort(uses.begin(), uses.end(),
        [](const SlotUse &a, const SlotUse &b) { return a.slot < b.slot; });
    uses.erase(std::unique(uses.begin(), uses.end(),
                   [](const SlotUse &a, const SlotUse &b) { return a.slot == b.slot; }),
        uses.end());
    return uses;
}

bool UsesImageDefinition(int type)
{
    return type == kTypeButton || type == kTypeEditbox || type == kTypeFrame;
}

std::string Size(int width, int height)
{
    return std::to_string(width) + " x " + std::to_string(height);
}

} // namespace

std::vector<int> SlotsInUse(const CObjectData &object)
{
    std::vector<int> slots;
    for (const SlotUse &use : SlotUses(object))
        slots.push_back(use.slot);
    return slots;
}

void CheckRun::CheckObjects(
    const CKXDialogData &dialog, const std::vector<const CObjectData *> &objects)
{
    m_dialogFonts.clear();
    // The root group is the dialog itself.
    for (std::size_t i = 1; i < objects.size(); ++i)
        CheckObject(dialog, *objects[i]);
}

void CheckRun::CheckObject(const CKXDialogData &dialog, const CObjectData &object)
{
    const Problem where = At(dialog, object);
    const int type = object.Type();
    if (object.IsGroup() || type == kTypeGroup)
        return;
    const CImageData *image = nullptr;
    if (UsesImageDefinition(type)) {
        image = CheckImageReference(object, where);
        if (image && image->Type() == type)
            CheckStatePictures(object, *image, where);
    }
    if (UsesImageDefinition(type) || type == kTypeText) {
        if (const CFontData *font = CheckFontReference(object, image, where)) {
            if (IsUsable(font)
                && std::find(m_dialogFonts.begin(), m_dialogFonts.end(), font)
                    == m_dialogFonts.end())
                m_dialogFonts.push_back(font);
            CheckGlyphs(object.Text(), *font, where, "the text of " + ObjectLabel(object));
        }
    }
    if (type == kTypePicture || type == kTypeIcon || type == kTypeMovie) {
        if (object.ImageFile().empty())
            Report(where, Severity::kWarning, ProblemKind::kMissingFile,
                ObjectLabel(object) + " has no picture file");
        else
            CheckPictureFile(object.ImageFile(), where, ObjectLabel(object));
    }
    CheckGeometry(dialog, object, image, where);
}

const CImageData *CheckRun::CheckImageReference(const CObjectData &object, const Problem &where)
{
    const std::string &name = object.Image();
    if (name.empty()) {
        Report(where, Severity::kError, ProblemKind::kUnknownReference,
            ObjectLabel(object) + " has no image definition");
        return nullptr;
    }
    // The generated code and the canvas take the last definition of a name.
    const CImageData *image = m_project.Images().FindLastByName(name);
    if (!image) {
        Report(where, Severity::kError, ProblemKind::kUnknownReference,
            ObjectLabel(object) + " names image definition " + Quoted(name)
                + ", which does not exist");
        return nullptr;
    }
    if (image->Type() != object.Type()) {
        const char *madeFor = ObjectTypes().Word(image->Type());
        Report(where, Severity::kWarning, ProblemKind::kWrongImageType,
            ObjectLabel(object) + " uses image definition " + Quoted(name) + ", which is made for "
                + (*madeFor ? madeFor : "other") + " objects");
    }
    return image;
}

const CFontData *CheckRun::CheckFontReference(
    const CObjectData &object, const CImageData *image, const Problem &where)
{
    // A button, edit box or frame without a font of its own is built with its image
    // definition's, whose reference is checked with the definition.
    std::string_view name = object.Font();
    if (name.empty() && image) {
        if (image->FontName().empty()) {
            if (!object.Text().empty())
                Report(where, Severity::kWarning, ProblemKind::kUnknownReference,
                    ObjectLabel(object) + " has a text, but neither it nor image definition "
                        + Quoted(image->Name()) + " names a font");
            return nullptr;
        }
        return m_project.Fonts().FindByName(image->FontName());
    }
    if (name.empty()) {
        // A text object without a font leaves the font argument of its line empty.
        if (object.Type() == kTypeText)
            Report(where, Severity::kError, ProblemKind::kUnknownReference,
                ObjectLabel(object) + " has no font");
        return nullptr;
    }
    const CFontData *font = m_project.Fonts().FindByName(name);
    if (!font)
        Report(where, Severity::kError, ProblemKind::kUnknownReference,
            ObjectLabel(object) + " names font definition " + Quoted(name)
                + ", which does not exist");
    return font;
}

void CheckRun::CheckStatePictures(const CObjectData &object, const CImageData &image, Problem where)
{
    const WordTable &slots = ImageSlotWords(image.Type());
    for (const SlotUse &use : SlotUses(object)) {
        if (use.slot >= slots.Count() || !image.SlotFile(use.slot).empty())
            continue;
        const std::string state = slots.Word(use.slot);
        Report(where, Severity::kError, ProblemKind::kMissingStatePicture,
            "image definition " + Quoted(image.Name()) + " of " + ObjectLabel(object) + " has no "
                + state + " picture, and " + use.why);
    }
}

void CheckRun::CheckGeometry(
    const CKXDialogData &dialog, const CObjectData &object, const CImageData *image, Problem where)
{
    const int type = object.Type();
    int width = object.Width();
    int height = object.Height();
    bool knownHeight = true;
    if (type == kTypeButton || type == kTypeEditbox) {
        // The height comes from the Normal picture, as the canvas and the device take it.
        const IPicture *normal = image && image->Type() == type && !image->SlotFile(0).empty()
                && StaysInFolder(image->SlotFile(0))
            ? DecodedPicture(image->SlotFile(0))
            : nullptr;
        if (normal)
            height = normal->Height();
        knownHeight = normal != nullptr;
    } else if (type == kTypeMovie) {
        // A movie has no stored size: it takes its picture's.
        const std::string &file = object.ImageFile();
        const IPicture *picture
            = !file.empty() && StaysInFolder(file) ? DecodedPicture(file) : nullptr;
        if (!picture)
            return;
        if (width < 1 || height < 1) {
            width = picture->Width();
            height = picture->Height();
        }
    }
    if (width <= 0 || (knownHeight && height <= 0)) {
        Report(std::move(where), Severity::kWarning, ProblemKind::kZeroSize,
            ObjectLabel(object) + " has no size ("
                + (knownHeight ? Size(width, height) : "width " + std::to_string(width)) + ")");
        return;
    }
    if (!knownHeight)
        height = 1; // at least its top edge is drawn where it stands
    const long long left = object.AbsoluteX();
    const long long top = object.AbsoluteY();
    const long long right = left + width;
    const long long bottom = top + height;
    const int dialogWidth = dialog.Width();
    const int dialogHeight = dialog.Height();
    const std::string place = ObjectLabel(object) + " at " + std::to_string(left) + ","
        + std::to_string(top) + (knownHeight ? " (" + Size(width, height) + ")" : "");
    const std::string ofDialog
        = " dialog " + Quoted(dialog.Name()) + " (" + Size(dialogWidth, dialogHeight) + ")";
    if (right <= 0 || bottom <= 0 || left >= dialogWidth || top >= dialogHeight)
        Report(std::move(where), Severity::kWarning, ProblemKind::kOutsideDialog,
            place + " lies outside" + ofDialog);
    else if (left < 0 || top < 0 || right > dialogWidth || bottom > dialogHeight)
        Report(std::move(where), Severity::kWarning, ProblemKind::kOutsideDialog,
            place + " reaches past the edge of" + ofDialog);
}

} // namespace kx
