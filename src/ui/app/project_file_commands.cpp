#include "ui/app/project_file_commands.h"

#include "model/kx_dialog_data.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "projectfile/project_reader.h"
#include "projectfile/project_writer.h"
#include "ui/app/file_problems.h"
#include "ui/app/message_box_sink.h"
#include "ui/app/settings_file.h"
#include "ui/app/unsaved_changes.h"
#include "ui/document/document_set.h"
#include "ui/support/command_icons.h"
#include "ui/support/core_texts.h"
#include "ui/support/qt_text.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>

#include <filesystem>
#include <set>

namespace {

constexpr const char *kRecentKey = "RecentFiles/Files";

// While a file is read, the messages of the reader may name it and the place of a parse error.
class ReadingContext {
public:
    ReadingContext(CMessageBoxSink &sink, const QString &file, const kx::ProjectReader &reader)
        : m_sink(sink)
        , m_context {file, [&reader] { return reader.ErrorColumn(); }}
    {
        m_sink.SetContext(&m_context);
    }
    ~ReadingContext() { m_sink.SetContext(nullptr); }
    ReadingContext(const ReadingContext &) = delete;
    ReadingContext &operator=(const ReadingContext &) = delete;

private:
    CMessageBoxSink &m_sink;
    const kx::ui::CoreTextContext m_context;
};

// Hands the reader's messages on and counts them: a read that fails without a word of its own
// gets the editor's message.
class CountingSink final : public kx::IMessageSink {
public:
    explicit CountingSink(kx::IMessageSink &target)
        : m_target(target)
    { }
    void ShowMessage(std::string_view text, kx::MessageIcon icon) override
    {
        ++m_shown;
        m_target.ShowMessage(text, icon);
    }
    int Shown() const { return m_shown; }

private:
    kx::IMessageSink &m_target;
    int m_shown = 0;
};

// No font, image or dialog: nothing that could be lost or saved.
bool IsEmpty(const CProjectContext &project)
{
    return project.Fonts().IsEmpty() && project.Images().IsEmpty() && project.Dialogs().IsEmpty();
}

// The absolute form of a local path; the path itself when it has none.
std::string AbsolutePath(const std::string &path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

} // namespace

CProjectFileCommands::CProjectFileCommands(QMainWindow &window, CProjectContext &project,
    CDocumentSet &documents, kx::IMessageSink &messages, CMessageBoxSink &boxes,
    kx::ui::EditorQuestions &questions, CRecoveryCopy &recovery, Context context)
    : QObject(&window)
    , m_window(window)
    , m_project(project)
    , m_documents(documents)
    , m_messages(messages)
    , m_boxes(boxes)
    , m_questions(questions)
    , m_recovery(recovery)
    , m_context(std::move(context))
{
    QStyle *look = window.style();
    m_newProject = new QAction(this);
    // Ctrl+N stays with the dialog window it has always added.
    m_newProject->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+N")));
    connect(m_newProject, &QAction::triggered, this, &CProjectFileCommands::NewProject);

    m_open = new QAction(look->standardIcon(QStyle::SP_DialogOpenButton), QString(), this);
    m_open->setShortcut(QKeySequence::Open);
    connect(m_open, &QAction::triggered, this, &CProjectFileCommands::OnOpen);

    m_save = new QAction(kx::ui::MakeCommandIcon(kx::ui::CommandIcon::Save), QString(), this);
    m_save->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    connect(m_save, &QAction::triggered, this, &CProjectFileCommands::Save);

    m_saveAs = new QAction(kx::ui::MakeCommandIcon(kx::ui::CommandIcon::SaveAs), QString(), this);
    m_saveAs->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    connect(m_saveAs, &QAction::triggered, this, &CProjectFileCommands::SaveAs);

    m_saveDialog = new QAction(this);
    connect(m_saveDialog, &QAction::triggered, this, &CProjectFileCommands::OnSaveDialog);

    m_saveFonts = new QAction(this);
    connect(m_saveFonts, &QAction::triggered, this, &CProjectFileCommands::OnSaveFontsAndImages);

    m_discardAll = new QAction(this);
    connect(m_discardAll, &QAction::triggered, this, [this] {
        if (ConfirmUnsavedChanges())
            m_context.discardAll();
    });

    m_recentMenu = new QMenu(&window);
    RebuildRecentMenu();
}

void CProjectFileCommands::RetranslateUi()
{
    m_newProject->setText(tr("新規プロジェクト"));
    m_open->setText(tr("リソースの読込み(&O)"));
    m_save->setText(tr("上書き保存"));
    m_saveAs->setText(tr("全てのリソースの保存(&S)"));
    m_saveDialog->setText(tr("このダイアログのみの保存"));
    m_saveFonts->setText(tr("イメージとフォント情報のみの保存"));
    m_discardAll->setText(tr("全てのリソースを破棄"));
    m_recentMenu->setTitle(tr("最近使ったファイル"));
}

void CProjectFileCommands::UpdateActions(bool haveDialogWindow)
{
    const bool haveFontsOrImages = !m_project.Fonts().IsEmpty() || !m_project.Images().IsEmpty();
    const bool haveAny = haveFontsOrImages || !m_project.Dialogs().IsEmpty();
    m_saveAs->setEnabled(haveAny);
    m_save->setEnabled(haveAny);
    m_saveFonts->setEnabled(haveFontsOrImages);
    m_discardAll->setEnabled(haveAny);
    m_saveDialog->setVisible(haveDialogWindow);
    m_recentMenu->setEnabled(!RecentFiles().isEmpty());
}

bool CProjectFileCommands::LoadProject(const QString &path)
{
    const QString listed = QFileInfo(path).absoluteFilePath();
    // The reader tells what is wrong inside a file; a file that cannot be opened is told here.
    const QString unopenable = kx::ui::OpenFailureReason(path);
    if (!unopenable.isEmpty()) {
        ReportLoadFailure(path, unopenable);
        RemoveRecentFile(listed);
        return false;
    }
    const std::string localPath = kx::ui::ToLocalPath(path);
    // What a refused file must leave as it was.
    const std::string oldFolder = m_project.ProjectFolder();
    const std::string oldFile = m_project.Root().ProjectFilePath();
    const bool wasEmpty = IsEmpty(m_project);
    const std::set<const KXClass *> before = kx::ui::PictureOwners(m_project);

    const std::string absolute = AbsolutePath(localPath);
    m_project.SetProjectFolder(std::filesystem::path(absolute).parent_path().string());
    CountingSink messages(m_messages);
    kx::ProjectReader reader(m_project, messages);
    const ReadingContext reading(m_boxes, path, reader);
    if (!reader.ReadFile(localPath)) {
        m_project.SetProjectFolder(oldFolder);
        m_project.Root().SetProjectFilePath(oldFile);
        if (messages.Shown() == 0)
            ReportLoadFailure(path, QString());
        RemoveRecentFile(listed);
        return false;
    }
    // A broken file has shown its message; what was read before the fault stays.
    AddRecentFile(listed);
    m_context.projectLoaded();
    // A whole file read into an empty project is that file, unchanged. Merged into other work or
    // read only in part, the model matches no file on disk.
    if (reader.ParseFailed()) {
        DisownProjectFile();
        m_project.SetModified(true);
    } else {
        if (wasEmpty) {
            AdoptProjectFile(absolute);
            m_documents.ClearModified();
        } else {
            // Merged into other work, the model is no file on disk: a save asks for one, and
            // proposes the file the work came from, not the one merged in.
            DisownProjectFile();
            m_project.Root().SetProjectFilePath(oldFile);
        }
        m_project.SetModified(!wasEmpty);
    }
    ReportMissingPictures(kx::ui::MissingPictureFiles(m_project, before));
    // The fonts whose files are missing, found while the dialogs were laid out: one box.
    m_context.flushPaintMessages();
    m_context.updateTitle();
    return true;
}

bool CProjectFileCommands::RestoreRecoveryCopy(const CRecoveryCopy::Abandoned &copy)
{
    const std::string oldFolder = m_project.ProjectFolder();
    const std::string oldFile = m_project.Root().ProjectFilePath();
    // Pictures and fonts are found where the project lived, not beside the copy.
    m_project.SetProjectFolder(kx::ui::ToLocalPath(copy.projectFolder));
    CountingSink messages(m_messages);
    kx::ProjectReader reader(m_project, messages);
    const ReadingContext reading(m_boxes, copy.copyPath, reader);
    if (!reader.ReadFile(kx::ui::ToLocalPath(copy.copyPath))) {
        m_project.SetProjectFolder(oldFolder);
        m_project.Root().SetProjectFilePath(oldFile);
        if (messages.Shown() == 0)
            ReportLoadFailure(copy.copyPath, kx::ui::OpenFailureReason(copy.copyPath));
        return false;
    }
    m_project.Root().SetProjectFilePath(kx::ui::ToLocalPath(copy.projectFile));
    if (copy.projectFile.isEmpty() || reader.ParseFailed())
        DisownProjectFile();
    else {
        m_ownFile = true;
        m_recovery.SetProjectFile(kx::ui::ToLocalPath(copy.projectFile));
    }
    // Repaired before their histories start, as a load does.
    m_context.projectLoaded();
    // Restored work is unsaved work: it is marked so and copied at once under this editor, so
    // that deleting the old copy loses nothing.
    m_project.SetModified(true);
    m_recovery.WriteNow();
    m_context.updateTitle();
    return true;
}

bool CProjectFileCommands::SaveAllTo(const QString &path)
{
    return WriteAll(path, Confirmation::Box);
}

bool CProjectFileCommands::WriteAll(const QString &path, Confirmation confirmation)
{
    m_context.finishEditing();
    const std::string localPath = kx::ui::ToLocalPath(path);
    const bool written = kx::WriteProject(m_project, localPath);
    if (!written) {
        ReportSaveFailure(path, kx::FormatProject(m_project).size());
        return false;
    }
    const std::string file = AbsolutePath(localPath);
    // A project without a file of its own takes the first one it is saved to.
    QStringList copied;
    if (!m_ownFile) {
        // Pictures and fonts chosen before the project had a folder go into it now.
        if (!m_project.StagedFiles().empty())
            copied = kx::ui::CopyStagedFiles(m_project, m_questions, m_messages, &m_window,
                kx::ui::FromLocalPath(std::filesystem::path(file).parent_path().string()));
        AdoptProjectFile(file);
    }
    if (!copied.isEmpty())
        m_documents.FilesChanged();
    m_project.SetModified(false);
    m_documents.ClearModified();
    AddRecentFile(QFileInfo(path).absoluteFilePath());
    m_context.updateTitle();
    const QString saved = tr("ファイルを保存しました。");
    // The files copied into the project's folder are a list to read: always a box.
    const QString copiedList = copied.isEmpty()
        ? QString()
        : tr("次のファイルをプロジェクトのフォルダにコピーしました。") + QLatin1Char('\n')
            + copied.join(QLatin1Char('\n'));
    if (confirmation == Confirmation::StatusBar) {
        m_window.statusBar()->showMessage(saved, kSavedMessageMs);
        if (!copiedList.isEmpty())
            m_messages.ShowMessage(kx::ui::ToUtf8(copiedList), kx::MessageIcon::Information);
    } else {
        const QString text = copiedList.isEmpty() ? saved : saved + QLatin1Char('\n') + copiedList;
        m_messages.ShowMessage(kx::ui::ToUtf8(text), kx::MessageIcon::Information);
    }
    return true;
}

bool CProjectFileCommands::SaveDialogTo(const CKXDialogData &dialog, const QString &path)
{
    m_context.finishEditing();
    const bool written = kx::WriteProject(m_project, kx::ui::ToLocalPath(path), dialog.Name());
    if (!written) {
        ReportSaveFailure(path, kx::FormatProject(m_project, dialog.Name()).size());
        return false;
    }
    m_messages.ShowMessage(
        kx::ui::ToUtf8(tr("ファイルを保存しました。")), kx::MessageIcon::Information);
    return true;
}

bool CProjectFileCommands::SaveFontsAndImagesTo(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || name.mid(dot + 1).compare(QStringLiteral("xml"), Qt::CaseInsensitive) != 0)
        return false;
    m_context.finishEditing();
    if (!kx::WriteFontsAndImages(m_project, kx::ui::ToLocalPath(path))) {
        ReportSaveFailure(path, kx::FormatFontsAndImages(m_project).size());
        return false;
    }
    return true;
}

