#include "ui/panels/resource_users.h"

#include "model/object_data_list.h"
#include "model/project_context.h"
#include "ui/support/qt_text.h"

#include <QCoreApplication>
#include <QStringList>

namespace kx::ui {

namespace {

int CountObjects(const CObjectData &object, const std::function<bool(const CObjectData &)> &uses)
{
    if (!object.IsGroup())
        return uses(object) ? 1 : 0;
    int count = 0;
    for (const CObjectData *child : static_cast<const CObjectDataList &>(object).Children())
        count += CountObjects(*child, uses);
    return count;
}

// How many objects of the project's dialogs use it, and the dialogs they are in.
struct Users {
    int objects = 0;
    QStringList dialogs;
};

Users ObjectUsers(
    const CProjectContext &project, const std::function<bool(const CObjectData &)> &uses)
{
    Users users;
    for (const auto &dialog : project.Dialogs()) {
        const int count = CountObjects(*dialog->RootGroup(), uses);
        if (count > 0) {
            users.objects += count;
            users.dialogs.append(FromUtf8(dialog->Name()));
        }
    }
    return users;
}

bool NamesTextFont(const CObjectData &object)
{
    switch (object.Type()) {
    case kTypeButton:
    case kTypeEditbox:
    case kTypeFrame:
    case kTypeText:
        return true;
    default:
        return false;
    }
}

} // namespace

QString FontDeleteQuestion(const CProjectContext &project, const CFontData &font)
{
    const std::string &name = font.Name();
    const Users users = ObjectUsers(
        project, [&name](const CObjectData &o) { return NamesTextFont(o) && o.Font() == name; });
    QStringList images;
    for (const auto &image : project.Images()) {
        if (image->FontName() == name)
            images.append(FromUtf8(image->Name()));
    }
    if (users.objects == 0 && images.isEmpty())
        return {};
    QStringList uses;
    if (users.objects > 0)
        uses.append(QCoreApplication::translate(
            "ResourceUsers", "%n 個のオブジェクト (ダイアログ %1)", nullptr, users.objects)
                        .arg(users.dialogs.join(QStringLiteral(", "))));
    const int imageCount = static_cast<int>(images.size());
    if (imageCount > 0)
        uses.append(QCoreApplication::translate(
            "ResourceUsers", "%n 個のイメージ定義 (%1)", nullptr, imageCount)
                        .arg(images.join(QStringLiteral(", "))));
    return QCoreApplication::translate(
        "ResourceUsers", "フォント定義「%1」は %2 で使われています。\n削除しますか？")
        .arg(FromUtf8(name), uses.join(QCoreApplication::translate("ResourceUsers", "と")));
}

QString ImageDeleteQuestion(const CProjectContext &project, const CImageData &image)
{
    const std::string &name = image.Name();
    const Users users = ObjectUsers(project, [&name](const CObjectData &o) {
        return (o.Type() == kTypeButton || o.Type() == kTypeEditbox || o.Type() == kTypeFrame)
            && o.Image() == name;
    });
    if (users.objects == 0)
        return {};
    return QCoreApplication::translate(
        "ResourceUsers", "イメージ定義「%1」は %2 で使われています。\n削除しますか？")
        .arg(FromUtf8(name),
            QCoreApplication::translate(
                "ResourceUsers", "%n 個のオブジェクト (ダイアログ %1)", nullptr, users.objects)
                .arg(users.dialogs.join(QStringLiteral(", "))));
}

QString DialogDeleteQuestion(const CKXDialogData &dialog)
{
    const int objects = CountObjects(*dialog.RootGroup(), [](const CObjectData &) { return true; });
    if (objects == 0)
        return {};
    return QCoreApplication::translate("ResourceUsers",
        "ダイアログ「%1」には %n 個のオブジェクトがあります。\nオブジェクトごと削除しますか？",
        nullptr, objects)
        .arg(FromUtf8(dialog.Name()));
}

} // namespace kx::ui
