// TrueType files dropped from a file manager on the Font tab of the panel, or on its list,
// become font definitions.
#include "ui/panels/resource_dlg.h"

#include "model/font_data.h"
#include "model/prefix_settings.h"
#include "model/project_context.h"
#include "ui/app/unsaved_changes.h"
#include "ui/document/document_set.h"
#include "ui/panels/font_list_ctrl.h"
#include "ui/panels/project_files.h"
#include "ui/support/qt_text.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTabBar>

namespace {

QStringList DroppedFonts(const QMimeData *data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile()
            && QFileInfo(url.toLocalFile())
                    .suffix()
                    .compare(QStringLiteral("ttf"), Qt::CaseInsensitive)
                == 0)
            files.append(url.toLocalFile());
    }
    return files;
}

} // namespace

bool CResourceDlg::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QWidget::eventFilter(watched, event);
    auto *drop = static_cast<QDropEvent *>(event);
    // Over the tab bar only the Font tab takes them.
    const bool onTabs = watched == m_tabs;
    const bool target = !onTabs || m_tabs->tabAt(drop->position().toPoint()) == kModeFont;
    const QStringList files = DroppedFonts(drop->mimeData());
    if (!target || files.isEmpty()) {
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    if (type == QEvent::Drop)
        AddFontFiles(files);
    return true;
}

void CResourceDlg::AddFontFiles(const QStringList &files)
{
    if (files.isEmpty())
        return;
    SetMode(kModeFont);
    const kx::ui::EditorQuestions &questions = m_properties->Questions();
    const auto kind = kx::ui::ProjectFileKind::Font;
    QStringList outside;
    for (const QString &file : files) {
        if (kx::ui::NeedsCopyIntoProject(m_project, file, kind))
            outside.append(QFileInfo(file).absoluteFilePath());
    }
    const bool many = outside.size() > 1;
    if (many
        && !questions.copyAllIntoProject(this, outside, kx::ui::ProjectFileFolder(m_project, kind)))
        return;
    const auto order = kx::OrderOf(m_project.Fonts());
    std::vector<const CFontData *> added;
    for (const QString &file : files) {
        const std::optional<QString> name
            = kx::ui::TakeIntoProject(m_project, questions, m_messages, this, file, kind, many);
        if (!name)
            continue;
        // Named from the prefix as "追加" names a font, its size that of a new definition.
        auto font = std::make_unique<CFontData>();
        const std::string &prefix = m_project.Prefixes().Get(kx::kPrefixFNT);
        font->SetName(m_project.UniqueName(
            prefix.empty() ? kx::PrefixRows()[kx::kPrefixFNT].defaultValue : prefix));
        font->SetFile(kx::ui::ToUtf8(*name));
        font->SetSize(32);
        font->SetFaceId(m_project.Fonts().NextFaceId());
        const int row = m_project.Fonts().Add(font);
        if (row >= 0)
            added.push_back(m_project.Fonts().At(row));
    }
    if (added.empty())
        return;
    auto step = std::make_unique<kx::ProjectStep>(m_project,
        kx::StepLabel {kx::StepAction::Add, kx::StepSubject::Font,
            added.size() == 1 ? added.front()->Name() : std::string()});
    step->ListChanged(order);
    m_fontList->RefreshCount();
    const int last = m_project.Fonts().IndexOf(added.back());
    m_fontList->SetCurrentRow(last);
    ShowResource(m_project.Fonts().At(last));
    CommitProject(std::move(step), kChangeFonts);
}
