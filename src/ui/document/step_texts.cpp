#include "ui/document/step_texts.h"

#include "ui/support/qt_text.h"

#include <QCoreApplication>

namespace kx::ui {

namespace {

QString ActionText(StepAction action)
{
    switch (action) {
    case StepAction::Add:
        return QCoreApplication::translate("StepTexts", "追加");
    case StepAction::Delete:
        return QCoreApplication::translate("StepTexts", "削除");
    case StepAction::Cut:
        return QCoreApplication::translate("StepTexts", "切り取り");
    case StepAction::Paste:
        return QCoreApplication::translate("StepTexts", "貼り付け");
    case StepAction::Rename:
        return QCoreApplication::translate("StepTexts", "名前の変更");
    case StepAction::Move:
        return QCoreApplication::translate("StepTexts", "移動");
    case StepAction::Edit:
        return QCoreApplication::translate("StepTexts", "変更");
    case StepAction::Group:
        return QCoreApplication::translate("StepTexts", "グループ化");
    case StepAction::Ungroup:
        return QCoreApplication::translate("StepTexts", "グループ解除");
    case StepAction::Align:
        return QCoreApplication::translate("StepTexts", "整列");
    }
    return {};
}

QString SubjectText(StepSubject subject)
{
    switch (subject) {
    case StepSubject::Project:
        return QCoreApplication::translate("StepTexts", "プロジェクト");
    case StepSubject::Dialog:
        return QCoreApplication::translate("StepTexts", "ダイアログ");
    case StepSubject::Font:
        return QCoreApplication::translate("StepTexts", "フォント");
    case StepSubject::Image:
        return QCoreApplication::translate("StepTexts", "イメージ");
    case StepSubject::Objects:
        return QCoreApplication::translate("StepTexts", "オブジェクト");
    case StepSubject::Object:
    case StepSubject::None:
        break;
    }
    return {};
}

} // namespace

QString StepText(const StepLabel &label)
{
    const QString action = ActionText(label.action);
    const QString subject = SubjectText(label.subject);
    const QString name = FromUtf8(label.name);
    if (!subject.isEmpty() && !name.isEmpty())
        return QCoreApplication::translate("StepTexts", "%1 %2 の%3").arg(subject, name, action);
    if (!name.isEmpty())
        return QCoreApplication::translate("StepTexts", "%1 の%2").arg(name, action);
    if (!subject.isEmpty())
        return QCoreApplication::translate("StepTexts", "%1の%2").arg(subject, action);
    return action;
}

} // namespace kx::ui