bool CProjectFileCommands::Save()
{
    if (!m_ownFile)
        return AskAndWriteAll(Confirmation::StatusBar);
    return WriteAll(
        kx::ui::FromLocalPath(m_project.Root().ProjectFilePath()), Confirmation::StatusBar);
}

bool CProjectFileCommands::SaveAs()
{
    return AskAndWriteAll(Confirmation::Box);
}

bool CProjectFileCommands::AskAndWriteAll(Confirmation confirmation)
{
    const QString path = m_questions.savePath(
        &m_window, kx::ui::FromLocalPath(m_project.Root().ProjectFilePath()));
    return !path.isEmpty() && WriteAll(path, confirmation);
}

bool CProjectFileCommands::ConfirmUnsavedChanges()
{
    // A value still being typed is part of the changes the question is about.
    m_context.finishEditing();
    if (!m_project.IsModified())
        return true;
    switch (m_questions.saveChanges(&m_window, kx::ui::FromUtf8(m_project.Root().ProjectName()))) {
    case kx::ui::SaveChoice::Save:
        return Save();
    case kx::ui::SaveChoice::Discard:
        return true;
    case kx::ui::SaveChoice::Cancel:
        break;
    }
    return false;
}

bool CProjectFileCommands::NewProject()
{
    if (!ConfirmUnsavedChanges())
        return false;
    // The name a new project starts with; set first, so that the emptied panel shows it.
    m_project.Root().SetProjectName(CKXResourceData::kDefaultProjectName);
    m_context.discardAll();
    return true;
}

