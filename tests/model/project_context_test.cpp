// The resource root, the three lists, lookups across all kinds, rename propagation and discard.
#include "model/object_data_list.h"
#include "model/project_context.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

CFontData *AddFont(CProjectContext &project, const char *name)
{
    auto font = std::make_unique<CFontData>();
    font->SetName(name);
    CFontData *raw = font.get();
    return project.Fonts().Add(font) >= 0 ? raw : nullptr;
}

CImageData *AddImage(CProjectContext &project, const char *name, const char *fontName = "")
{
    auto image = std::make_unique<CImageData>();
    image->SetName(name);
    image->SetFontName(fontName);
    CImageData *raw = image.get();
    return project.Images().Add(image) >= 0 ? raw : nullptr;
}

CKXDialogData *AddDialog(CProjectContext &project, const char *name)
{
    auto dialog = std::make_unique<CKXDialogData>(name, project.Prefixes());
    CKXDialogData *raw = dialog.get();
    return project.Dialogs().Add(dialog) >= 0 ? raw : nullptr;
}

struct Observer : kx::IProjectObserver {
    explicit Observer(CProjectContext &p)
        : project(p)
    { }
    void CloseAllDialogWindows() override
    {
        calls += "close:" + std::to_string(project.Dialogs().Count()) + " ";
    }
    void ClearResourcePanel() override
    {
        calls += "clear:" + std::to_string(project.Dialogs().Count()) + " ";
    }
    CProjectContext &project;
    std::string calls;
};

} // namespace

TEST(ResourceRootTest, ApplicationClassNameFollowsTheNameNotThePrefix)
{
    CProjectContext project;
    EXPECT_EQ(project.Root().ProjectName(), "Name");
    EXPECT_EQ(project.Root().AppClassName(), "AppName");

    project.Prefixes().Set(kx::kPrefixApp, "My");
    EXPECT_EQ(project.Root().AppClassName(), "AppName");
    project.Root().SetProjectName("Demo");
    EXPECT_EQ(project.Root().AppClassName(), "MyDemo");
}

TEST(ResourceRootTest, PrefixDefaults)
{
    const kx::PrefixSettings prefixes;
    EXPECT_EQ(prefixes.Get(kx::kPrefixApp), "App");
    EXPECT_EQ(prefixes.Get(kx::kPrefixOT), "OT");
    EXPECT_EQ(prefixes.Get(kx::kPrefixFNT), "F");
    EXPECT_EQ(prefixes.Get(kx::kPrefixDID), "D");
    EXPECT_STREQ(kx::PrefixRows()[kx::kPrefixFNT].key, "FNT");
    EXPECT_STREQ(kx::PrefixRows()[kx::kPrefixDID].element, "PrefixDID");
}

TEST(ResourceListTest, AddRefusesTakenNamesAndLeavesTheElementWithTheCaller)
{
    CProjectContext project;
    ASSERT_TRUE(AddFont(project, "F1"));

    auto twin = std::make_unique<CFontData>();
    twin->SetName("F1");
    EXPECT_EQ(project.Fonts().Add(twin), -1);
    ASSERT_TRUE(twin); // still ours
    EXPECT_EQ(project.Fonts().Count(), 1);

    twin->SetName("f1"); // letter case makes a different name
    EXPECT_EQ(project.Fonts().Add(twin), 1);
    EXPECT_FALSE(twin);
    EXPECT_EQ(project.Fonts().FindByName("f1"), project.Fonts().At(1));
    EXPECT_EQ(project.Fonts().FindByName("F2"), nullptr);
}

TEST(ResourceListTest, DialogListRefusesTakenNamesAndClears)
{
    CProjectContext project;
    ASSERT_TRUE(AddDialog(project, "D1"));
    ASSERT_TRUE(AddDialog(project, "D2"));
    EXPECT_EQ(AddDialog(project, "D1"), nullptr);
    project.Dialogs().Clear();
    EXPECT_TRUE(project.Dialogs().IsEmpty());
    EXPECT_TRUE(AddDialog(project, "D1"));
}

TEST(ProjectContextTest, FindResourceByNameSearchesFontsImagesDialogsThenObjects)
{
    CProjectContext project;
    CKXDialogData *d1 = AddDialog(project, "Same");
    CKXDialogData *d2 = AddDialog(project, "D2");
    CObjectData *inFirst = d1->RootGroup()->CreateChild(kTypeButton, "OB1");
    CObjectData *inSecond = d2->RootGroup()->CreateChild(kTypeText, "OB1");
    (void)inSecond;

    EXPECT_EQ(project.FindResourceByName("Same"), d1);
    EXPECT_EQ(project.FindResourceByName("OB1"), inFirst);

    CImageData *image = AddImage(project, "Same");
    EXPECT_EQ(project.FindResourceByName("Same"), image);
    CFontData *font = AddFont(project, "Same");
    EXPECT_EQ(project.FindResourceByName("Same"), font);

    EXPECT_EQ(project.FindResourceByName("same"), nullptr);
    EXPECT_EQ(project.FindResourceByName("OGROOT"), d1->RootGroup());
}

