#include "ui/dialogs/skeleton_dlg.h"

#include "model/project_context.h"
#include "platform/message_sink.h"
#include "ui/app/message_box_sink.h"
#include "ui/dialogs/folder_chooser.h"
#include "ui/support/qt_text.h"

#include <QButtonGroup>
#include <QCheckBox>
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
    setWindowTitle(tr("スケルトン生成"));
    setModal(false);

    const kx::SkeletonSettings initial;

    m_outputFolder = new QLineEdit(kx::ui::FromLocalPath(m_project.ProjectFolder()), this);
    m_browse = new QPushButton(tr("参照"), this);
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(new QLabel(tr("出力フォルダ"), this));
    folderRow->addWidget(m_outputFolder, 1);
    folderRow->addWidget(m_browse);

    const auto makeCheck = [this](const char *text, bool checked) {
        auto *check = new QCheckBox(tr(text), this);
        check->setChecked(checked);
        return check;
    };
    m_resourceId = makeCheck("resourceid.h", initial.writeResourceId);
    m_main = makeCheck("main.cpp", initial.writeMain);
    m_application = makeCheck("アプリケーション", initial.writeApplication);
    m_dialogs = makeCheck("ダイアログ", initial.writeDialogs);
    m_projectFile = makeCheck("プロジェクト", initial.writeProjectFile);
    m_getText = makeCheck("GetText対応する", initial.getTextSupport);

    m_dialogName = new QLineEdit(kx::ui::FromUtf8(initial.dialogName), this);
    m_thisDialog = new QRadioButton(tr("このダイアログのみ"), this);
    m_allDialogs = new QRadioButton(tr("すべてのダイアログ"), this);
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

    m_generate = new QPushButton(tr("スケルトン生成"), this);
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
    // The log shows one run: the lines of an earlier run would read as this one's.
    m_log->clear();
    const std::vector<kx::GenerationResult> results
        = kx::RunGeneration(&m_project, Settings(), m_messages);
    for (const kx::GenerationResult &result : results)
        m_log->addItem(kx::ui::FromUtf8(result.LogLine()));
    if (m_log->count() > 0)
        m_log->scrollToBottom();
}

void CSkeletonDlg::BrowseOutputFolder()
{
    const QString folder = kx::ChooseFolder(this, m_outputFolder->text());
    if (!folder.isEmpty())
        m_outputFolder->setText(folder);
}
