// The paint of a dialog: background pattern, objects by type in tree order, placeholders,
// pictures kept per object, key-colour holes, the sizes written back into the model and the
// font substitution messages.
#include "render/dialog_painter.h"

#include "model/object_data_list.h"
#include "render/freetype_font.h"
#include "render/test_fonts.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

using kx::KXRect;
using kx::Rgb;
using kx::Surface;

namespace {

constexpr std::uint32_t kKey = kx::kKeyColour;
constexpr std::uint32_t kBlue = Rgb(0, 0, 255);
constexpr std::uint32_t kGreen = Rgb(0, 255, 0);

// Picture files by path, without decoding anything.
class FakePictureCache final : public kx::IPictureCache {
public:
    const kx::IPicture *Find(const std::string &path) override
    {
        ++lookups;
        const auto it = pictures.find(path);
        return it == pictures.end() ? nullptr : &it->second;
    }
    std::map<std::string, Surface> pictures;
    int lookups = 0;
};

Surface Filled(int width, int height, std::uint32_t colour)
{
    Surface s(width, height);
    s.Fill(colour);
    return s;
}

// A surface of the pattern alone, for comparison.
Surface Pattern(int width, int height)
{
    Surface s(width, height);
    kx::FillBackgroundPattern(s);
    return s;
}

class DialogPainterTest : public ::testing::Test {
protected:
    DialogPainterTest()
    {
        auto cache = std::make_unique<FakePictureCache>();
        pictures = cache.get();
        fp.project.SetPictureCache(std::move(cache));
        dialog = std::make_unique<CKXDialogData>("Test", fp.project.Prefixes());
        dialog->SetSize(120, 80);
    }

    CObjectData *Add(
        int type, const char *name, int x, int y, int w, int h, CObjectDataList *group = nullptr)
    {
        CObjectData *o = (group ? group : dialog->RootGroup())->CreateChild(type, name);
        o->SetPosition(x, y);
        o->SetWidth(w);
        o->SetHeight(h);
        return o;
    }

    CImageData &AddImage(const char *name, int type, const kx::IPicture *normal)
    {
        auto image = std::make_unique<CImageData>();
        image->SetName(name);
        image->SetType(type);
        image->SetPicture(0, normal);
        CImageData &added = *image;
        fp.project.Images().Add(image);
        return added;
    }

    Surface Paint(int state = -1)
    {
        CFreeTypeFont fonts(fp.project, fp.messages);
        kx::DialogPainter painter(fp.project, fonts, fp.messages);
        painter.SetStateOverride(state);
        Surface s(dialog->Width(), dialog->Height());
        painter.PaintDialog(s, *dialog);
        return s;
    }

    const std::vector<kx::RecordingMessageSink::Message> &Messages() const
    {
        return fp.messages.Messages();
    }

    kxtest::FontProject fp;
    FakePictureCache *pictures = nullptr;
    std::unique_ptr<CKXDialogData> dialog;
};

} // namespace

TEST(BackgroundPattern, EightPixelSquaresDarkAtTheTopLeft)
{
    const Surface s = Pattern(40, 40);
    const std::uint32_t dark = kx::kPatternDark;
    const std::uint32_t light = kx::kPatternLight;
    EXPECT_EQ(dark, Rgb(128, 128, 128));
    EXPECT_EQ(light, Rgb(192, 192, 192));
    const struct {
        int x, y;
        std::uint32_t colour;
    } samples[] = {{0, 0, dark}, {7, 7, dark}, {8, 0, light}, {15, 7, light}, {0, 8, light},
        {7, 15, light}, {8, 8, dark}, {15, 15, dark}, {16, 0, dark}, {16, 16, dark},
        {24, 16, light}, {39, 39, dark}, {32, 39, dark}, {31, 39, light}};
    for (const auto &p : samples)
        EXPECT_EQ(s.GetPixel(p.x, p.y), p.colour) << p.x << "," << p.y;
    // Short surfaces too (fewer than 9 rows).
    EXPECT_EQ(Pattern(20, 3).GetPixel(9, 2), light);
}

