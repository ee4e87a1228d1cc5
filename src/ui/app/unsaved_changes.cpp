#include "ui/app/unsaved_changes.h"

#include "ui/app/message_box_sink.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

namespace kx::ui {

namespace {

SaveChoice AskSaveChanges(QWidget *parent, const QString &projectName)
{
    QMessageBox box(QMessageBox::Warning, CMessageBoxSink::Caption(),
        QCoreApplication::translate("EditorQuestions",
            "プロジェクト「%1」には保存されていない変更があります。\n"
            "変更を保存しますか？")
            .arg(projectName),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Save)
        ->setText(QCoreApplication::translate("EditorQuestions", "保存する(&S)"));
    box.button(QMessageBox::Discard)
        ->setText(QCoreApplication::translate("EditorQuestions", "保存しない(&N)"));
    box.button(QMessageBox::Cancel)
        ->setText(QCoreApplication::translate("EditorQuestions", "キャンセル"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

QString AskSavePath(QWidget *parent, const QString &proposal)
{
    QFileDialog dialog(parent,
        QCoreApplication::translate("EditorQuestions", "全てのリソースの保存"), proposal,
        QCoreApplication::translate("EditorQuestions", "リソースファイル (*.xml)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("xml"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool AskRestore(QWidget *parent, const CRecoveryCopy::Abandoned &copy)
{
    const QString file = copy.projectFile.isEmpty()
        ? QCoreApplication::translate("EditorQuestions", "(未保存)")
        : copy.projectFile;
    // Asked before any project is open: the box is named after the program.
    QMessageBox box(QMessageBox::Question, QStringLiteral("KXDialogEditor"),
        QCoreApplication::translate("EditorQuestions",
            "前回の終了時に保存されていなかった変更の復元用コピーがあります。\n\n"
            "プロジェクト: %1\nファイル: %2\n記録日時: %3\n\n"
            "復元しますか？（復元しないとコピーは削除されます）")
            .arg(copy.projectName, file, QLocale().toString(copy.written, QLocale::ShortFormat)),
        QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Yes)
        ->setText(QCoreApplication::translate("EditorQuestions", "復元する(&R)"));
    box.button(QMessageBox::No)
        ->setText(QCoreApplication::translate("EditorQuestions", "削除する(&D)"));
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

bool AskCopyIntoProject(QWidget *parent, const QString &file, const QString &folder)
{
    QMessageBox box(QMessageBox::Question, CMessageBoxSink::Caption(),
        QCoreApplication::translate("EditorQuestions",
            "「%1」はプロジェクトのフォルダ\n%2\nの外にあります。\n\n"
            "このフォルダにコピーして使いますか？")
            .arg(file, folder),
        QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Yes)
        ->setText(QCoreApplication::translate("EditorQuestions", "コピーする(&C)"));
    box.button(QMessageBox::No)
        ->setText(QCoreApplication::translate("EditorQuestions", "キャンセル"));
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

bool AskCopyAllIntoProject(QWidget *parent, const QStringList &files, const QString &folder)
{
    // A long list is cut so that the box still fits on the screen.
    constexpr int kListed = 10;
    QString list;
    for (int i = 0; i < files.size() && i < kListed; ++i)
        list += QLatin1Char('\n') + files.at(i);
    if (files.size() > kListed)
        list += QLatin1Char('\n')
            + QCoreApplication::translate("EditorQuestions", "… ほか %1 件")
                  .arg(files.size() - kListed);
    QMessageBox box(QMessageBox::Question, CMessageBoxSink::Caption(),
        QCoreApplication::translate("EditorQuestions",
            "次の %1 個のファイルはプロジェクトのフォルダ\n%2\nの外にあります。\n%3\n\n"
            "すべてこのフォルダにコピーして使いますか？")
            .arg(files.size())
            .arg(folder, list),
        QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Yes)
        ->setText(QCoreApplication::translate("EditorQuestions", "すべてコピー"));
    box.button(QMessageBox::No)
        ->setText(QCoreApplication::translate("EditorQuestions", "キャンセル"));
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

bool AskReplaceFile(QWidget *parent, const QString &existing)
{
    QMessageBox box(QMessageBox::Warning, CMessageBoxSink::Caption(),
        QCoreApplication::translate(
            "EditorQuestions", "「%1」は既にあります。\n選んだファイルで置き換えますか？")
            .arg(existing),
        QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Yes)
        ->setText(QCoreApplication::translate("EditorQuestions", "置き換える(&R)"));
    box.button(QMessageBox::No)
        ->setText(QCoreApplication::translate("EditorQuestions", "キャンセル"));
    // Replacing loses the file that is there: not the default.
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool AskDelete(QWidget *parent, const QString &question)
{
    QMessageBox box(QMessageBox::Question, CMessageBoxSink::Caption(), question,
        QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Yes)
        ->setText(QCoreApplication::translate("EditorQuestions", "削除する(&D)"));
    box.button(QMessageBox::No)
        ->setText(QCoreApplication::translate("EditorQuestions", "キャンセル"));
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

EditorQuestions::EditorQuestions()
    : saveChanges(AskSaveChanges)
    , savePath(AskSavePath)
    , restore(AskRestore)
    , chooseFile(ChooseProjectFile)
    , copyIntoProject(AskCopyIntoProject)
    , copyAllIntoProject(AskCopyAllIntoProject)
    , replaceFile(AskReplaceFile)
    , confirmDelete(AskDelete)
{ }

} // namespace kx::ui
