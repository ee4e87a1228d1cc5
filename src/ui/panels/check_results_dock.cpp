#include "ui/panels/check_results_dock.h"

#include "check/project_check.h"
#include "check/project_lines.h"
#include "model/object_data_list.h"
#include "model/project_context.h"
#include "ui/document/document_set.h"
#include "ui/panels/font_list_ctrl.h"
#include "ui/panels/image_list_ctrl.h"
#include "ui/panels/property_panel.h"
#include "ui/panels/resource_dlg.h"
#include "ui/support/core_texts.h"
#include "ui/support/qt_text.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

// The project file's text, or nothing when it cannot be read.
bool ReadFile(const std::string &path, std::string &content)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream text;
    text << in.rdbuf();
    content = std::move(text).str();
    return !in.bad();
}

// The serial of a resource the problem concerns, read while the checked project is unchanged.
template <typename T>
std::uint64_t SerialOf(const T *resource)
{
    return resource ? resource->Serial() : 0;
}

} // namespace

// ---- The rows ----

CCheckResultsModel::CCheckResultsModel(QObject *parent)
    : QAbstractTableModel(parent)
{ }

void CCheckResultsModel::SetProblems(const std::vector<kx::Problem> &problems)
{
    using Target = CCheckResultsModel::Target;
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(problems.size());
    for (const kx::Problem &problem : problems) {
        Row row;
        row.severity = problem.severity;
        row.kind = problem.kind;
        row.line = problem.line;
        row.source = problem.message;
        // The most particular thing the problem names is what the row selects.
        if (problem.object) {
            row.target = Target::Object;
            row.serial = SerialOf(problem.object);
        } else if (problem.dialog) {
            row.target = Target::Dialog;
            row.serial = SerialOf(problem.dialog);
        } else if (problem.font) {
            row.target = Target::Font;
            row.serial = SerialOf(problem.font);
        } else if (problem.image) {
            row.target = Target::Image;
            row.serial = SerialOf(problem.image);
        }
        row.dialogName = kx::ui::FromUtf8(problem.dialogName);
        row.objectName = kx::ui::FromUtf8(problem.objectName);
        row.fontName = kx::ui::FromUtf8(problem.fontName);
        row.imageName = kx::ui::FromUtf8(problem.imageName);
        Describe(row);
        m_rows.push_back(std::move(row));
    }
    endResetModel();
}

void CCheckResultsModel::Describe(Row &row)
{
    row.message = kx::ui::TranslateCoreText(row.source);
    // Elements that the reader dropped have names but nothing to select.
    if (!row.objectName.isEmpty())
        row.concerns = tr("%1 / %2").arg(row.dialogName, row.objectName);
    else if (!row.dialogName.isEmpty())
        row.concerns = tr("ダイアログ %1").arg(row.dialogName);
    else if (!row.fontName.isEmpty())
        row.concerns = tr("フォント %1").arg(row.fontName);
    else if (!row.imageName.isEmpty())
        row.concerns = tr("イメージ %1").arg(row.imageName);
    else
        row.concerns.clear();
}

void CCheckResultsModel::Retranslate()
{
    for (Row &row : m_rows)
        Describe(row);
    emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
    if (!m_rows.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
}

const CCheckResultsModel::Row *CCheckResultsModel::RowAt(int row) const
{
    return row >= 0 && row < rowCount() ? &m_rows[static_cast<std::size_t>(row)] : nullptr;
}

int CCheckResultsModel::Count(kx::Severity severity) const
{
    return static_cast<int>(std::count_if(m_rows.begin(), m_rows.end(),
        [severity](const Row &row) { return row.severity == severity; }));
}

int CCheckResultsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CCheckResultsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant CCheckResultsModel::data(const QModelIndex &index, int role) const
{
    const Row *row = RowAt(index.row());
    if (!row || index.column() < 0 || index.column() >= kColumnCount)
        return QVariant();
    const bool error = row->severity == kx::Severity::kError;
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case kColumnSeverity:
            return error ? tr("エラー") : tr("警告");
        case kColumnLine:
            return row->line > 0 ? QVariant(row->line) : QVariant();
        case kColumnConcerns:
            return row->concerns;
        default:
            return row->message;
        }
    case Qt::DecorationRole:
        if (index.column() == kColumnSeverity)
            return QApplication::style()->standardIcon(
                error ? QStyle::SP_MessageBoxCritical : QStyle::SP_MessageBoxWarning);
        break;
    case Qt::ToolTipRole:
        if (index.column() == kColumnMessage || index.column() == kColumnConcerns)
            return index.column() == kColumnMessage ? row->message : row->concerns;
        break;
    case Qt::TextAlignmentRole:
        if (index.column() == kColumnLine)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        break;
    default:
        break;
    }
    return QVariant();
}

