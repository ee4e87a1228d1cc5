#include "ui/dialogs/skeleton_dlg.h"

#include "model/project_context.h"
#include "platform/message_sink.h"
#include "ui/app/message_box_sink.h"
#include "ui/dialogs/folder_chooser.h"
#include "ui/support/core_texts.h"
#include "ui/support/qt_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CSkeletonDlg::CSkeletonDlg(CProjectContext &project, QWidget *parent)
    : QDialog(parent)
    , m_project(project)
    , m_messageBox(std::make_unique<CMessageBoxSink>(this))
    , m_messages(m_messageBox.get())
{
    setModal(false);

    const kx::SkeletonSettings initial;

    m_outputFolder = new QLineEdit(kx::ui::FromLocalPath(m_project.ProjectFolder()), this);
    m_browse = new QPushButton(this);
    m_folderLabel = new QLabel(this);
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folderLabel);
    folderRow->addWidget(m_outputFolder, 1);
    folderRow->addWidget(m_browse);

    const auto makeCheck = [this](bool checked) {
        auto *check = new QCheckBox(this);
        check->setChecked(checked);
        return check;
    };
    m_resourceId = makeCheck(initial.writeResourceId);
    m_main = makeCheck(initial.writeMain);
    m_application = makeCheck(initial.writeApplication);
    m_dialogs = makeCheck(initial.writeDialogs);
    m_projectFile = makeCheck(initial.writeProjectFile);
    m_getText = makeCheck(initial.getTextSupport);

    m_dialogName = new QLineEdit(kx::ui::FromUtf8(initial.dialogName), this);
    m_thisDialog = new QRadioButton(this);
    m_allDialogs = new QRadioButton(this);
    auto *scope = new QButtonGroup(this);
    scope->addButton(m_thisDialog, kx::kScopeThisDialog);
    scope->addButton(m_allDialogs, kx::kScopeAllDialogs);
    (initial.dialogScope == kx::kScopeAllDialogs ? m_allDialogs : m_thisDialog)->setChecked(true);

    auto *options = new QGridLayout;
    options->addWidget(m_resourceId, 0, 0);
    options->addWidget(m_main, 1, 0);
    options->addWidget(m_application, 2, 0);
    options->addWidget(m_dialogs, 3, 0);
    options->addWidget(m_dialogName, 3, 1);
    options->addWidget(m_thisDialog, 4, 1);
    options->addWidget(m_allDialogs, 5, 1);
    options->addWidget(m_projectFile, 6, 0);
    options->addWidget(m_getText, 7, 0);
    options->setColumnStretch(1, 1);

    m_log = new QListWidget(this);
    m_log->setSortingEnabled(false);

    m_generate = new QPushButton(this);
    m_generate->setAutoDefault(false);
    m_browse->setAutoDefault(false);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(m_generate);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(folderRow);
    layout->addLayout(options);
    layout->addWidget(m_log, 1);
    layout->addLayout(buttonRow);

    connect(m_browse, &QPushButton::clicked, this, &CSkeletonDlg::BrowseOutputFolder);
    connect(m_generate, &QPushButton::clicked, this, &CSkeletonDlg::Generate);
    RetranslateUi();
}

void CSkeletonDlg::RetranslateUi()
{
    setWindowTitle(tr("スケルトン生成"));
    m_browse->setText(tr("参照"));
    m_folderLabel->setText(tr("出力フォルダ"));
    m_resourceId->setText(tr("resourceid.h"));
    m_main->setText(tr("main.cpp"));
    m_application->setText(tr("アプリケーション"));
    m_dialogs->setText(tr("ダイアログ"));
    m_projectFile->setText(tr("プロジェクト"));
    m_getText->setText(tr("GetText対応する"));
    m_thisDialog->setText(tr("このダイアログのみ"));
    m_allDialogs->setText(tr("すべてのダイアログ"));
    m_generate->setText(tr("スケルトン生成"));
    // The log lines as the run wrote them, said again.
    for (int row = 0; row < m_log->count(); ++row) {
        QListWidgetItem *item = m_log->item(row);
        item->setText(
            kx::ui::TranslateCoreText(kx::ui::ToUtf8(item->data(kSourceLineRole).toString())));
    }
}

void CSkeletonDlg::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QDialog::changeEvent(event);
}

CSkeletonDlg::~CSkeletonDlg() = default;

void CSkeletonDlg::SetDialogName(const QString &name)
{
    m_dialogName->setText(name);
}

void CSkeletonDlg::SetMessageSink(kx::IMessageSink *sink)
{
    m_messages = sink ? sink : m_messageBox.get();
}

kx::SkeletonSettings CSkeletonDlg::Settings() const
{
    kx::SkeletonSettings settings;
    settings.outputFolder = kx::ui::ToLocalPath(m_outputFolder->text());
    settings.writeResourceId = m_resourceId->isChecked();
    settings.writeMain = m_main->isChecked();
    settings.writeApplication = m_application->isChecked();
    settings.writeDialogs = m_dialogs->isChecked();
    settings.dialogName = kx::ui::ToUtf8(m_dialogName->text());
    settings.dialogScope = m_allDialogs->isChecked() ? kx::kScopeAllDialogs : kx::kScopeThisDialog;
    settings.writeProjectFile = m_projectFile->isChecked();
    settings.getTextSupport = m_getText->isChecked();
    return settings;
}

void CSkeletonDlg::Generate()
{
    if (m_beforeRun)
        m_beforeRun();
    // The log shows one run: the lines of an earlier run would read as this one's.
    m_log->clear();
    const std::vector<kx::GenerationResult> results
        = kx::RunGeneration(&m_project, Settings(), m_messages);
    for (const kx::GenerationResult &result : results) {
        const std::string line = result.LogLine();
        auto *item = new QListWidgetItem(kx::ui::TranslateCoreText(line), m_log);
        item->setData(kSourceLineRole, kx::ui::FromUtf8(line));
    }
    if (m_log->count() > 0)
        m_log->scrollToBottom();
}

void CSkeletonDlg::BrowseOutputFolder()
{
    const QString folder = kx::ChooseFolder(this, m_outputFolder->text());
    if (!folder.isEmpty())
        m_outputFolder->setText(folder);
}
