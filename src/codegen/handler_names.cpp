#include "codegen/handler_names.h"

#include "model/kx_dialog_data.h"
#include "model/object_data.h"

namespace kx {

namespace {

constexpr DialogHandler kHandlers[] = {
    {"DownButton", "(KXHandle handleobj,int act)"},
    {"UpButton", "(KXHandle handleobj,int act)"},
    {"ClickButton", "(KXHandle handleobj,int act)"},
    {"MoveCursor", "(int x,int y,int act)"},
};

} // namespace

const DialogHandler &HandlerOf(DialogEvent event)
{
    return kHandlers[static_cast<int>(event)];
}

std::string HandlerName(const CKXDialogData &dialog, DialogEvent event)
{
    return dialog.ClassName() + "::" + std::string(HandlerOf(event).name.Text());
}

bool HasClickCase(const CObjectData &object)
{
    return !object.IsGroup() && object.Click();
}

} // namespace kx
