// Every project the writer writes reads back into the same model: generated projects with every
// object type and attribute, nested groups, Japanese and escaped texts, and duplicate names.
#include "model/object_data_list.h"
#include "model/project_context.h"
#include "model/vocabulary.h"
#include "platform/message_sink.h"
#include "projectfile/project_reader.h"
#include "projectfile/project_writer.h"

#include <gtest/gtest.h>

#include <random>

namespace {

class Generator {
public:
    explicit Generator(unsigned seed)
        : m_random(seed)
    { }

    void Fill(CProjectContext &project, bool duplicateNames)
    {
        m_duplicates = duplicateNames;
        project.Root().SetProjectName(Name("P"));
        for (int i = 0; i < Int(0, 3); ++i) {
            auto font = std::make_unique<CFontData>();
            font->SetName(Name("F"));
            font->SetFile(Pick({"a.ttf", "b&c.ttf", "ipag.ttf"}));
            font->SetSize(Int(-5, 80));
            font->SetEffect(Int(0, 4));
            font->SetBold(Int(0, 1));
            font->SetBoldEffect(Int(0, 1));
            font->SetFaceId(project.Fonts().NextFaceId());
            project.Fonts().Add(font);
        }
        for (int i = 0; i < Int(0, 4); ++i) {
            auto image = std::make_unique<CImageData>();
            image->SetType(Int(0, 2));
            image->SetName(Name("I"));
            for (int slot = 0; slot < kx::ImageSlotWords(image->Type()).Count(); ++slot) {
                if (Int(0, 2) == 0)
                    continue;
                image->SetSlotFile(slot, Pick({"n.png", "a<b>.gif", "x y.png"}), nullptr);
                if (slot == 0 || image->Type() != 2) {
                    image->SetSlotColour(slot, Colour());
                    image->SetSlotSubColour(slot, Colour());
                }
            }
            image->SetFontName(Pick({"", "F1", "Body"}));
            image->SetMarginX(Int(-3, 9));
            image->SetMarginY(Int(-3, 9));
            image->SetAlignX(Int(0, 2));
            image->SetAlignY(Int(0, 2));
            image->SetStretch(Int(0, 4));
            project.Images().Add(image);
        }
        for (int i = 0; i < Int(1, 3); ++i) {
            auto dialog = std::make_unique<CKXDialogData>("D", project.Prefixes());
            dialog->SetName(Name("D"));
            dialog->SetTitle(Text());
            dialog->SetPosition(Int(-100, 100), Int(-100, 100));
            dialog->SetSize(Int(1, 1000), Int(1, 1000));
            dialog->SetBackgroundColour(Pick({"KX_COL_WHITE", "RGB(0x1,0xa0,0xff)", "KX_COL_X&Y"}));
            FillGroup(*dialog->RootGroup(), 0);
            project.Dialogs().Add(dialog);
        }
    }

private:
    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    std::string Pick(std::initializer_list<const char *> choices)
    {
        return *(choices.begin() + Int(0, static_cast<int>(choices.size()) - 1));
    }
    std::string Name(const char *prefix)
    {
        if (m_duplicates && Int(0, 3) == 0)
            return std::string(prefix) + "Same";
        return std::string(prefix) + std::to_string(++m_counter);
    }
    std::string Colour() { return kx::NamedColours()[Int(0, 15)].name; }

    // CP932 text: ASCII (with & < > " and blanks), double-byte Japanese, half-width katakana.
    // Tabs, line ends and '@' are left out: the file does not keep them.
    std::string Text()
    {
        static const char *const pieces[] = {"OK", "a&b", "<x>", "\"q\"", " sp ",
            "\x93\xFA\x96\x7B", "\x83\x5C", "\xB1\xB2", "\x81\x40", "\\n", "5", "\x8C\xEA"};
        std::string text;
        for (int i = Int(0, 4); i > 0; --i)
            text += pieces[Int(0, static_cast<int>(std::size(pieces)) - 1)];
        return text;
    }

    void FillObject(CObjectData &o)
    {
        o.SetAttr(Int(0, 6));
        o.SetPosition(Int(-50, 500), Int(-50, 500));
        o.SetLock(Int(0, 1));
        o.SetHide(Int(0, 1));
        o.SetWidth(Int(0, 400));
        o.SetHeight(Int(0, 300));
        o.SetImage(Pick({"", "I1", "a&b"}));
        o.SetText(Text());
        o.SetGetText(Int(0, 1));
        o.SetFont(Pick({"F1", "Body", ""}));
        o.SetMarginX(Int(-5, 5));
        o.SetMarginY(Int(-5, 5));
        o.SetAlignX(Int(0, 2));
        o.SetAlignY(Int(0, 2));
        o.SetStretch(Int(0, 4));
        o.SetRepeat(Int(0, 1));
        o.SetPushClick(Int(0, 1));
        o.SetPushTime(Int(0, 2000));
        o.SetLinespace(Int(-2, 30));
        o.SetImageFile(Pick({"p.png", "m<1>.gif"}));
        o.SetTextCol(Colour());
        o.SetTextColSub(Colour());
        o.SetVertical(Int(0, 1));
        o.SetClick(Int(0, 1));
    }

