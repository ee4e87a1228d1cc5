#include "model/image_layout.h"

#include "model/image_data.h"
#include "model/object_data_list.h"
#include "model/project_context.h"

namespace kx {

namespace {

bool TakesImageLayout(int type)
{
    return type == kTypeButton || type == kTypeEditbox || type == kTypeFrame;
}

} // namespace

bool AdoptImageLayout(CObjectData &object, const CProjectContext &project)
{
    if (!TakesImageLayout(object.Type()) || project.Fonts().FindByName(object.Font()))
        return false;
    const CImageData *image = project.Images().FindByName(object.Image());
    if (!image)
        return false;
    if (object.Font() == image->FontName() && object.AlignX() == image->AlignX()
        && object.AlignY() == image->AlignY() && object.Stretch() == image->Stretch()
        && object.MarginX() == image->MarginX() && object.MarginY() == image->MarginY())
        return false;
    object.SetFont(image->FontName());
    object.SetAlignX(image->AlignX());
    object.SetAlignY(image->AlignY());
    object.SetStretch(image->Stretch());
    object.SetMarginX(image->MarginX());
    object.SetMarginY(image->MarginY());
    return true;
}

int AdoptImageLayouts(CObjectDataList &group, const CProjectContext &project,
    const std::function<bool(const CObjectData &)> &concerns)
{
    int changed = 0;
    for (CObjectData *child : group.Children()) {
        if (!child)
            continue;
        if (child->IsGroup())
            changed += AdoptImageLayouts(static_cast<CObjectDataList &>(*child), project, concerns);
        // The cheap test first: every edit runs this over the whole dialog.
        else if (TakesImageLayout(child->Type()) && concerns(*child)
            && AdoptImageLayout(*child, project))
            ++changed;
    }
    return changed;
}

} // namespace kx
