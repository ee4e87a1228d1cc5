// Dialogs, font definitions and image definitions as the project-file reader fills them.
#include "model/object_data_list.h"
#include "model/project_context.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

// A cache that hands out pictures by path and counts the look-ups.
class FakeCache : public kx::IPictureCache {
public:
    struct Picture : kx::IPicture {
        int Width() const override { return 4; }
        int Height() const override { return 2; }
        const std::uint8_t *Row(int) const override { return nullptr; }
    };
    const kx::IPicture *Find(const std::string &path) override
    {
        paths.push_back(path);
        if (path.ends_with("missing.png"))
            return nullptr;
        return &pictures[path];
    }
    std::vector<std::string> paths;
    std::map<std::string, Picture> pictures;
};

} // namespace

TEST(DialogDataTest, AttributesFromTheProjectFile)
{
    const kx::PrefixSettings prefixes;
    CKXDialogData dialog("D", prefixes);
    EXPECT_EQ(CKXDialogData::ElementIndex("Name"), kDlgName);
    EXPECT_EQ(CKXDialogData::ElementIndex("ColorBG"), kDlgColorBG);
    EXPECT_EQ(CKXDialogData::ElementIndex("colorbg"), -1);

    dialog.ApplyAttribute(kDlgName, "Main");
    EXPECT_EQ(dialog.DesignSourceFile(), "DlgMainDesign.cpp");
    dialog.ApplyAttribute(kDlgTitle, "\xE6\x97\xA5\xE6\x9C\xAC"); // "日本" in UTF-8
    EXPECT_EQ(dialog.Title(), "\x93\xFA\x96\x7B"); // held as CP932
    dialog.ApplyAttribute(kDlgColorBG, "WHITE");
    EXPECT_EQ(dialog.BackgroundColour(), "KX_COL_WHITE");
    dialog.ApplyAttribute(kDlgColorBG, "RGB(0x0,0x0,0xff)");
    EXPECT_EQ(dialog.BackgroundColour(), "RGB(0x0,0x0,0xff)");
    dialog.ApplyAttribute(kDlgSize, "320,240");
    EXPECT_EQ(dialog.Width(), 320);
    dialog.ApplyAttribute(kDlgPosition, "10");
    EXPECT_EQ(dialog.X(), 0);
    EXPECT_EQ(dialog.Y(), 0);
    dialog.ApplyAttribute(1, "ignored");
    EXPECT_EQ(dialog.Name(), "Main");
}

TEST(DialogDataTest, CopiesAndComparisonsCoverTheOwnPropertiesOnly)
{
    const kx::PrefixSettings prefixes;
    CKXDialogData a("A", prefixes);
    CKXDialogData b("B", prefixes);
    b.SetName("B");
    b.SetSize(100, 50);
    b.SetTreeExpanded(true);

    a.CopyFrom(b);
    EXPECT_EQ(a.Name(), "B");
    EXPECT_EQ(a.Width(), 100);
    EXPECT_EQ(a.Serial(), b.Serial());
    EXPECT_EQ(a.ClassName(), "DlgA"); // derived names are not copied
    EXPECT_EQ(a.HeaderFile(), "");
    EXPECT_NE(a.RootGroup(), b.RootGroup());

    CKXDialogData c("B", prefixes);
    c.SetSize(100, 50);
    EXPECT_TRUE(c.IsSameAs(b)); // tree flag and serial differ: still the same
    c.SetTitle("x");
    EXPECT_FALSE(c.IsSameAs(b));
}