QVariant CCheckResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case kColumnSeverity:
        return tr("種別");
    case kColumnLine:
        return tr("行");
    case kColumnConcerns:
        return tr("対象");
    case kColumnMessage:
        return tr("内容");
    default:
        return QVariant();
    }
}

// ---- The dock ----

CCheckResultsDock::CCheckResultsDock(CProjectContext &project, CDocumentSet &documents,
    CResourceDlg &panel, std::function<std::string()> fileOfModel, QWidget *parent)
    : QDockWidget(parent)
    , m_project(project)
    , m_panel(&panel)
    , m_fileOfModel(std::move(fileOfModel))
{
    setObjectName(QStringLiteral("CheckResultsBar"));
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);

    auto *content = new QWidget(this);
    m_summary = new QLabel(content);
    m_summary->setWordWrap(true);
    m_results = new CCheckResultsModel(this);
    m_view = new QTableView(content);
    m_view->setModel(m_results);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    m_view->setShowGrid(false);
    m_view->setAlternatingRowColors(true);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->setColumnWidth(CCheckResultsModel::kColumnSeverity, 90);
    m_view->setColumnWidth(CCheckResultsModel::kColumnLine, 50);
    m_view->setColumnWidth(CCheckResultsModel::kColumnConcerns, 200);
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->addWidget(m_summary);
    layout->addWidget(m_view, 1);
    setWidget(content);

    m_runAction = new QAction(this);
    RetranslateUi();
    m_runAction->setShortcut(QKeySequence(Qt::Key_F7));
    connect(m_runAction, &QAction::triggered, this, &CCheckResultsDock::Run);
    // A double-click, or Enter on the current row.
    connect(m_view, &QAbstractItemView::activated, this,
        [this](const QModelIndex &index) { ActivateRow(index.row()); });
    // Rows of a project that changed since may name lines and resources that are no longer so.
    connect(
        &documents, &CDocumentSet::DocumentChanged, this, [this](CKXDialogEditorDoc *, int what) {
            if (what & ~kChangeSelection)
                MarkOutdated();
        });
    connect(&documents, &CDocumentSet::ResourcesChanged, this, &CCheckResultsDock::MarkOutdated);
}

void CCheckResultsDock::RetranslateUi()
{
    setWindowTitle(tr("検査結果"));
    m_runAction->setText(tr("プロジェクトの検査"));
    m_results->Retranslate();
    if (m_checked)
        ShowSummary();
}

void CCheckResultsDock::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QDockWidget::changeEvent(event);
}

void CCheckResultsDock::Run()
{
    // The value still being typed in a field is checked too.
    if (m_panel)
        m_panel->Properties()->FinishEditing();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    kx::ProjectLines lines;
    const std::string file = m_fileOfModel ? m_fileOfModel() : std::string();
    std::string content;
    m_withLines = !file.empty() && ReadFile(file, content);
    if (m_withLines)
        lines = kx::ScanProjectLines(content);
    m_results->SetProblems(kx::CheckProject(m_project, lines));
    QApplication::restoreOverrideCursor();
    m_checked = true;
    m_outdated = false;
    m_rechecked = false;
    ShowSummary();
    show();
    raise();
}

void CCheckResultsDock::MarkOutdated()
{
    if (!m_checked || m_outdated)
        return;
    m_outdated = true;
    m_rechecked = false;
    ShowSummary();
}