TEST_F(DialogPainterTest, EmptyDialogShowsThePattern)
{
    EXPECT_TRUE(kxtest::SamePixels(Pattern(120, 80), Paint()));
}

TEST_F(DialogPainterTest, ButtonWithoutPictureShowsAPlaceholderAtLeastThirtyHigh)
{
    CObjectData *flat = Add(kTypeButton, "OBFlat", 5, 5, 20, 0);
    flat->SetText("X");
    Add(kTypeEditbox, "OELow", 40, 5, 20, 12);
    CImageData &empty = AddImage("IBEmpty", kTypeButton, nullptr);
    CObjectData *unpictured = Add(kTypeButton, "OBEmpty", 70, 5, 20, 0);
    unpictured->SetImage(empty.Name());
    const Surface s = Paint();
    const std::uint32_t pink = kx::kPlaceholderColour;
    EXPECT_EQ(pink, Rgb(255, 128, 128));
    EXPECT_EQ(s.GetPixel(5, 5), pink);
    EXPECT_EQ(s.GetPixel(24, 34), pink);
    EXPECT_NE(s.GetPixel(24, 35), pink);
    EXPECT_EQ(s.GetPixel(40, 16), pink);
    EXPECT_NE(s.GetPixel(40, 17), pink);
    EXPECT_EQ(s.GetPixel(89, 34), pink); // a definition without its picture
    // Only the rectangle: no text on a placeholder.
    EXPECT_EQ(kxtest::CountColour(s, pink), 20 * 30 + 20 * 12 + 20 * 30);
    EXPECT_EQ(flat->Height(), 0); // the model keeps its height
}

TEST_F(DialogPainterTest, FrameWithoutPictureHasNoMinimumHeight)
{
    Add(kTypeFrame, "OFNone", 5, 5, 30, 0);
    Add(kTypeFrame, "OFSome", 50, 5, 30, 15);
    const Surface s = Paint();
    EXPECT_EQ(kxtest::CountColour(s, kx::kPlaceholderColour), 30 * 15);
}

TEST_F(DialogPainterTest, ButtonTakesTheHeightOfItsPictureAndKeepsItsPicture)
{
    const Surface picture = Filled(30, 40, kBlue);
    AddImage("IBBlue", kTypeButton, &picture);
    CObjectData *button = Add(kTypeButton, "OBOk", 10, 10, 50, 7);
    button->SetImage("IBBlue");
    const Surface s = Paint();
    EXPECT_EQ(button->Height(), 40);
    EXPECT_EQ(kxtest::CountColour(s, 0), 0); // the picture fills the whole object
    EXPECT_EQ(s.GetPixel(10, 10), kBlue);
    EXPECT_EQ(s.GetPixel(59, 49), kBlue);
    EXPECT_NE(s.GetPixel(60, 49), kBlue);
    EXPECT_NE(s.GetPixel(59, 50), kBlue);
    ASSERT_NE(button->Cached(), nullptr);
    EXPECT_EQ(button->Cached()->width, 50);
    EXPECT_EQ(button->Cached()->height, 40);

    // The same size keeps the picture; another width makes a new one.
    const CachedPicture *first = button->Cached();
    Paint();
    EXPECT_EQ(button->Cached(), first);
    button->SetWidth(70);
    const Surface wider = Paint();
    ASSERT_NE(button->Cached(), nullptr);
    EXPECT_EQ(button->Cached()->width, 70);
    EXPECT_EQ(wider.GetPixel(79, 49), kBlue);
}

