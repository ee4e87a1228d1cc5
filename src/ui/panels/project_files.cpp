#include "ui/panels/project_files.h"

#include "model/picture.h"
#include "model/project_context.h"
#include "platform/message_sink.h"
#include "render/dib_image.h"
#include "ui/app/unsaved_changes.h"
#include "ui/support/picture_image.h"
#include "ui/support/qt_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QSaveFile>
#include <QVBoxLayout>

namespace kx::ui {

namespace {

constexpr int kPreviewSize = 160;

// The canvas's background pattern: 8 x 8 squares, darker at the top left.
QImage OverCheckerboard(const QImage &picture)
{
    QImage shown(picture.size(), QImage::Format_RGB32);
    QPainter painter(&shown);
    for (int y = 0; y < shown.height(); y += 8) {
        for (int x = 0; x < shown.width(); x += 8) {
            const int grey = ((x / 8 + y / 8) % 2 == 0) ? 128 : 192;
            painter.fillRect(x, y, 8, 8, QColor(grey, grey, grey));
        }
    }
    painter.drawImage(0, 0, picture);
    return shown;
}

// Shows the picture a file dialog points at, decoded by the core as the canvas decodes it.
class PicturePreview final : public QWidget {
public:
    explicit PicturePreview(QWidget *parent)
        : QWidget(parent)
        , m_picture(new QLabel(this))
        , m_caption(new QLabel(this))
    {
        m_picture->setFixedSize(kPreviewSize, kPreviewSize);
        m_picture->setAlignment(Qt::AlignCenter);
        m_picture->setFrameShape(QFrame::StyledPanel);
        m_caption->setAlignment(Qt::AlignCenter);
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_picture);
        layout->addWidget(m_caption);
        layout->addStretch(1);
    }

    void ShowFile(const QString &path)
    {
        CDibImage image;
        if (path.isEmpty() || !QFileInfo(path).isFile() || !image.Load(ToLocalPath(path))) {
            m_picture->clear();
            m_caption->clear();
            return;
        }
        const QImage fitted = FittedPicture(image, QSize(kPreviewSize - 4, kPreviewSize - 4));
        m_picture->setPixmap(QPixmap::fromImage(OverCheckerboard(fitted)));
        m_caption->setText(QStringLiteral("%1 x %2").arg(image.Width()).arg(image.Height()));
    }

private:
    QLabel *m_picture;
    QLabel *m_caption;
};

bool SameContents(const QString &a, const QString &b)
{
    QFile first(a);
    QFile second(b);
    if (first.size() != second.size() || !first.open(QIODevice::ReadOnly)
        || !second.open(QIODevice::ReadOnly))
        return false;
    while (!first.atEnd()) {
        if (first.read(1 << 20) != second.read(1 << 20))
            return false;
    }
    return true;
}

// Copies through a temporary file beside the target, so a failed copy leaves the target as it
// was. Answers the reason of a failure, empty on success.
QString CopyFile(const QString &from, const QString &to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return source.errorString();
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly))
        return target.errorString();
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(1 << 20);
        if (chunk.isEmpty() && source.error() != QFileDevice::NoError) {
            target.cancelWriting();
            return source.errorString();
        }
        if (target.write(chunk) != chunk.size()) {
            target.cancelWriting();
            return target.errorString();
        }
    }
    if (!target.commit())
        return target.errorString();
    return QString();
}

} // namespace

QString ProjectFileFolder(const CProjectContext &project, ProjectFileKind kind)
{
    const char *folder = kind == ProjectFileKind::Font ? "fonts" : "resources";
    return FromLocalPath(project.ProjectFolder()) + QString::fromLatin1(folder);
}