void CCheckResultsDock::ShowSummary()
{
    QStringList parts;
    const int errors = m_results->Count(kx::Severity::kError);
    const int warnings = m_results->Count(kx::Severity::kWarning);
    if (errors + warnings == 0)
        parts << tr("問題はありません。");
    else
        parts << tr("エラー %1 件、警告 %2 件").arg(errors).arg(warnings);
    if (errors + warnings > 0 && !m_withLines)
        parts << tr("行番号は、プロジェクトが保存したファイルと同じ内容のときにだけ表示されます。");
    if (m_outdated)
        parts << tr("検査の後にプロジェクトが変更されました (F7 で再検査)。");
    if (m_rechecked)
        parts << tr("選んだ項目はもうプロジェクトにないため、検査をやり直しました。");
    m_summary->setText(parts.join(QLatin1Char(' ')));
}

KXClass *CCheckResultsDock::Find(const CCheckResultsModel::Row &row) const
{
    using Target = CCheckResultsModel::Target;
    // Only the project's live resources are searched, and only by serial: the history's copies
    // share their originals' serials but are never part of the project.
    switch (row.target) {
    case Target::Object:
        for (const auto &dialog : m_project.Dialogs()) {
            if (CObjectData *object = dialog->RootGroup()->FindBySerial(row.serial))
                return object;
        }
        break;
    case Target::Dialog:
        for (const auto &dialog : m_project.Dialogs()) {
            if (dialog->Serial() == row.serial)
                return dialog.get();
        }
        break;
    case Target::Font:
        for (const auto &font : m_project.Fonts()) {
            if (font->Serial() == row.serial)
                return font.get();
        }
        break;
    case Target::Image:
        for (const auto &image : m_project.Images()) {
            if (image->Serial() == row.serial)
                return image.get();
        }
        break;
    case Target::None:
        break;
    }
    return nullptr;
}

bool CCheckResultsDock::ActivateRow(int row)
{
    const CCheckResultsModel::Row *found = m_results->RowAt(row);
    if (!found || found->target == CCheckResultsModel::Target::None || !m_panel)
        return false;
    KXClass *resource = Find(*found);
    if (!resource) {
        // The project changed under the list: what the list says now is checked afresh.
        Run();
        m_rechecked = true;
        ShowSummary();
        return false;
    }
    Select(resource);
    return true;
}

void CCheckResultsDock::Select(KXClass *resource)
{
    CResourceDlg &panel = *m_panel;
    if (resource->Kind() == kKindFont || resource->Kind() == kKindImage) {
        const bool font = resource->Kind() == kKindFont;
        CResourceListView *list = font ? static_cast<CResourceListView *>(panel.FontList())
                                       : static_cast<CResourceListView *>(panel.ImageList());
        if (font)
            panel.FontList()->RefreshCount();
        else
            panel.ImageList()->RefreshCount();
        list->SetCurrentRow(font ? m_project.Fonts().IndexOf(static_cast<CFontData *>(resource))
                                 : m_project.Images().IndexOf(static_cast<CImageData *>(resource)));
        panel.SetMode(font ? CResourceDlg::kModeFont : CResourceDlg::kModeImage);
        // The definitions are seen only in the panel.
        if (auto *bar = qobject_cast<QDockWidget *>(panel.parentWidget())) {
            bar->show();
            bar->raise();
        }
        return;
    }
    // An object as a click on its tree item selects it, opening its dialog's window; the root
    // group has no item and stands for its dialog.
    QTreeWidgetItem *item = panel.ItemOf(resource);
    if (!item && resource->Kind() == kKindObject) {
        for (const auto &dialog : m_project.Dialogs()) {
            if (dialog->RootGroup() == resource)
                item = panel.ItemOf(dialog.get());
        }
    }
    if (!item)
        return;
    // The object tab keeps showing objects; any other tab gives way to the tree.
    const bool objectTab = panel.Mode() == CResourceDlg::kModeObject;
    if (!objectTab && panel.Mode() != CResourceDlg::kModeDialog)
        panel.SetMode(CResourceDlg::kModeDialog);
    panel.ClickTreeItem(item);
    if (objectTab)
        panel.SetMode(CResourceDlg::kModeObject);
}