TEST_F(DialogPainterTest, KeptPictureIsDrawnUntilTheSizeChanges)
{
    // A kept picture stands for the drawing: a stale one shows as long as the size matches.
    const Surface top = Filled(10, 4, kBlue);
    const Surface middle = Filled(10, 4, kBlue);
    const Surface bottom = Filled(10, 4, kBlue);
    CImageData &frame = AddImage("IFPanel", kTypeFrame, &top);
    frame.SetPicture(1, &middle);
    frame.SetPicture(2, &bottom);
    CObjectData *panel = Add(kTypeFrame, "OFPanel", 0, 0, 20, 20);
    panel->SetImage("IFPanel");
    Paint();
    ASSERT_NE(panel->Cached(), nullptr);
    auto stale = std::make_unique<CachedPicture>(*panel->Cached());
    std::fill(stale->pixels.begin(), stale->pixels.end(), 0xFF);
    panel->SetCached(std::move(stale));
    EXPECT_EQ(Paint().GetPixel(5, 5), Rgb(255, 255, 255));
    // A frame's picture is made anew when its height changes.
    panel->SetHeight(24);
    EXPECT_EQ(Paint().GetPixel(5, 5), kBlue);
    EXPECT_EQ(panel->Cached()->height, 24);
    // Forgotten pictures are drawn afresh.
    panel->SetCached(std::make_unique<CachedPicture>(*panel->Cached()));
    kx::DialogPainter::ForgetPictures(*dialog);
    EXPECT_EQ(panel->Cached(), nullptr);
    // Once its definition has gone, the frame shows the placeholder of a name never defined,
    // not the picture it kept, and names no font.
    Paint();
    ASSERT_NE(panel->Cached(), nullptr);
    fp.project.Images().Take(&frame);
    const Surface orphan = Paint();
    EXPECT_EQ(orphan.GetPixel(5, 5), kx::kPlaceholderColour);
    EXPECT_EQ(panel->Cached(), nullptr);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DialogPainterTest, KeyColourPixelsLetTheBackgroundThrough)
{
    Surface picture = Filled(9, 10, kBlue);
    picture.FillRect(3, 0, 3, 10, kKey);
    AddImage("IBHole", kTypeButton, &picture);
    Add(kTypeButton, "OBHole", 0, 0, 9, 10)->SetImage("IBHole");
    const Surface s = Paint();
    EXPECT_EQ(s.GetPixel(1, 1), kBlue);
    EXPECT_EQ(s.GetPixel(4, 1), kx::kPatternDark);
    EXPECT_EQ(kxtest::CountColour(s, kKey), 0);
}

TEST_F(DialogPainterTest, LaterObjectsCoverEarlierOnesAndHiddenOnesDrawNothing)
{
    Add(kTypeButton, "OBUnder", 0, 0, 40, 40); // placeholder
    Add(kTypeCanvas, "OCOver", 20, 20, 40, 40);
    CObjectData *hidden = Add(kTypeCanvas, "OCHidden", 80, 0, 20, 20);
    hidden->SetHide(true);
    auto *group = static_cast<CObjectDataList *>(Add(kTypeGroup, "OGHidden", 0, 60, 0, 0));
    Add(kTypeCanvas, "OCInHidden", 0, 0, 20, 20, group);
    group->SetHide(true);
    const Surface s = Paint();
    EXPECT_EQ(s.GetPixel(10, 10), kx::kPlaceholderColour);
    EXPECT_EQ(s.GetPixel(30, 30), kx::kCanvasColour);
    EXPECT_EQ(kx::kCanvasColour, Rgb(255, 255, 255));
    EXPECT_EQ(s.GetPixel(85, 5), kx::kPatternDark);
    EXPECT_EQ(s.GetPixel(5, 65), kx::kPatternDark);
}