TEST(ProjectContextTest, RenamesReachImagesAndNestedObjects)
{
    CProjectContext project;
    CImageData *uses = AddImage(project, "IB1", "F1");
    CImageData *other = AddImage(project, "IB2", "F9");
    CKXDialogData *dialog = AddDialog(project, "D1");
    auto *group = static_cast<CObjectDataList *>(dialog->RootGroup()->CreateChild(kTypeGroup, "G"));
    CObjectData *button = group->CreateChild(kTypeButton, "OB1");
    button->SetFont("F1");
    button->SetImage("IB1");
    button->SetCached(std::make_unique<CachedPicture>());

    project.RenameFontReference("F1", "Body");
    EXPECT_EQ(uses->FontName(), "Body");
    EXPECT_EQ(other->FontName(), "F9");
    EXPECT_EQ(button->Font(), "Body");

    project.RenameImageReference("IB1", "IBNew");
    EXPECT_EQ(button->Image(), "IBNew");
    EXPECT_EQ(button->Cached(), nullptr); // a new image means a new picture
    EXPECT_EQ(uses->Name(), "IB1"); // definitions are renamed by the panel, not here
}

TEST(ProjectContextTest, DiscardAllEmptiesTheModelAndKeepsNameAndPrefixes)
{
    CProjectContext project;
    Observer observer(project);
    project.AddObserver(&observer);

    project.DiscardAll(); // on an empty model
    EXPECT_EQ(observer.calls, "close:0 clear:0 ");

    project.Root().SetProjectName("Demo");
    project.Root().SetProjectFilePath("/tmp/demo.xml");
    project.Prefixes().Set(kx::kPrefixDID, "Scr");
    project.SetProjectFolder("/tmp/demo");
    project.NameIds().Add(kNameIdFont, "F1", 3);
    AddFont(project, "F1");
    AddImage(project, "IB1");
    AddDialog(project, "D1");

    observer.calls.clear();
    project.DiscardAll();
    // Windows close while the dialogs still exist; the panel empties once they are gone.
    EXPECT_EQ(observer.calls, "close:1 clear:0 ");
    EXPECT_TRUE(project.Fonts().IsEmpty());
    EXPECT_TRUE(project.Images().IsEmpty());
    EXPECT_TRUE(project.Dialogs().IsEmpty());
    EXPECT_EQ(project.NameIds().Count(), 0);
    EXPECT_EQ(project.ProjectFolder(), "");
    EXPECT_EQ(project.Root().ProjectName(), "Demo");
    EXPECT_EQ(project.Root().ProjectFilePath(), "/tmp/demo.xml");
    EXPECT_EQ(project.Prefixes().Get(kx::kPrefixDID), "Scr");

    project.RemoveObserver(&observer);
    observer.calls.clear();
    project.DiscardAll();
    EXPECT_EQ(observer.calls, "");
}

TEST(ProjectContextTest, ProjectFolderAndResourcePaths)
{
    CProjectContext project;
    project.SetProjectFolder("/home/dev/demo");
    EXPECT_EQ(project.ProjectFolder(), "/home/dev/demo/");
    EXPECT_EQ(project.ImagePath("ok.png"), "/home/dev/demo/resources/ok.png");
    EXPECT_EQ(project.FontPath("ipag.ttf"), "/home/dev/demo/fonts/ipag.ttf");

    // Names stay inside their folders; a subfolder and a name merely holding dots are fine.
    EXPECT_EQ(project.ImagePath("icons/ok.png"), "/home/dev/demo/resources/icons/ok.png");
    EXPECT_EQ(project.ImagePath("..ok..png"), "/home/dev/demo/resources/..ok..png");
    for (const char *name : {"../../outside.png", "/etc/passwd", "..", "a/../../b.png", "icons/..",
             "../fonts/ipag.ttf"}) {
        EXPECT_EQ(project.ImagePath(name), "") << name;
        EXPECT_EQ(project.FontPath(name), "") << name;
    }
    // Each refused name is handed out once, in the order met.
    EXPECT_EQ(project.TakeRefusedFileNames(),
        (std::vector<std::string> {"../../outside.png", "/etc/passwd", "..", "a/../../b.png",
            "icons/..", "../fonts/ipag.ttf"}));
    EXPECT_EQ(project.FontPath("/etc/passwd"), "");
    EXPECT_TRUE(project.TakeRefusedFileNames().empty());
    // After everything is discarded, a new project is told again.
    project.DiscardAll();
    EXPECT_FALSE(project.AcceptsFileName("/etc/passwd"));
    EXPECT_EQ(project.TakeRefusedFileNames(), std::vector<std::string> {"/etc/passwd"});
}

TEST(ProjectContextTest, TreeShowsRootDialogsAndObjects)
{
    struct Sink : kx::ITreeSink {
        kx::TreeItem InsertItem(
            kx::TreeItem parent, kx::TreeItem, const std::string &label, KXClass *) override
        {
            lines.push_back(std::to_string(parent) + ">" + label);
            return lines.size();
        }
        void SetExpanded(kx::TreeItem item, bool expanded) override
        {
            if (expanded)
                lines.push_back("expand " + std::to_string(item));
        }
        std::vector<std::string> lines;
    } sink;

    CProjectContext project;
    project.Root().SetProjectName("Demo");
    CKXDialogData *dialog = AddDialog(project, "Main");
    dialog->RootGroup()->CreateChild(kTypeButton, "OK");
    AddDialog(project, "Sub");

    project.Root().AddToTree(sink);
    const std::vector<std::string> expected {
        "0>Root = Demo", "1>Main", "2>Button = OK", "1>Sub", "expand 1"};
    EXPECT_EQ(sink.lines, expected);
}