QString ChooseProjectFile(QWidget *parent, const QString &folder, ProjectFileKind kind)
{
    const bool fonts = kind == ProjectFileKind::Font;
    QFileDialog dialog(
        parent, QCoreApplication::translate("ProjectFiles", "ファイルを開く"), folder);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // Qt's own dialog, so that the preview can sit beside the list. Each filter shows its text
    // and hides the patterns behind it, which also take the upper-case spellings.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const QString all = QCoreApplication::translate("ProjectFiles", "すべてのファイル(*.*)")
        + QStringLiteral(" (*)");
    dialog.setNameFilters(fonts ? QStringList {QCoreApplication::translate("ProjectFiles",
                                                   "TrueTypeフォントファイル(*.ttf)")
                                  + QStringLiteral(" (*.ttf *.TTF)"),
                              all}
                                : QStringList {QCoreApplication::translate(
                                                   "ProjectFiles", "イメージファイル(*.png|*.gif)")
                                        + QStringLiteral(" (*.png *.gif *.PNG *.GIF)"),
                                    all});
    if (!fonts) {
        if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout())) {
            auto *preview = new PicturePreview(&dialog);
            grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
            QObject::connect(&dialog, &QFileDialog::currentChanged, preview,
                [preview](const QString &path) { preview->ShowFile(path); });
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

bool NeedsCopyIntoProject(
    const CProjectContext &project, const QString &chosen, ProjectFileKind kind)
{
    const QFileInfo file(chosen);
    if (!file.isFile() || project.ProjectFolder().empty())
        return false;
    const QFileInfo existing(QDir(ProjectFileFolder(project, kind)).filePath(file.fileName()));
    return !existing.exists()
        || (existing.canonicalFilePath() != file.canonicalFilePath()
            && !SameContents(file.absoluteFilePath(), existing.absoluteFilePath()));
}

std::optional<QString> TakeIntoProject(CProjectContext &project, const EditorQuestions &questions,
    kx::IMessageSink &messages, QWidget *parent, const QString &chosen, ProjectFileKind kind,
    bool agreed, bool *replaced)
{
    if (replaced)
        *replaced = false;
    const QFileInfo file(chosen);
    if (!file.isFile()) {
        messages.ShowMessage(
            ToUtf8(QCoreApplication::translate("ProjectFiles", "「%1」はファイルではありません。")
                       .arg(chosen)),
            kx::MessageIcon::Warning);
        return std::nullopt;
    }
    const QString name = file.fileName();
    const auto stagedKind = kind == ProjectFileKind::Font ? CProjectContext::FileKind::Font
                                                          : CProjectContext::FileKind::Picture;
    if (project.ProjectFolder().empty()) {
        // A project that was never saved has no folder yet: the file is used where it is, and
        // the first save copies it into the project's folder.
        const QString path = file.canonicalFilePath();
        const QString staged = FromLocalPath(project.StagedPath(stagedKind, ToLocalPath(name)));
        if (!staged.isEmpty() && staged != path && !SameContents(staged, path)
            && !questions.replaceFile(parent, staged))
            return std::nullopt;
        project.StageFile(stagedKind, ToLocalPath(name), ToLocalPath(path));
        // Another file of that name: what shows the name is drawn from the new file.
        if (replaced)
            *replaced = !staged.isEmpty() && staged != path;
        return name;
    }
    const QString folder = ProjectFileFolder(project, kind);
    const QString target = QDir(folder).filePath(name);
    const QFileInfo existing(target);
    // The project has that very file already (or an equal copy of it).
    if (existing.exists()
        && (existing.canonicalFilePath() == file.canonicalFilePath()
            || SameContents(file.absoluteFilePath(), target)))
        return name;
    if (!agreed && !questions.copyIntoProject(parent, file.absoluteFilePath(), folder))
        return std::nullopt;
    if (existing.exists() && !questions.replaceFile(parent, target))
        return std::nullopt;
    if (!QDir().mkpath(folder)) {
        messages.ShowMessage(
            ToUtf8(QCoreApplication::translate("ProjectFiles", "フォルダ「%1」を作れませんでした。")
                       .arg(folder)),
            kx::MessageIcon::Warning);
        return std::nullopt;
    }
    const QString reason = CopyFile(file.absoluteFilePath(), target);
    if (reason.isEmpty() && existing.exists()) {
        // Whatever was decoded from the old file is decoded again from the new one.
        if (kind == ProjectFileKind::Picture && project.PictureCache())
            project.PictureCache()->Refresh(project.ImagePath(ToLocalPath(name)));
        if (replaced)
            *replaced = true;
    }
    if (!reason.isEmpty()) {
        messages.ShowMessage(ToUtf8(QCoreApplication::translate(
                                 "ProjectFiles", "「%1」を「%2」にコピーできませんでした。\n%3")
                                        .arg(file.absoluteFilePath(), folder, reason)),
            kx::MessageIcon::Warning);
        return std::nullopt;
    }
    return name;
}

} // namespace kx::ui

namespace kx::ui {

QStringList CopyStagedFiles(CProjectContext &project, const EditorQuestions &questions,
    kx::IMessageSink &messages, QWidget *parent, const QString &folder)
{
    QStringList copied;
    std::vector<CProjectContext::StagedFile> failed;
    for (const CProjectContext::StagedFile &staged : project.TakeStagedFiles()) {
        const QString source = FromLocalPath(staged.path);
        const QString into = QDir(folder).filePath(staged.kind == CProjectContext::FileKind::Font
                ? QStringLiteral("fonts")
                : QStringLiteral("resources"));
        const QString target = QDir(into).filePath(FromLocalPath(staged.name));
        const QFileInfo existing(target);
        if (existing.exists()
            && (existing.canonicalFilePath() == QFileInfo(source).canonicalFilePath()
                || SameContents(source, target)))
            continue;
        if (existing.exists() && !questions.replaceFile(parent, target))
            continue;
        QString reason;
        if (!QDir().mkpath(into))
            reason
                = QCoreApplication::translate("ProjectFiles", "フォルダ「%1」を作れませんでした。")
                      .arg(into);
        else
            reason = CopyFile(source, target);
        if (!reason.isEmpty()) {
            messages.ShowMessage(ToUtf8(QCoreApplication::translate(
                                     "ProjectFiles", "「%1」を「%2」にコピーできませんでした。\n%3")
                                            .arg(source, into, reason)),
                kx::MessageIcon::Warning);
            failed.push_back(staged);
            continue;
        }
        copied.append(QCoreApplication::translate("ProjectFiles", "%1 → %2").arg(source, target));
    }
    // What could not be copied is still found where it is.
    for (CProjectContext::StagedFile &staged : failed)
        project.StageFile(staged.kind, staged.name, std::move(staged.path));
    return copied;
}

} // namespace kx::ui