TEST_F(DialogPainterTest, PicturesAreStretchedFromTheirFile)
{
    Surface file(2, 2);
    file.SetPixel(0, 0, kBlue);
    file.SetPixel(1, 0, kGreen);
    file.SetPixel(0, 1, kKey);
    file.SetPixel(1, 1, kBlue);
    pictures->pictures[fp.project.ImagePath("p.png")] = file;
    Add(kTypePicture, "OPFile", 10, 10, 4, 4)->SetImageFile("p.png");
    Add(kTypeIcon, "OIMissing", 40, 10, 4, 4)->SetImageFile("absent.png");
    const Surface s = Paint();
    EXPECT_EQ(s.GetPixel(11, 11), kBlue);
    EXPECT_EQ(s.GetPixel(12, 11), kGreen);
    EXPECT_EQ(s.GetPixel(11, 12), kx::kPatternDark); // the key colour is a hole
    EXPECT_EQ(s.GetPixel(13, 13), kBlue);
    EXPECT_EQ(s.GetPixel(41, 11), kx::kPatternDark); // a missing file draws nothing
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DialogPainterTest, MovieWithoutSizeTakesTheSizeOfItsFile)
{
    pictures->pictures[fp.project.ImagePath("fan.gif")] = Filled(6, 5, kGreen);
    CObjectData *movie = Add(kTypeMovie, "OMFan", 10, 10, 0, 30);
    movie->SetImageFile("fan.gif");
    const Surface s = Paint();
    EXPECT_EQ(movie->Width(), 6);
    EXPECT_EQ(movie->Height(), 5);
    EXPECT_EQ(kxtest::CountColour(s, kGreen), 30);
    // A picture without a size stays as it is and draws nothing.
    CObjectData *picture = Add(kTypePicture, "OPNone", 50, 10, 0, 0);
    picture->SetImageFile("fan.gif");
    Paint();
    EXPECT_EQ(picture->Width(), 0);
}

TEST_F(DialogPainterTest, MissingFontsAreStoodInForByTheFirstAndReportedOnce)
{
    KX_REQUIRE_FONT(fp, "DejaVuSans.ttf");
    fp.AddFont("FFirst", "DejaVuSans.ttf", 12);
    fp.AddFont("FSecond", "DejaVuSans.ttf", 14);
    const Surface picture = Filled(30, 20, kBlue);
    CImageData &buttonImage = AddImage("IBNoFont", kTypeButton, &picture);
    buttonImage.SetFontName("FGone");
    CImageData &editImage = AddImage("IENoFont", kTypeEditbox, &picture);
    editImage.SetFontName("FLost");
    const Surface top = Filled(10, 4, kBlue);
    CImageData &frameImage = AddImage("IFNoFont", kTypeFrame, &top);
    frameImage.SetPicture(1, &top);
    frameImage.SetPicture(2, &top);
    frameImage.SetFontName("FAway");
    CObjectData *text = Add(kTypeText, "OTLabel", 0, 0, 60, 20);
    text->SetFont("FMissing");
    text->SetText("Hi");
    Add(kTypeButton, "OBGo", 0, 20, 40, 20)->SetImage("IBNoFont");
    Add(kTypeEditbox, "OEName", 40, 20, 40, 20)->SetImage("IENoFont");
    Add(kTypeFrame, "OFBox", 80, 20, 30, 30)->SetImage("IFNoFont");

    CFreeTypeFont fonts(fp.project, fp.messages);
    kx::DialogPainter painter(fp.project, fonts, fp.messages);
    Surface canvas(dialog->Width(), dialog->Height());
    painter.PaintDialog(canvas, *dialog);
    ASSERT_EQ(Messages().size(), 4u);
    EXPECT_EQ(Messages()[0].text,
        "テキストオブジェクト[OTLabel]の\n指定のフォント[FMissing]が見つかりませんでした。\n"
        "[FFirst]で代用します。正しく指定して下さい。");
    EXPECT_EQ(Messages()[1].text,
        "ボタン オブジェクト[OBGo]のイメージ[IBNoFont]の\n指定のフォント[FGone]が見つかりません"
        "でした。\n[FFirst]で代用します。正しく指定して下さい。");
    EXPECT_EQ(Messages()[2].text,
        "エディット ボックス オブジェクト[OEName]のイメージ[IENoFont]の\n指定のフォント[FLost]"
        "が見つかりませんでした。\n[FFirst]で代用します。正しく指定して下さい。");
    EXPECT_EQ(Messages()[3].text,
        "フレーム オブジェクト[OFBox]のイメージ[IFNoFont]の\n指定のフォント[FAway]が見つかりませ"
        "んでした。\n[FFirst]で代用します。正しく指定して下さい。");
    // A paint leaves the model as it is and tells each problem once, however often it paints.
    EXPECT_EQ(text->Font(), "FMissing");
    EXPECT_EQ(buttonImage.FontName(), "FGone");
    painter.PaintDialog(canvas, *dialog);
    EXPECT_EQ(Messages().size(), 4u);
    // The repair of a loaded dialog writes the substitutes into the model, without telling again.
    painter.Repair(*dialog);
    EXPECT_EQ(Messages().size(), 4u);
    EXPECT_EQ(text->Font(), "FFirst");
    EXPECT_EQ(buttonImage.FontName(), "FFirst");
    EXPECT_EQ(editImage.FontName(), "FFirst");
    EXPECT_EQ(frameImage.FontName(), "FFirst");
}

