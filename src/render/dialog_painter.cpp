#include "render/dialog_painter.h"

#include "model/object_data_list.h"
#include "model/project_context.h"
#include "model/vocabulary.h"
#include "platform/message_sink.h"
#include "render/freetype_font.h"
#include "render/image_data_drawing.h"
#include "render/object_states.h"
#include "render/picture_drawing.h"
#include "render/text_layout.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

namespace kx {

namespace {

constexpr const char *kSubstituteTail = "が見つかりませんでした。\n[";
constexpr const char *kSubstituteEnd = "]で代用します。正しく指定して下さい。";

// "<kind> オブジェクト[<object>]のイメージ[<image>]の\n指定のフォント[<font>]が見つかりません
// でした。\n[<substitute>]で代用します。正しく指定して下さい。"
std::string ImageFontMessage(std::string_view kind, std::string_view object, std::string_view image,
    std::string_view font, std::string_view substitute)
{
    std::string text(kind);
    text += " オブジェクト[";
    text += object;
    text += "]のイメージ[";
    text += image;
    text += "]の\n指定のフォント[";
    text += font;
    text += "]";
    text += kSubstituteTail;
    text += substitute;
    text += kSubstituteEnd;
    return text;
}

// "テキストオブジェクト[<object>]の\n指定のフォント[<font>]が見つかりませんでした。\n
// [<substitute>]で代用します。正しく指定して下さい。"
std::string TextFontMessage(
    std::string_view object, std::string_view font, std::string_view substitute)
{
    std::string text = "テキストオブジェクト[";
    text += object;
    text += "]の\n指定のフォント[";
    text += font;
    text += "]";
    text += kSubstituteTail;
    text += substitute;
    text += kSubstituteEnd;
    return text;
}

const char *KindWord(int type)
{
    switch (type) {
    case kTypeEditbox:
        return "エディット ボックス";
    case kTypeFrame:
        return "フレーム";
    default:
        return "ボタン";
    }
}

int Stride(int width)
{
    return (width * 3 + 3) & ~3;
}

// An object's kept picture seen as a picture to copy from.
class CachedPictureView final : public IPicture {
public:
    explicit CachedPictureView(const CachedPicture &picture)
        : m_picture(picture)
    { }
    int Width() const override { return m_picture.width; }
    int Height() const override { return m_picture.height; }
    const std::uint8_t *Row(int y) const override
    {
        return m_picture.pixels.data() + static_cast<std::size_t>(y) * Stride(m_picture.width);
    }

