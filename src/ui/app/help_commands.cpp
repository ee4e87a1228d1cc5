#include "ui/app/help_commands.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QHeaderView>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr const char *kInstalledGuide = "../share/kxdialogeditor/doc/user-guide.html";
constexpr const char *kSourceGuide = "docs/user-guide.md";
// The line of a build's CMakeCache.txt that names the sources of this project.
constexpr const char *kSourceDirEntry = "KXDialogEditor_SOURCE_DIR:STATIC=";
// The programs of a build lie at most this many folders below the build folder.
constexpr int kBuildFolderDepth = 4;

// The guide's pictures are screenshots of the whole editor: wider ones are shown as wide as the
// window's text, so that reading needs no sideways scrolling.
constexpr int kGuideWidth = 940;
constexpr int kPictureWidth = 840;

class GuideBrowser final : public QTextBrowser {
public:
    explicit GuideBrowser(QWidget *parent)
        : QTextBrowser(parent)
    { }

    QVariant loadResource(int type, const QUrl &name) override
    {
        QVariant resource = QTextBrowser::loadResource(type, name);
        if (type != QTextDocument::ImageResource || resource.typeId() != QMetaType::QByteArray)
            return resource;
        const QImage picture = QImage::fromData(resource.toByteArray());
        if (picture.width() <= kPictureWidth)
            return resource;
        return picture.scaledToWidth(kPictureWidth, Qt::SmoothTransformation);
    }
};

// The source folder of the build that folder belongs to, or empty.
QString SourceFolderOfBuild(const QString &folder)
{
    QDir dir(folder);
    for (int up = 0; up <= kBuildFolderDepth; ++up) {
        QFile cache(dir.filePath(QStringLiteral("CMakeCache.txt")));
        if (cache.open(QIODevice::ReadOnly | QIODevice::Text)) {
            while (!cache.atEnd()) {
                const QByteArray line = cache.readLine().trimmed();
                if (line.startsWith(kSourceDirEntry))
                    return QString::fromUtf8(line.mid(qstrlen(kSourceDirEntry)));
            }
            // The build of another project: the program is not ours to place.
            return {};
        }
        if (!dir.cdUp())
            break;
    }
    return {};
}

// A menu or command text as a list shows it: "新規作成(&N)" and "&New..." become "新規作成" and
// "New"; "&&" stays one ampersand.
QString PlainText(QString text)
{
    text = text.section(QLatin1Char('\t'), 0, 0);
    static const QRegularExpression bracketed(QStringLiteral("\\(&[^&]\\)"));
    text.remove(bracketed);
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        plain.append(text.at(i));
    }
    if (plain.endsWith(QLatin1String("...")))
        plain.chop(3);
    else if (plain.endsWith(QChar(0x2026)))
        plain.chop(1);
    return plain.trimmed();
}

void Collect(const QList<QAction *> &actions, const QString &menu,
    QList<kx::ui::ShortcutEntry> &entries, QSet<const QAction *> &seen)
{
    for (QAction *action : actions) {
        if (action->isSeparator() || seen.contains(action))
            continue;
        seen.insert(action);
        if (QMenu *submenu = action->menu()) {
            const QString title = PlainText(submenu->title());
            Collect(submenu->actions(),
                menu.isEmpty() ? title : menu + QStringLiteral(" \u203A ") + title, entries, seen);
        } else if (!action->shortcuts().isEmpty()) {
            entries.append({menu, PlainText(action->text()), action->shortcuts()});
        }
    }
}

} // namespace

namespace kx::ui {

QString InstalledUserGuide(const QString &programFolder)
{
    return QDir::cleanPath(QDir(programFolder).filePath(QString::fromLatin1(kInstalledGuide)));
}

QString FindUserGuide(const QString &programFolder)
{
    const QString installed = InstalledUserGuide(programFolder);
    if (QFileInfo(installed).isFile())
        return installed;
    const QString sources = SourceFolderOfBuild(programFolder);
    if (sources.isEmpty())
        return {};
    const QString guide = QDir(sources).filePath(QString::fromLatin1(kSourceGuide));
    return QFileInfo(guide).isFile() ? guide : QString();
}

QList<ShortcutEntry> CollectShortcuts(const QMainWindow &window)
{
    QList<ShortcutEntry> entries;
    QSet<const QAction *> seen;
    if (QMenuBar *bar = window.menuBar())
        Collect(bar->actions(), QString(), entries, seen);
    Collect(window.actions(), QString(), entries, seen);
    return entries;
}

QString HeadingAnchor(const QString &heading)
{
    QString anchor;
    for (const QChar c : heading.toLower()) {
        if (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_'))
            anchor.append(c);
        else if (c == QLatin1Char(' '))
            anchor.append(QLatin1Char('-'));
    }
    return anchor;
}

} // namespace kx::ui

CHelpCommands::CHelpCommands(QMenu *menu, QMainWindow *window)
    : QObject(menu)
    , m_window(window)
    , m_guideAction(new QAction(this))
    , m_shortcutsAction(new QAction(this))
{
    m_guideAction->setShortcut(QKeySequence::HelpContents);
    connect(m_guideAction, &QAction::triggered, this,
        [this] { ShowUserGuide(kx::ui::FindUserGuide(QCoreApplication::applicationDirPath())); });
    connect(m_shortcutsAction, &QAction::triggered, this, &CHelpCommands::ShowShortcuts);
    menu->addAction(m_guideAction);
    menu->addAction(m_shortcutsAction);
    RetranslateUi();
}

QTextBrowser *CHelpCommands::GuideWindow() const
{
    return m_guide;
}

QDialog *CHelpCommands::ShortcutsWindow() const
{
    return m_shortcuts;
}

bool CHelpCommands::event(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        RetranslateUi();
        // Later, not now: the other commands take their new texts from the same event.
        if (m_shortcuts && m_shortcuts->isVisible())
            QMetaObject::invokeMethod(this, &CHelpCommands::FillShortcuts, Qt::QueuedConnection);
    }
    return QObject::event(event);
}