void CProjectFileCommands::ForgetProjectFile()
{
    DisownProjectFile();
    // The model keeps the path for the files it writes, but a project that left its work behind
    // has no earlier file to propose: saving it over that file would lose the work it held.
    m_project.Root().SetProjectFilePath({});
}

void CProjectFileCommands::AdoptProjectFile(const std::string &path)
{
    m_project.Root().SetProjectFilePath(path);
    m_project.SetProjectFolder(std::filesystem::path(path).parent_path().string());
    m_ownFile = true;
    m_recovery.SetProjectFile(path);
}

void CProjectFileCommands::DisownProjectFile()
{
    m_ownFile = false;
    m_recovery.SetProjectFile({});
}

void CProjectFileCommands::OnOpen()
{
    const QString path = QFileDialog::getOpenFileName(&m_window, tr("リソースの読込み"), QString(),
        tr("KXDialogEditor Files (*.xml *.ini);;All Files (*)"));
    if (!path.isEmpty())
        LoadProject(path);
}

void CProjectFileCommands::OnSaveDialog()
{
    const CKXDialogData *dialog = m_context.activeDialog();
    if (!dialog)
        return;
    QFileDialog box(&m_window, tr("このダイアログのみの保存"), kx::ui::FromUtf8(dialog->Name()),
        tr("リソースファイル (*.xml)"));
    box.setAcceptMode(QFileDialog::AcceptSave);
    box.setDefaultSuffix(QStringLiteral("xml"));
    if (box.exec() == QDialog::Accepted && !box.selectedFiles().isEmpty())
        SaveDialogTo(*dialog, box.selectedFiles().constFirst());
}