TEST(FontDataTest, DefaultsAttributesAndFaceIdentifiers)
{
    CNameIdList ids;
    CFontData font;
    EXPECT_EQ(font.Size(), 16);
    EXPECT_EQ(font.Effect(), 0);
    EXPECT_EQ(font.FaceId(), 100);
    EXPECT_EQ(font.Transform(), CFontData::kIdentity);

    font.ApplyAttribute(kFontId, "7", ids); // before the name: an entry with an empty name
    font.ApplyAttribute(CFontData::ElementIndex("Name"), "F1", ids);
    font.ApplyAttribute(kFontEffect, "font_effect_outline", ids);
    EXPECT_EQ(font.Effect(), 2);
    font.ApplyAttribute(kFontEffect, "OUTLINE", ids);
    EXPECT_EQ(font.Effect(), 2);
    font.ApplyAttribute(kFontBold, "on", ids);
    EXPECT_TRUE(font.Bold());
    font.ApplyAttribute(kFontBold, "TRUE", ids);
    EXPECT_FALSE(font.Bold());
    font.ApplyAttribute(kFontSize, "12px", ids);
    EXPECT_EQ(font.Size(), 12);
    font.ApplyAttribute(kFontSize, "px12", ids);
    EXPECT_EQ(font.Size(), 0);
    font.ApplyAttribute(kFontId, "8", ids);
    EXPECT_EQ(ids.NameOfId(7), "");
    EXPECT_EQ(ids.NameOfId(8), "F1");
    EXPECT_EQ(font.Name(), "F1"); // "Id" changes nothing of the definition

    const CFontData copy(font);
    EXPECT_EQ(copy.Serial(), font.Serial());
    EXPECT_EQ(copy.Size(), 0);

    CFontDataList list;
    EXPECT_EQ(list.NextFaceId(), 100);
    auto first = std::make_unique<CFontData>(font);
    first->SetFaceId(list.NextFaceId());
    list.Add(first);
    auto second = std::make_unique<CFontData>();
    second->SetName("F2");
    second->SetFaceId(105);
    list.Add(second);
    EXPECT_EQ(list.NextFaceId(), 106);
}

TEST(ImageDataTest, ElementsSlotsAndPictures)
{
    CProjectContext project;
    auto owned = std::make_unique<FakeCache>();
    FakeCache &cache = *owned;
    project.SetPictureCache(std::move(owned));
    project.SetProjectFolder("/p");
    project.NameIds().Add(kNameIdFont, "Body", 4);

    CImageData image;
    EXPECT_EQ(CImageData::ElementIndex("Top"), CImageData::ElementIndex("Normal"));
    EXPECT_EQ(CImageData::ElementIndex("Bottom"), kImgSlotFile + 2);
    EXPECT_EQ(CImageData::ElementIndex("Margin"), kImgMarginX);
    EXPECT_EQ(CImageData::ElementIndex("Align"), kImgAlignX);
    EXPECT_EQ(CImageData::ElementIndex("ActPushColSub"), 20);
    EXPECT_EQ(CImageData::ElementIndex("top"), -1);
    EXPECT_EQ(CImageData::ElementIndex("TopCol"), kImgSlotColour);
    EXPECT_EQ(CImageData::ElementIndex("TopColSub"), kImgSlotSubColour);

    image.ApplyAttribute(kImgType, "editbox", project);
    EXPECT_EQ(image.Type(), 1);
    image.ApplyAttribute(kImgType, "Dialog", project);
    EXPECT_EQ(image.Type(), 1);
    image.ApplyAttribute(CImageData::ElementIndex("Push"), "push.png", project);
    EXPECT_EQ(image.SlotFile(4), "push.png"); // kept even where an edit box has no such slot
    image.ApplyAttribute(CImageData::ElementIndex("Normal"), "n.png", project);
    EXPECT_EQ(cache.paths.back(), "/p/resources/n.png");
    EXPECT_NE(image.Picture(0), nullptr);
    image.ApplyAttribute(CImageData::ElementIndex("Normal"), "missing.png", project);
    EXPECT_EQ(image.Picture(0), nullptr);
    EXPECT_EQ(image.SlotFile(0), "missing.png"); // the name stays for saving

    image.ApplyAttribute(CImageData::ElementIndex("NormalCol"), "WHITE", project);
    EXPECT_EQ(image.DrawingColour(0), 0xFFFFFFu);
    image.ApplyAttribute(CImageData::ElementIndex("NormalColSub"), "white", project);
    EXPECT_EQ(image.DrawingSubColour(0), 0u);
    image.ApplyAttribute(kImgFontId, "4", project);
    EXPECT_EQ(image.FontName(), "Body");
    image.ApplyAttribute(kImgFontId, "5", project);
    EXPECT_EQ(image.FontName(), "");
    image.ApplyAttribute(kImgAlignY, "bottom", project);
    EXPECT_EQ(image.AlignY(), 2);
    image.ApplyAttribute(kImgStretch, "Sideways", project);
    EXPECT_EQ(image.Stretch(), 0);

    // Two definitions naming one file share the cache's picture.
    CImageData other;
    other.SetSlotFile(0, "n.png", &project);
    CImageData again;
    again.SetSlotFile(0, "n.png", &project);
    EXPECT_EQ(other.Picture(0), again.Picture(0));
    // Without a project the name is kept and nothing is resolved.
    again.SetSlotFile(1, "x.png", nullptr);
    EXPECT_EQ(again.SlotFile(1), "x.png");
    EXPECT_EQ(again.Picture(1), nullptr);
}