void CHelpCommands::RetranslateUi()
{
    m_guideAction->setText(tr("ユーザーガイド(&U)"));
    m_shortcutsAction->setText(tr("キーボードショートカット(&K)"));
    if (m_guide)
        m_guide->setWindowTitle(tr("ユーザーガイド") + QStringLiteral(" - KXDialogEditor"));
    if (m_shortcuts) {
        m_shortcuts->setWindowTitle(tr("キーボードショートカット"));
        m_table->setHeaderLabels({tr("コマンド"), tr("キー")});
    }
}

void CHelpCommands::ShowUserGuide(const QString &path)
{
    if (!m_guide) {
        m_guide = new GuideBrowser(m_window);
        m_guide->setWindowFlag(Qt::Window);
        m_guide->setAttribute(Qt::WA_DeleteOnClose);
        // Links are followed here: the guide's contents point at headings by their anchors.
        m_guide->setOpenLinks(false);
        connect(m_guide, &QTextBrowser::anchorClicked, this, &CHelpCommands::FollowLink);
        m_guide->resize(kGuideWidth, 720);
        RetranslateUi();
    }
    if (path.isEmpty()) {
        m_guide->setHtml(
            QStringLiteral("<p>%1</p>")
                .arg(tr("ユーザーガイドが見つかりません。インストールでは %1 にあります。")
                         .arg(kx::ui::InstalledUserGuide(QCoreApplication::applicationDirPath())
                                  .toHtmlEscaped())));
    } else {
        // A .md file is read as Markdown; its pictures are found beside it.
        m_guide->setSource(QUrl::fromLocalFile(path));
    }
    m_guide->show();
    m_guide->raise();
    m_guide->activateWindow();
}

void CHelpCommands::FollowLink(const QUrl &link)
{
    if (!link.isRelative() && !link.isLocalFile()) {
        QDesktopServices::openUrl(link);
        return;
    }
    const QUrl target = m_guide->source().resolved(link);
    if (target.adjusted(QUrl::RemoveFragment) != m_guide->source().adjusted(QUrl::RemoveFragment)) {
        m_guide->setSource(target);
        return;
    }
    // The heading whose anchor the link names, found by its text (the Markdown reader gives
    // headings no anchors of their own), or an anchor of the page; else the page stays put.
    const QString anchor = link.fragment(QUrl::FullyDecoded);
    for (QTextBlock block = m_guide->document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0
            && kx::ui::HeadingAnchor(block.text()) == anchor) {
            const QRectF place = m_guide->document()->documentLayout()->blockBoundingRect(block);
            m_guide->verticalScrollBar()->setValue(qRound(place.top()));
            return;
        }
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            if (fragment.fragment().charFormat().anchorNames().contains(anchor)) {
                m_guide->scrollToAnchor(anchor);
                return;
            }
        }
    }
}

void CHelpCommands::ShowShortcuts()
{
    if (!m_shortcuts) {
        m_shortcuts = new QDialog(m_window);
        m_table = new QTreeWidget(m_shortcuts);
        m_table->setColumnCount(2);
        m_table->setRootIsDecorated(false);
        m_table->setSelectionMode(QAbstractItemView::NoSelection);
        m_table->header()->setSectionResizeMode(0, QHeaderView::Stretch);
        m_table->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
        m_table->header()->setStretchLastSection(false);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, m_shortcuts);
        connect(buttons, &QDialogButtonBox::rejected, m_shortcuts, &QDialog::reject);
        auto *layout = new QVBoxLayout(m_shortcuts);
        layout->addWidget(m_table);
        layout->addWidget(buttons);
        m_shortcuts->resize(520, 560);
        RetranslateUi();
    }
    FillShortcuts();
    m_shortcuts->show();
    m_shortcuts->raise();
    m_shortcuts->activateWindow();
}

void CHelpCommands::FillShortcuts()
{
    m_table->clear();
    QTreeWidgetItem *group = nullptr;
    for (const kx::ui::ShortcutEntry &entry : kx::ui::CollectShortcuts(*m_window)) {
        const QString title = entry.menu.isEmpty() ? tr("メインウィンドウ") : entry.menu;
        if (!group || group->text(0) != title) {
            group = new QTreeWidgetItem(m_table, {title});
            group->setFirstColumnSpanned(true);
            QFont bold = group->font(0);
            bold.setBold(true);
            group->setFont(0, bold);
        }
        QStringList keys;
        for (const QKeySequence &key : entry.keys)
            keys.append(key.toString(QKeySequence::NativeText));
        new QTreeWidgetItem(group, {entry.command, keys.join(QStringLiteral(", "))});
    }
    m_table->expandAll();
}