void CProjectFileCommands::OnSaveFontsAndImages()
{
    QFileDialog box(&m_window, tr("イメージとフォント情報のみの保存"), QString(), tr("(*.xml)"));
    box.setAcceptMode(QFileDialog::AcceptSave);
    box.setOption(QFileDialog::DontConfirmOverwrite);
    if (box.exec() == QDialog::Accepted && !box.selectedFiles().isEmpty())
        SaveFontsAndImagesTo(box.selectedFiles().constFirst());
}

QStringList CProjectFileCommands::RecentFiles() const
{
    const QSettings settings(kx::EditorSettingsPath(), QSettings::IniFormat);
    return settings.value(QString::fromUtf8(kRecentKey)).toStringList();
}

void CProjectFileCommands::AddRecentFile(const QString &path)
{
    QStringList files = RecentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kMaxRecentFiles)
        files.removeLast();
    StoreRecentFiles(files);
}

void CProjectFileCommands::RemoveRecentFile(const QString &path)
{
    QStringList files = RecentFiles();
    if (files.removeAll(path) > 0)
        StoreRecentFiles(files);
}

void CProjectFileCommands::StoreRecentFiles(const QStringList &files)
{
    QSettings settings(kx::EditorSettingsPath(), QSettings::IniFormat);
    settings.setValue(QString::fromUtf8(kRecentKey), files);
    RebuildRecentMenu();
}

void CProjectFileCommands::RebuildRecentMenu()
{
    m_recentMenu->clear();
    const QStringList files = RecentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files.at(i);
        QAction *action = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
        connect(action, &QAction::triggered, this, [this, path] { LoadProject(path); });
    }
    m_recentMenu->setEnabled(!files.isEmpty());
}

void CProjectFileCommands::ReportLoadFailure(const QString &path, const QString &reason)
{
    const QString text = reason.isEmpty()
        ? tr("「%1」はプロジェクトファイルとして読み込めませんでした。").arg(path)
        : tr("「%1」を開けませんでした。\n%2").arg(path, reason);
    m_messages.ShowMessage(kx::ui::ToUtf8(text), kx::MessageIcon::Warning);
}

void CProjectFileCommands::ReportSaveFailure(const QString &path, std::size_t size)
{
    // The writer answers only yes or no; its steps are tried again to find the system's reason.
    const QString reason = kx::ui::WriteFailureReason(path, size);
    QString text = tr("ファイルを保存できませんでした。");
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + path + QLatin1Char('\n') + reason;
    m_messages.ShowMessage(kx::ui::ToUtf8(text), kx::MessageIcon::Warning);
}

void CProjectFileCommands::ReportMissingPictures(const QStringList &files)
{
    if (files.isEmpty())
        return;
    // A long list is cut so that the box still fits on the screen.
    constexpr int kListed = 20;
    QString text = tr("次の画像ファイルが resources フォルダにありません。") + QLatin1Char('\n');
    for (int i = 0; i < files.size() && i < kListed; ++i)
        text += QLatin1Char('\n') + files.at(i);
    if (files.size() > kListed)
        text += QLatin1Char('\n') + tr("… ほか %1 件").arg(files.size() - kListed);
    m_messages.ShowMessage(kx::ui::ToUtf8(text), kx::MessageIcon::Warning);
}