    void FillGroup(CObjectDataList &group, int depth)
    {
        for (int i = Int(0, 6 - depth); i > 0; --i) {
            const int type = depth < 4 && Int(0, 4) == 0 ? kTypeGroup : Int(0, 7);
            CObjectData *child = group.CreateChild(type, Name("O"));
            if (type == kTypeGroup) {
                child->SetAttr(Int(0, 6));
                child->SetPosition(Int(-20, 200), Int(-20, 200));
                child->SetRadio(Int(0, 1));
                child->SetLock(Int(0, 1));
                child->SetHide(Int(0, 1));
                FillGroup(static_cast<CObjectDataList &>(*child), depth + 1);
            } else {
                FillObject(*child);
            }
        }
    }

    std::mt19937 m_random;
    bool m_duplicates = false;
    int m_counter = 0;
};

std::string Reload(const std::string &text, CProjectContext &into)
{
    kx::RecordingMessageSink messages;
    kx::ProjectReader reader(into, messages);
    EXPECT_TRUE(reader.ReadContent(text, "round-trip.xml"));
    EXPECT_FALSE(reader.ParseFailed()) << reader.LastError();
    EXPECT_TRUE(messages.Messages().empty());
    return kx::FormatProject(into);
}

} // namespace

TEST(RoundTripTest, WrittenProjectsReadBackUnchanged)
{
    for (unsigned seed = 1; seed <= 60; ++seed) {
        CProjectContext original;
        Generator(seed).Fill(original, false);
        const std::string written = kx::FormatProject(original);

        CProjectContext loaded;
        const std::string rewritten = Reload(written, loaded);
        ASSERT_EQ(rewritten, written) << "seed " << seed;
        ASSERT_EQ(loaded.Dialogs().Count(), original.Dialogs().Count());
        for (int d = 0; d < original.Dialogs().Count(); ++d) {
            const CKXDialogData &a = *original.Dialogs().At(d);
            const CKXDialogData &b = *loaded.Dialogs().At(d);
            EXPECT_TRUE(a.IsSameAs(b)) << "seed " << seed; // titles back in CP932
            EXPECT_EQ(a.ClassName(), b.ClassName());
            EXPECT_EQ(a.RootGroup()->CountNodes(), b.RootGroup()->CountNodes());
        }
    }
}

TEST(RoundTripTest, DuplicateNamesAreNumberedOnceAndThenStay)
{
    for (unsigned seed = 100; seed < 130; ++seed) {
        CProjectContext original;
        Generator(seed).Fill(original, true);
        CProjectContext first;
        const std::string once = Reload(kx::FormatProject(original), first);
        CProjectContext second;
        EXPECT_EQ(Reload(once, second), once) << "seed " << seed;
        // Within a dialog every object name is unique after reading, the root group excepted.
        for (const auto &dialog : second.Dialogs()) {
            CObjectDataList &root = *dialog->RootGroup();
            for (int i = 1; i < root.CountNodes(); ++i) {
                CObjectData *object = root.ObjectAt(i);
                EXPECT_EQ(root.FindByName(object->Name()), object) << object->Name();
            }
        }
    }
}

TEST(RoundTripTest, TruncatedFilesKeepWhatWasCompleteAndSaySo)
{
    CProjectContext original;
    Generator(7).Fill(original, false);
    const std::string written = kx::FormatProject(original);
    for (std::size_t cut = 0; cut < written.size(); cut += written.size() / 23 + 1) {
        CProjectContext loaded;
        kx::RecordingMessageSink messages;
        kx::ProjectReader reader(loaded, messages);
        // Cut before its root element has begun, the text is no project at all.
        const bool project = cut >= written.find("<root>") + 6;
        EXPECT_EQ(reader.ReadContent(written.substr(0, cut), "cut.xml"), project);
        EXPECT_EQ(reader.ParseFailed(), project) << "cut at " << cut;
        EXPECT_EQ(messages.Messages().size(), 1u);
        // Whatever was read is whole: the dialogs in the list are the original's first ones,
        // each with all its objects (a dialog joins the list only at its end).
        ASSERT_LE(loaded.Dialogs().Count(), original.Dialogs().Count());
        for (int i = 0; i < loaded.Dialogs().Count(); ++i) {
            EXPECT_EQ(loaded.Dialogs().At(i)->Name(), original.Dialogs().At(i)->Name());
            EXPECT_EQ(loaded.Dialogs().At(i)->RootGroup()->CountNodes(),
                original.Dialogs().At(i)->RootGroup()->CountNodes());
        }
    }
}
