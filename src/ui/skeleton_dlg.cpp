#include "ui/skeleton_dlg.h"

#include "model/project_context.h"
#include "platform/message_sink.h"
#include "ui/folder_chooser.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QString Utf8(const char *text)
{
    return QString::fromUtf8(text);
}

// Shows each message of a run in a message box over the window.
class MessageBoxSink final : public kx::IMessageSink {
public:
    explicit MessageBoxSink(QWidget *owner)
        : m_owner(owner)
    { }

    void ShowMessage(std::string_view text, kx::MessageIcon icon) override
    {
        const QString caption = QStringLiteral("RESOURCE EDITOR");
        const QString message = QString::fromUtf8(text.data(), qsizetype(text.size()));
        switch (icon) {
        case kx::MessageIcon::Information:
            QMessageBox::information(m_owner, caption, message);
            break;
        case kx::MessageIcon::Warning:
            QMessageBox::warning(m_owner, caption, message);
            break;
        case kx::MessageIcon::Error:
            QMessageBox::critical(m_owner, caption, message);
            break;
        }
    }

private:
    QWidget *m_owner;
};

} // namespace

CSkeletonDlg::CSkeletonDlg(CProjectContext &project, QWidget *parent)
    : QDialog(parent)
    , m_project(project)
    , m_messageBox(std::make_unique<MessageBoxSink>(this))
    , m_messages(m_messageBox.get())
{
    setWindowTitle(Utf8("スケルトン生成"));
    setModal(false);

    const kx::SkeletonSettings initial;

    m_outputFolder = new QLineEdit(QString::fromStdString(m_project.ProjectFolder()), this);
    m_browse = new QPushButton(Utf8("参照"), this);
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(new QLabel(Utf8("出力フォルダ"), this));
    folderRow->addWidget(m_outputFolder, 1);
    folderRow->addWidget(m_browse);

    const auto makeCheck = [this](const char *text, bool checked) {
        auto *check = new QCheckBox(Utf8(text), this);
        check->setChecked(checked);
        return check;
    };
    m_resourceId = makeCheck("resourceid.h", initial.writeResourceId);
    m_main = makeCheck("main.cpp", initial.writeMain);
    m_application = makeCheck("アプリケーション", initial.writeApplication);
    m_dialogs = makeCheck("ダイアログ", initial.writeDialogs);
    m_projectFile = makeCheck("プロジェクト", initial.writeProjectFile);
    m_getText = makeCheck("GetText対応する", initial.getTextSupport);

    m_dialogName = new QLineEdit(QString::fromStdString(initial.dialogName), this);
    m_thisDialog = new QRadioButton(Utf8("このダイアログのみ"), this);
    m_allDialogs = new QRadioButton(Utf8("すべてのダイアログ"), this);
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

    m_generate = new QPushButton(Utf8("スケルトン生成"), this);
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
    settings.outputFolder = m_outputFolder->text().toStdString();
    settings.writeResourceId = m_resourceId->isChecked();
    settings.writeMain = m_main->isChecked();
    settings.writeApplication = m_application->isChecked();
    settings.writeDialogs = m_dialogs->isChecked();
    settings.dialogName = m_dialogName->text().toStdString();
    settings.dialogScope = m_allDialogs->isChecked() ? kx::kScopeAllDialogs : kx::kScopeThisDialog;
    settings.writeProjectFile = m_projectFile->isChecked();
    settings.getTextSupport = m_getText->isChecked();
    return settings;
}

void CSkeletonDlg::Generate()
{
    const std::vector<std::string> lines = kx::RunGeneration(&m_project, Settings(), m_messages);
    for (const std::string &line : lines)
        m_log->addItem(QString::fromStdString(line));
    if (m_log->count() > 0)
        m_log->scrollToBottom();
}

void CSkeletonDlg::BrowseOutputFolder()
{
    const QString folder = kx::ChooseFolder(this, m_outputFolder->text());
    if (!folder.isEmpty())
        m_outputFolder->setText(folder);
}
