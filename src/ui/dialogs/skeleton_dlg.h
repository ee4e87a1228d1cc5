// The skeleton window: chooses what a generation run writes and where, runs it and lists what
// happened to each file. Modeless; the main window keeps one and brings it to the top.
#pragma once

#include "codegen/skeleton_generator.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <utility>

class CProjectContext;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace kx {
class IMessageSink;
}

class CSkeletonDlg : public QDialog {
    Q_OBJECT

public:
    CSkeletonDlg(CProjectContext &project, QWidget *parent);
    ~CSkeletonDlg() override;

    // The dialog that "このダイアログのみ" writes; the main window passes its current dialog.
    void SetDialogName(const QString &name);
    // Runs before every generation (the main window commits the field being typed in).
    void SetBeforeRun(std::function<void()> beforeRun) { m_beforeRun = std::move(beforeRun); }
    // Where the message of a run goes; none restores the message box.
    void SetMessageSink(kx::IMessageSink *sink);

    // What the controls hold now, as a run takes it.
    kx::SkeletonSettings Settings() const;
    // Runs one generation with the current settings and shows its lines, and the reason of
    // every cancelled file, in the emptied log.
    void Generate();
    // Lets the user pick the output folder.
    void BrowseOutputFolder();

    QLineEdit *OutputFolderEdit() const { return m_outputFolder; }
    QPushButton *BrowseButton() const { return m_browse; }
    QCheckBox *ResourceIdCheck() const { return m_resourceId; }
    QCheckBox *MainCheck() const { return m_main; }
    QCheckBox *ApplicationCheck() const { return m_application; }
    QCheckBox *DialogsCheck() const { return m_dialogs; }
    QLineEdit *DialogNameEdit() const { return m_dialogName; }
    QRadioButton *ThisDialogRadio() const { return m_thisDialog; }
    QRadioButton *AllDialogsRadio() const { return m_allDialogs; }
    QCheckBox *ProjectFileCheck() const { return m_projectFile; }
    QCheckBox *GetTextCheck() const { return m_getText; }
    QListWidget *Log() const { return m_log; }
    QPushButton *GenerateButton() const { return m_generate; }

protected:
    void changeEvent(QEvent *event) override;

private:
    // Where a log item keeps its line as the run wrote it.
    static constexpr int kSourceLineRole = Qt::UserRole;

    // The labels, buttons and log lines in the language installed now.
    void RetranslateUi();

    CProjectContext &m_project;
    std::unique_ptr<kx::IMessageSink> m_messageBox;
    kx::IMessageSink *m_messages = nullptr;
    std::function<void()> m_beforeRun;

    QLineEdit *m_outputFolder = nullptr;
    QPushButton *m_browse = nullptr;
    QLabel *m_folderLabel = nullptr;
    QCheckBox *m_resourceId = nullptr;
    QCheckBox *m_main = nullptr;
    QCheckBox *m_application = nullptr;
    QCheckBox *m_dialogs = nullptr;
    QLineEdit *m_dialogName = nullptr;
    QRadioButton *m_thisDialog = nullptr;
    QRadioButton *m_allDialogs = nullptr;
    QCheckBox *m_projectFile = nullptr;
    QCheckBox *m_getText = nullptr;
    QListWidget *m_log = nullptr;
    QPushButton *m_generate = nullptr;
};