TEST_F(DialogPainterTest, ButtonTextIsLaidOutByTheObjectWhenItNamesAFont)
{
    // The device takes the object's own font, alignment and margins; the definition's only
    // when the object names no font of the project.
    KX_REQUIRE_FONT(fp, "DejaVuSans.ttf");
    fp.AddFont("FText", "DejaVuSans.ttf", 12);
    fp.AddFont("FLarge", "DejaVuSans.ttf", 18);
    const Surface picture = Filled(100, 30, kBlue);
    CImageData &image = AddImage("IBWide", kTypeButton, &picture);
    image.SetFontName("FText");
    CObjectData *button = Add(kTypeButton, "OBGo", 0, 0, 100, 30);
    button->SetImage("IBWide");
    button->SetText("Go");
    button->SetFont("FText");
    const Surface centred = Paint();

    button->SetAlignX(1);
    button->SetMarginX(6);
    const Surface ownLayout = Paint();
    EXPECT_FALSE(kxtest::SamePixels(centred, ownLayout));
    button->SetFont("FLarge");
    EXPECT_FALSE(kxtest::SamePixels(ownLayout, Paint()));

    // Without a font of its own the definition lays the text out: the same picture once the
    // definition says what the object said.
    button->SetFont("");
    EXPECT_TRUE(kxtest::SamePixels(centred, Paint()));
    image.SetAlignX(1);
    image.SetMarginX(6);
    EXPECT_TRUE(kxtest::SamePixels(ownLayout, Paint()));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DialogPainterTest, WithoutAnyFontTextsAreSilentlyLeftOut)
{
    CObjectData *text = Add(kTypeText, "OTLabel", 0, 0, 60, 20);
    text->SetFont("FMissing");
    text->SetText("Hi");
    EXPECT_TRUE(kxtest::SamePixels(Pattern(120, 80), Paint()));
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(text->Font(), "FMissing");
}

TEST_F(DialogPainterTest, StateOverrideDrawsTheStatePictureWhereThereIsOne)
{
    KX_REQUIRE_FONT(fp, "DejaVuSans.ttf");
    fp.AddFont("FBig", "DejaVuSans.ttf", 20);
    const Surface normal = Filled(30, 30, kBlue);
    const Surface active = Filled(30, 30, Rgb(40, 40, 40));
    CImageData &image = AddImage("IBStates", kTypeButton, &normal);
    image.SetPicture(2, &active); // Active
    image.SetFontName("FBig");
    image.SetSlotColour(0, "RED");
    image.SetSlotColour(2, "GREEN");
    CObjectData *button = Add(kTypeButton, "OBStates", 0, 0, 100, 30);
    button->SetImage("IBStates");
    button->SetText("HH");

    const Surface activeShot = Paint(2);
    EXPECT_EQ(activeShot.GetPixel(1, 1), Rgb(40, 40, 40));
    EXPECT_GT(kxtest::CountColour(activeShot, kGreen), 20);
    EXPECT_EQ(kxtest::CountColour(activeShot, Rgb(255, 0, 0)), 0);
    EXPECT_EQ(button->Cached(), nullptr); // state pictures are not kept
    // Disable (1) has no picture here: the normal one is drawn.
    const Surface disabled = Paint(1);
    EXPECT_EQ(disabled.GetPixel(1, 1), kBlue);
    EXPECT_GT(kxtest::CountColour(disabled, Rgb(255, 0, 0)), 20);
    EXPECT_TRUE(kxtest::SamePixels(Paint(), disabled));
}