    // Whether the pixels hold every row the size promises (a picture kept by other code may
    // not).
    static bool IsWhole(const CachedPicture &picture)
    {
        return picture.width >= 0 && picture.height >= 0 && picture.width <= Surface::kMaxDimension
            && picture.pixels.size()
            >= static_cast<std::size_t>(Stride(picture.width)) * picture.height;
    }

private:
    const CachedPicture &m_picture;
};

std::unique_ptr<CachedPicture> Keep(const Surface &surface)
{
    auto picture = std::make_unique<CachedPicture>();
    picture->width = surface.Width();
    picture->height = surface.Height();
    if (surface.Bits())
        picture->pixels.assign(surface.Bits(),
            surface.Bits() + static_cast<std::size_t>(surface.Stride()) * surface.Height());
    return picture;
}

// The object's kept picture when it still has the size wanted; otherwise it is discarded.
const CachedPicture *KeptPicture(CObjectData &object, int width, int height, bool checkHeight)
{
    const CachedPicture *kept = object.Cached();
    if (!kept)
        return nullptr;
    if (kept->width != width || (checkHeight && kept->height != height)
        || !CachedPictureView::IsWhole(*kept)) {
        object.DiscardCachedPicture();
        return nullptr;
    }
    return kept;
}

} // namespace

void FillBackgroundPattern(Surface &surface)
{
    const KXRect area = surface.Clip();
    if (area.IsEmpty())
        return;
    // Two kinds of rows over the clip's columns, dark first (rows 0-7 of every 16) and light
    // first, built once and copied into every row.
    const std::size_t bytes = static_cast<std::size_t>(area.Width()) * 3;
    std::vector<std::uint8_t> rows[2]
        = {std::vector<std::uint8_t>(bytes), std::vector<std::uint8_t>(bytes)};
    for (int x = area.left; x < area.right; ++x) {
        const bool dark = (x / 8) % 2 == 0;
        for (int kind = 0; kind < 2; ++kind) {
            const std::uint32_t colour = dark == (kind == 0) ? kPatternDark : kPatternLight;
            std::uint8_t *p = rows[kind].data() + static_cast<std::size_t>(x - area.left) * 3;
            p[0] = static_cast<std::uint8_t>(colour >> 16);
            p[1] = static_cast<std::uint8_t>(colour >> 8);
            p[2] = static_cast<std::uint8_t>(colour);
        }
    }
    for (int y = area.top; y < area.bottom; ++y)
        std::memcpy(surface.Row(y) + static_cast<std::size_t>(area.left) * 3,
            rows[(y / 8) % 2].data(), bytes);
    surface.Touch(area);
}

DialogPainter::DialogPainter(CProjectContext &project, CFreeTypeFont &fonts, IMessageSink &messages)
    : m_project(project)
    , m_fonts(fonts)
    , m_messages(messages)
{ }

void DialogPainter::PaintDialog(Surface &surface, CKXDialogData &dialog)
{
    surface.ResetClip();
    m_area = nullptr;
    FillBackgroundPattern(surface);
    // The dialog draws no background of its own: the pattern shows where no object paints.
    if (CObjectDataList *root = dialog.RootGroup())
        DrawObject(surface, *root);
    ReportRefusedFiles();
}

namespace {
constexpr int kMaxPaintRounds = 4;
} // namespace

void DialogPainter::Repair(CKXDialogData &dialog, bool definitions)
{
    // Every object is laid out and drawn into one pixel: what changes the model happens all the
    // same, and each object learns where it would draw.
    Surface scratch(1, 1);
    m_repairing = true;
    m_repairingDefinitions = definitions;
    PaintDialog(scratch, dialog);
    m_repairing = false;
    m_repairingDefinitions = false;
}

namespace {

void ForgetKeptPictures(CObjectData &object)
{
    object.DiscardCachedPicture();
    if (object.IsGroup()) {
        for (CObjectData *child : static_cast<CObjectDataList &>(object).Children()) {
            if (child)
                ForgetKeptPictures(*child);
        }
    }
}

} // namespace

void DialogPainter::ForgetPictures(CKXDialogData &dialog)
{
    if (CObjectDataList *root = dialog.RootGroup())
        ForgetKeptPictures(*root);
}

KXRect DialogPainter::PaintArea(Surface &surface, CKXDialogData &dialog, const KXRect &area)
{
    KXRect painted = area;
    // A text may reach out of its object: when an object drawn there now reaches beyond the area,
    // the area grows and is painted again, until everything that changed lies inside it. Even an
    // empty area gets one round: a new object's reach is known only once it is drawn.
    for (int round = 0; round < kMaxPaintRounds; ++round) {
        surface.SetClip(painted);
        m_area = &painted;
        m_reach = {};
        FillBackgroundPattern(surface);
        if (CObjectDataList *root = dialog.RootGroup())
            DrawObject(surface, *root);
        m_area = nullptr;
        const KXRect grown = painted.United(m_reach);
        if (grown == painted) {
            surface.ResetClip();
            return painted;
        }
        painted = grown;
    }
    // Objects that keep reaching further each time: the whole dialog it is.
    PaintDialog(surface, dialog);
    return {0, 0, surface.Width(), surface.Height()};
}

bool DialogPainter::Outside(const CObjectData &object) const
{
    if (!m_area)
        return false;
    // An object never drawn (or one that draws nothing) may reach anywhere: it is drawn, and
    // what it draws decides.
    if (object.DrawnBounds().IsEmpty())
        return false;
    const KXRect reach = object.DrawnBounds().United(object.GetRect());
    return reach.right <= m_area->left || reach.left >= m_area->right || reach.bottom <= m_area->top
        || reach.top >= m_area->bottom;
}

void DialogPainter::DrawObject(Surface &surface, CObjectData &object)
{
    if (object.Hide() || (m_states && m_states->StateOf(object) == kStateHide))
        return;
    if (object.IsGroup()) {
        for (CObjectData *child : static_cast<CObjectDataList &>(object).Children()) {
            if (child)
                DrawObject(surface, *child);
        }
        return;
    }
    // Objects that neither were nor are in the area cannot change a pixel of it.
    if (Outside(object))
        return;
    surface.ResetTouched();
    DrawLeaf(surface, object);
    const KXRect drawn = surface.Touched();
    // An object that draws where it drew before left the rest of the canvas as it was; one that
    // now reaches elsewhere (a longer text, a new place) must be painted whole.
    if (m_area && drawn != object.DrawnBounds())
        m_reach = m_reach.United(drawn);
    object.SetDrawnBounds(drawn);
}

void DialogPainter::DrawLeaf(Surface &surface, CObjectData &object)
{
    switch (object.Type()) {
    case kTypeButton:
    case kTypeEditbox:
    case kTypeFrame:
        DrawStateImageObject(surface, object);
        break;
    case kTypePicture:
    case kTypeIcon:
    case kTypeMovie:
        DrawPictureObject(surface, object);
        break;
    case kTypeCanvas: {
        const KXRect r = object.GetRect();
        surface.FillRect(r.left, r.top, r.Width(), r.Height(), kCanvasColour);
        break;
    }
    case kTypeText:
        DrawTextObject(surface, object);
        break;
    default:
        break;
    }
}

void DialogPainter::DrawStateImageObject(Surface &surface, CObjectData &object)
{
    const bool frame = object.Type() == kTypeFrame;
    const KXRect r = object.GetRect();
    const int left = r.left;
    const int top = r.top;
    const int width = r.Width();
    int height = r.Height();

    const auto placeholder = [&] {
        const int rows = !frame && height < 1 ? kPlaceholderMinHeight : height;
        surface.FillRect(left, top, width, rows, kPlaceholderColour);
    };
    // Of several definitions with the name, the last one is used.
    CImageData *image = m_project.Images().FindLastByName(object.Image());
    if (!image) {
        // A name that no definition has (never had, or no longer has) shows the placeholder,
        // whatever picture the object kept from a definition that has gone.
        object.DiscardCachedPicture();
        placeholder();
        return;
    }
    if (!frame && image->Picture(0)) {
        // A button is as high as its picture, whatever the model said.
        height = image->Picture(0)->Height();
        object.SetHeight(height);
    }
    const int slot = frame ? 0 : ShownSlot(object, *image, height);
    const IPicture *statePicture = slot > 0 ? image->Picture(slot) : nullptr;

    const CachedPicture *kept = statePicture ? nullptr : KeptPicture(object, width, height, frame);
    Surface fresh;
    if (statePicture || !kept) {
        fresh = Surface(width, height);
        const int drawn = statePicture ? DrawThreeSlice(fresh, *statePicture, 0, 0, width)
                                       : DrawImageDefinition(*image, fresh, 0, 0, width, height);
        if (drawn == 0) {
            placeholder();
            return;
        }
        if (!statePicture) {
            object.SetCached(Keep(fresh));
            kept = object.Cached();
        }
    }
    if (statePicture)
        surface.CopyTransparent(fresh, left, top);
    else
        surface.CopyTransparent(CachedPictureView(*kept), left, top);

    TextPlacement place {left, top, width, height};
    if (const CFontData *font = ImageObjectText(object, *image, slot, place))
        DrawObjectText(m_fonts, surface, ShownText(object), *font, place);
}

int DialogPainter::ShownSlot(const CObjectData &object, const CImageData &image, int &height) const
{
    const int state = m_states ? m_states->StateOf(object) : m_state;
    if (state <= 0 || (image.Type() != kTypeButton && image.Type() != kTypeEditbox))
        return 0;
    // A state the definition has no picture for shows the Normal one, and its colours.
    const int slot = StateSlot(state, image.Type());
    const IPicture *picture = slot > 0 ? image.Picture(slot) : nullptr;
    if (!picture)
        return 0;
    height = picture->Height();
    return slot;
}

const std::string &DialogPainter::ShownText(const CObjectData &object) const
{
    const std::string *shown = m_states ? m_states->TextOf(object) : nullptr;
    return shown ? *shown : object.Text();
}

const CFontData *DialogPainter::ImageObjectText(
    CObjectData &object, CImageData &image, int slot, TextPlacement &place)
{
    // The generated code hands the device the object's own font, alignment and margins whenever
    // they differ from its image definition's, so the text is laid out by the object's when it
    // names a font of the project; otherwise by the definition's, as the device does for an
    // object without a style of its own.
    const CFontData *own = m_project.Fonts().FindByName(object.Font());
    const CFontData *font = own ? own : ImageFont(object, image);
    if (!font)
        return nullptr;
    place.mainColour = image.DrawingColour(slot);
    place.subColour = image.DrawingSubColour(slot);
    place.align = own ? AlignmentWord(object.AlignX(), object.AlignY(), object.Stretch())
                      : AlignmentWord(image.AlignX(), image.AlignY(), image.Stretch());
    place.marginX = own ? object.MarginX() : image.MarginX();
    place.marginY = own ? object.MarginY() : image.MarginY();
    place.vertical = false;
    return font;
}

TextCaret DialogPainter::CaretOf(CObjectData &object, std::size_t caret)
{
    if (object.Type() != kTypeButton && object.Type() != kTypeEditbox)
        return {};
    CImageData *image = m_project.Images().FindLastByName(object.Image());
    if (!image)
        return {};
    const KXRect r = object.GetRect();
    int height = image->Picture(0) ? image->Picture(0)->Height() : r.Height();
    const int slot = ShownSlot(object, *image, height);
    TextPlacement place {r.left, r.top, r.Width(), height};
    const CFontData *font = ImageObjectText(object, *image, slot, place);
    if (!font)
        return {};
    return TextCaretBox(m_fonts, ShownText(object), caret, *font, place);
}

void DialogPainter::DrawPictureObject(Surface &surface, CObjectData &object)
{
    const KXRect r = object.GetRect();
    int width = r.Width();
    int height = r.Height();
    IPictureCache *cache = m_project.PictureCache();
    if (object.Type() == kTypeMovie && (width < 1 || height < 1) && !object.ImageFile().empty()
        && cache) {
        // A movie without a size takes the size of its file.
        if (const IPicture *picture = FindPicture(*cache, object.ImageFile())) {
            width = picture->Width();
            height = picture->Height();
            object.SetWidth(width);
            object.SetHeight(height);
        }
    }
    const CachedPicture *kept = KeptPicture(object, width, height, true);
    if (!kept) {
        if (!cache || width < 1 || height < 1)
            return;
        const IPicture *picture = FindPicture(*cache, object.ImageFile());
        if (!picture)
            return;
        Surface fresh(width, height);
        DrawStretched(fresh, *picture, 0, 0, width, height);
        object.SetCached(Keep(fresh));
        kept = object.Cached();
    }
    surface.CopyTransparent(CachedPictureView(*kept), r.left, r.top);
}

void DialogPainter::ReportRefusedFiles()
{
    const std::vector<std::string> refused = m_project.TakeRefusedFileNames();
    if (!refused.empty())
        m_messages.ShowMessage(
            CProjectContext::RefusedFileNamesText(refused), MessageIcon::Warning);
}

const IPicture *DialogPainter::FindPicture(IPictureCache &cache, const std::string &file) const
{
    const std::string path = m_project.ImagePath(file);
    return path.empty() ? nullptr : cache.Find(path);
}

void DialogPainter::DrawTextObject(Surface &surface, CObjectData &object)
{
    const CFontData *font = m_project.Fonts().FindByName(object.Font());
    if (!font) {
        if (m_project.Fonts().IsEmpty())
            return;
        font = Substitute(
            TextFontMessage(object.Name(), object.Font(), m_project.Fonts().At(0)->Name()));
        if (m_repairing)
            object.SetFont(font->Name());
    }
    const KXRect r = object.GetRect();
    const TextPlacement place {r.left, r.top, r.Width(), r.Height(), object.TextColourValue(),
        object.SubColourValue(), AlignmentWord(object.AlignX(), object.AlignY(), object.Stretch()),
        object.MarginX(), object.MarginY(), object.Vertical()};
    DrawObjectText(m_fonts, surface, object.Text(), *font, place);
}

const CFontData *DialogPainter::ImageFont(const CObjectData &object, CImageData &image)
{
    if (const CFontData *font = m_project.Fonts().FindByName(image.FontName()))
        return font;
    if (m_project.Fonts().IsEmpty())
        return nullptr;
    const CFontData *font = Substitute(ImageFontMessage(KindWord(object.Type()), object.Name(),
        image.Name(), image.FontName(), m_project.Fonts().At(0)->Name()));
    if (m_repairingDefinitions)
        image.SetFontName(font->Name());
    return font;
}

const CFontData *DialogPainter::Substitute(std::string_view message)
{
    Report(message, MessageIcon::Information);
    return m_project.Fonts().At(0);
}

void DialogPainter::Report(std::string_view message, MessageIcon icon)
{
    if (m_reported.insert(std::string(message)).second)
        m_messages.ShowMessage(message, icon);
}

} // namespace kx
