// Feeds arbitrary bytes to the project reader, as pasted CP932 text into a dialog and as the
// content of a project file, then checks that the trees it built hang together.
#include "model/object_data_list.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "projectfile/project_reader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace {

// Every child points back at its group and no branch is deeper than the reader allows.
void CheckTree(const CObjectDataList &group, int depth)
{
    if (depth > kx::ProjectReader::kMaxOpenGroups)
        std::abort();
    for (const CObjectData *child : group.Children()) {
        if (!child || child->Parent() != &group)
            std::abort();
        if (const CObjectDataList *inner = AsGroup(*child))
            CheckTree(*inner, depth + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    CProjectContext project;
    kx::RecordingMessageSink messages;
    kx::ProjectReader reader(project, messages);

    auto pasteTarget = std::make_unique<CKXDialogData>("Target", project.Prefixes());
    CKXDialogData *dialog = pasteTarget.get();
    project.Dialogs().Add(pasteTarget);

    // At most the parse error and the one message of what the read dropped or changed.
    reader.ReadText(input, *dialog);
    if (messages.Messages().size() > 2 || reader.ParseFailed() == reader.LastError().empty())
        std::abort();
    messages.Clear();
    const std::size_t dialogs = static_cast<std::size_t>(project.Dialogs().Count());
    if (reader.ReadContent(input, "fuzz.xml")) {
        if (messages.Messages().size() > 2 || reader.ParseFailed() == reader.LastError().empty())
            std::abort();
    } else if (messages.Messages().size() != 1 || reader.ParseFailed() || reader.LastError().empty()
        || static_cast<std::size_t>(project.Dialogs().Count()) != dialogs) {
        // No project: one message that says why, and the model as it was.
        std::abort();
    }

    if (project.Dialogs().At(0) != dialog)
        std::abort();
    for (const auto &each : project.Dialogs()) {
        if (!each->RootGroup()->IsRoot())
            std::abort();
        CheckTree(*each->RootGroup(), 1);
    }
    return 0;
}
