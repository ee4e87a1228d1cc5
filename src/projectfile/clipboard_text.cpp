#include "projectfile/clipboard_text.h"

#include "model/object_data_list.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "projectfile/project_reader.h"

#include <memory>
#include <vector>

namespace kx {

namespace {

// Stand-ins at canvas positions for what is selected. A group that is wholly selected stands for
// all it holds; its stand-in shares its children, which keep their places inside it.
void CollectSelected(const CObjectDataList &group, CObjectDataList &into,
    std::vector<std::unique_ptr<CObjectData>> &keep)
{
    for (CObjectData *child : group.Children()) {
        if (child->IsSelected() && (!child->IsGroup() || child->CountSelected() > 0)) {
            std::unique_ptr<CObjectData> copy = child->IsGroup()
                ? std::unique_ptr<CObjectData>(std::make_unique<CObjectDataList>(nullptr))
                : std::make_unique<CObjectData>(nullptr);
            copy->CopyFrom(*child);
            copy->SetParent(&into);
            copy->SetPosition(child->AbsoluteX(), child->AbsoluteY());
            into.AddChild(copy.get());
            keep.push_back(std::move(copy));
        } else if (child->IsGroup()) {
            CollectSelected(static_cast<const CObjectDataList &>(*child), into, keep);
        }
    }
}

// Gives every object under the pasted group whose name another resource of the project has a
// free name of its type; the names given count as taken for the objects after them.
void FreeNames(CObjectData &object, const CProjectContext &project, TakenNames &taken)
{
    static constexpr PrefixIndex kPrefixes[]
        = {kPrefixOB, kPrefixOE, kPrefixOF, kPrefixOP, kPrefixOI, kPrefixOM, kPrefixOC, kPrefixOT};
    if (taken.Contains(object.Name())) {
        const int type = object.Type();
        const std::string prefix = type >= 0 && type < 8
            ? UsablePrefix(project.Prefixes(), kPrefixes[type])
            : object.Name();
        object.SetName(object.IsGroup() ? taken.FreeGroupName() : taken.Free(prefix));
    }
    taken.Add(object.Name());
    if (object.IsGroup()) {
        for (CObjectData *child : static_cast<CObjectDataList &>(object).Children())
            FreeNames(*child, project, taken);
    }
}

} // namespace

std::string FormatSelectionText(const CObjectDataList &root, const CImageDataList *images)
{
    CObjectDataList outer(nullptr);
    outer.SetName(CObjectDataList::kRootName);
    std::vector<std::unique_ptr<CObjectData>> keep;
    CollectSelected(root, outer, keep);
    std::string text;
    if (keep.empty())
        return text;
    for (const auto &copy : keep) {
        if (!copy->IsGroup())
            copy->SetSelected(true); // the group stand-ins share children that are selected
    }
    outer.AppendSelectionXml(text, images);
    return text;
}

CObjectDataList *PasteSelectionText(std::string_view cp932Text, CKXDialogData &dialog,
    CProjectContext &project, IMessageSink &messages)
{
    CObjectDataList *root = dialog.RootGroup();
    const int before = root->ChildCount();
    const int fonts = project.Fonts().Count();
    const int images = project.Images().Count();
    ProjectReader reader(project, messages);
    const bool read = reader.ReadText(cp932Text, dialog);
    // Only objects come in this way: font or image definitions the text holds (a definition
    // copied from the panel) are taken out again, since they are pasted as definitions, each
    // a step of its own, and would otherwise join the project unrecorded.
    while (project.Fonts().Count() > fonts)
        project.Fonts().Take(project.Fonts().At(project.Fonts().Count() - 1));
    while (project.Images().Count() > images)
        project.Images().Take(project.Images().At(project.Images().Count() - 1));
    CObjectDataList *pasted = nullptr;
    if (read && !reader.ParseFailed() && root->ChildCount() == before + 1
        && root->ChildAt(before)->IsGroup())
        pasted = static_cast<CObjectDataList *>(root->ChildAt(before));
    if (!pasted || pasted->ChildCount() == 0) {
        // Nothing usable arrived: whatever the reader left is taken out again.
        while (root->ChildCount() > before) {
            CObjectData *extra = root->ChildAt(root->ChildCount() - 1);
            root->RemoveChild(extra);
            kx::DeleteTree(extra);
        }
        return nullptr;
    }
    TakenNames taken(project, pasted);
    pasted->SetName(taken.FreeGroupName());
    taken.Add(pasted->Name());
    for (CObjectData *child : pasted->Children())
        FreeNames(*child, project, taken);
    root->DeselectAll();
    pasted->SetSelected(true);
    return pasted;
}

ClipboardContent ClipboardTextContent(std::string_view utf8Text)
{
    std::string_view rest = utf8Text;
    if (rest.starts_with("\xEF\xBB\xBF"))
        rest.remove_prefix(3);
    // Blanks, an XML declaration and comments may come before the first element.
    for (;;) {
        const std::size_t start = rest.find_first_not_of(" \t\r\n");
        if (start == std::string_view::npos)
            return ClipboardContent::None;
        rest.remove_prefix(start);
        std::string_view close;
        if (rest.starts_with("<?"))
            close = "?>";
        else if (rest.starts_with("<!--"))
            close = "-->";
        else
            break;
        const std::size_t end = rest.find(close);
        if (end == std::string_view::npos)
            return ClipboardContent::None;
        rest.remove_prefix(end + close.size());
    }
    if (!rest.starts_with('<'))
        return ClipboardContent::None;
    rest.remove_prefix(1);
    const std::string_view name = rest.substr(0, rest.find_first_of(" \t\r\n/>"));
    if (name == "Objects" || name == "Object")
        return ClipboardContent::Objects;
    if (name == "Dialog")
        return ClipboardContent::Dialog;
    if (name == "Image" || name == "Font")
        return ClipboardContent::Definitions;
    return ClipboardContent::None;
}

bool IsDialogText(std::string_view utf8Text)
{
    return utf8Text.find("<Dialog>") != std::string_view::npos;
}

CKXDialogData *PasteDialogText(
    std::string_view utf8Text, CProjectContext &project, IMessageSink &messages)
{
    if (!IsDialogText(utf8Text))
        return nullptr;
    std::string file = "<?xml version=\"1.0\"?>\n<root>\n\t<Dialogs>\n";
    file += utf8Text;
    file += "\t</Dialogs>\n</root>\n";
    // Read apart, so that a dialog named like one of the project's is not dropped.
    CProjectContext read;
    read.Prefixes() = project.Prefixes();
    read.SetProjectFolder(project.ProjectFolder());
    ProjectReader reader(read, messages);
    if (!reader.ReadContent(file, "") || reader.ParseFailed() || read.Dialogs().Count() != 1)
        return nullptr;
    std::unique_ptr<CKXDialogData> dialog = read.Dialogs().Take(read.Dialogs().At(0));
    dialog->UsePrefixes(project.Prefixes());
    dialog->SetName(project.UniqueName(dialog->Name().empty() ? "D" : dialog->Name()));
    CKXDialogData *pasted = dialog.get();
    return project.Dialogs().Add(dialog) >= 0 ? pasted : nullptr;
}

int PasteDefinitionText(std::string_view utf8Text, CProjectContext &project, IMessageSink &messages)
{
    // An image definition names its font in a Font element of its own: Image decides.
    const bool images = utf8Text.find("<Image>") != std::string_view::npos;
    const bool fonts = !images && utf8Text.find("<Font>") != std::string_view::npos;
    if (!images && !fonts)
        return 0;
    std::string file = "<?xml version=\"1.0\"?>\n<root>\n";
    file += images ? "\t<Images>\n" : "\t<Fonts>\n";
    file += utf8Text;
    file += images ? "\t</Images>\n" : "\t</Fonts>\n";
    file += "</root>\n";
    CProjectContext read;
    read.SetProjectFolder(project.ProjectFolder());
    ProjectReader reader(read, messages);
    if (!reader.ReadContent(file, "") || reader.ParseFailed())
        return 0;
    int added = 0;
    if (images) {
        while (CImageData *first = read.Images().At(0)) {
            std::unique_ptr<CImageData> image = read.Images().Take(first);
            image->SetName(project.UniqueName(image->Name().empty() ? "IB" : image->Name()));
            // The pictures are found through this project's cache.
            for (int slot = 0; slot < kx::kMaxImageSlots; ++slot)
                image->SetSlotFile(slot, std::string(image->SlotFile(slot)), &project);
            added += project.Images().Add(image) >= 0;
        }
    } else {
        while (CFontData *first = read.Fonts().At(0)) {
            std::unique_ptr<CFontData> font = read.Fonts().Take(first);
            font->SetName(project.UniqueName(font->Name().empty() ? "F" : font->Name()));
            font->SetFaceId(project.Fonts().NextFaceId());
            added += project.Fonts().Add(font) >= 0;
        }
    }
    return added;
}

} // namespace kx
