#include "model/image_layout.h"

#include "model/image_data.h"
#include "model/object_data_list.h"
#include "model/project_context.h"

namespace kx {

bool AdoptImageLayout(CObjectData &object, const CProjectContext &project)
{
    const int type = object.Type();
    if ((type != kTypeButton && type != kTypeEditbox && type != kTypeFrame)
        || project.Fonts().FindByName(object.Font()))
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
        else if (concerns(*child) && AdoptImageLayout(*child, project))
            ++changed;
    }
    return changed;
}

} // namespace kx
