// The editor's language: chosen from the system or the settings, switched while windows are
// open, and in English every window shows English only. The walk fails as soon as a text of the
// editor is added without a translation.
#include "platform/message_sink.h"
#include "ui/app/help_commands.h"
#include "ui/app/language.h"
#include "ui/app/main_frame.h"
#include "ui/app/unsaved_changes.h"
#include "ui/dialogs/dlg_setting.h"
#include "ui/dialogs/skeleton_dlg.h"
#include "ui/panels/check_results_dock.h"
#include "ui/panels/resource_dlg.h"
#include "ui/support/name_messages.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

namespace {

QString Utf8(const char *text)
{
    return QString::fromUtf8(text);
}

// Texts in Japanese script: kana, kanji, full-width forms and Japanese punctuation.
const QRegularExpression &JapaneseScript()
{
    static const QRegularExpression script(
        QStringLiteral("[\\x{3000}-\\x{30FF}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return script;
}

// Collects the texts that windows show and tells which are still Japanese once the project's
// own words (names, titles and texts of the demo, which are data and stay as written) are taken
// out.
class TextWalk {
public:
    explicit TextWalk(const QString &projectFile)
    {
        QFile file(projectFile);
        if (file.open(QIODevice::ReadOnly)) {
            static const QRegularExpression run(QStringLiteral("[^\\x{0}-\\x{7F}]+"));
            const QString text = QString::fromUtf8(file.readAll());
            for (auto match = run.globalMatch(text); match.hasNext();)
                m_data.insert(match.next().captured());
        }
    }

    void Walk(QWidget *window, const QString &where)
    {
        Note(window->windowTitle(), where, window);
        QList<QWidget *> widgets = window->findChildren<QWidget *>();
        widgets.prepend(window);
        for (QWidget *widget : widgets) {
            if (widget != window && !widget->isVisibleTo(window))
                continue;
            Note(widget->toolTip(), where, widget);
            if (auto *label = qobject_cast<QLabel *>(widget))
                Note(label->text(), where, widget);
            if (auto *button = qobject_cast<QAbstractButton *>(widget))
                Note(button->text(), where, widget);
            if (auto *group = qobject_cast<QGroupBox *>(widget))
                Note(group->title(), where, widget);
            if (auto *dock = qobject_cast<QDockWidget *>(widget))
                Note(dock->windowTitle(), where, widget);
            if (auto *edit = qobject_cast<QLineEdit *>(widget))
                Note(edit->placeholderText(), where, widget);
            if (auto *box = qobject_cast<QMessageBox *>(widget)) {
                Note(box->text(), where, widget);
                Note(box->informativeText(), where, widget);
            }
            if (auto *tabs = qobject_cast<QTabBar *>(widget)) {
                for (int i = 0; i < tabs->count(); ++i) {
                    Note(tabs->tabText(i), where, widget);
                    Note(tabs->tabToolTip(i), where, widget);
                }
            }
            if (auto *combo = qobject_cast<QComboBox *>(widget)) {
                for (int i = 0; i < combo->count(); ++i)
                    Note(combo->itemText(i), where, widget);
            }
            if (auto *header = qobject_cast<QHeaderView *>(widget)) {
                const Qt::Orientation orientation = header->orientation();
                const int sections = header->count();
                for (int i = 0; header->model() && i < sections; ++i)
                    Note(header->model()->headerData(i, orientation).toString(), where, widget);
            }
            if (auto *tree = qobject_cast<QTreeWidget *>(widget))
                WalkItems(tree->invisibleRootItem(), where, widget);
            for (QAction *action : widget->actions())
                WalkAction(action, where, widget);
        }
    }

    const QStringList &Untranslated() const { return m_untranslated; }
    int Count() const { return m_count; }

private:
    void WalkAction(QAction *action, const QString &where, QWidget *widget)
    {
        Note(action->text(), where, widget);
        Note(action->toolTip(), where, widget);
        Note(action->statusTip(), where, widget);
        if (QMenu *menu = action->menu()) {
            Note(menu->title(), where, menu);
            for (QAction *item : menu->actions())
                WalkAction(item, where, menu);
        }
    }

    void WalkItems(QTreeWidgetItem *item, const QString &where, QWidget *widget)
    {
        for (int i = 0; i < item->childCount(); ++i) {
            QTreeWidgetItem *child = item->child(i);
            for (int column = 0; column < child->columnCount(); ++column)
                Note(child->text(column), where, widget);
            WalkItems(child, where, widget);
        }
    }

    void Note(QString text, const QString &where, QWidget *widget)
    {
        if (text.isEmpty())
            return;
        ++m_count;
        for (const QString &data : m_data)
            text.replace(data, QString());
        if (text.contains(JapaneseScript())) {
            m_untranslated.append(where + QLatin1String(" / ")
                + QString::fromLatin1(widget->metaObject()->className()) + QLatin1String(": ")
                + text);
        }
    }

    QSet<QString> m_data;
    QStringList m_untranslated;
    int m_count = 0;
};

// Runs open, which shows a modal window and waits for it, walks that window and closes it.
void WalkModal(TextWalk &walk, const QString &where, const std::function<void()> &open)
{
    bool walked = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || walked)
            return;
        walked = true;
        walk.Walk(modal, where);
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
    });
    poll.start();
    open();
    poll.stop();
    QVERIFY2(walked, qPrintable(where));
}

// Windows retranslate when the event loop runs; a menu rebuilds itself one turn later.
void Settle()
{
    for (int turn = 0; turn < 2; ++turn)
        QCoreApplication::processEvents();
}

QAction *ActionWithText(QWidget *window, const QString &text)
{
    for (QAction *action : window->findChildren<QAction *>()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void SystemLocaleAndStoredChoiceDecide();
    void EnglishWindowsShowNoJapaneseAndJapaneseComesBack();
    void NameMessagesSayTheCoresWordsInEnglish();

private:
    kx::RecordingMessageSink m_messages;
};

void LanguageTest::initTestCase()
{
    // The stored choice lives in the test's own settings folder.
    QStandardPaths::setTestModeEnabled(true);
}

void LanguageTest::cleanup()
{
    kx::ui::ApplyLanguage(kx::ui::Language::Japanese);
}

void LanguageTest::SystemLocaleAndStoredChoiceDecide()
{
    using kx::ui::Language;
    using kx::ui::LanguageChoice;
    const struct {
        LanguageChoice choice;
        const char *locale;
        Language language;
    } cases[] = {
        {LanguageChoice::Automatic, "ja_JP", Language::Japanese},
        {LanguageChoice::Automatic, "C", Language::English},
        {LanguageChoice::Automatic, "en_US", Language::English},
        {LanguageChoice::Automatic, "de_DE", Language::English},
        {LanguageChoice::Japanese, "en_US", Language::Japanese},
        {LanguageChoice::English, "ja_JP", Language::English},
    };
    for (const auto &c : cases) {
        QCOMPARE(
            kx::ui::ResolveLanguage(c.choice, QLocale(QString::fromLatin1(c.locale))), c.language);
    }

    // The settings dialog keeps the choice in the editor's settings and applies it at once.
    kx::PrefixSettings prefixes;
    const QTemporaryDir folder;
    {
        DlgSetting dialog(prefixes, nullptr, folder.filePath(QStringLiteral("DialogEditor.ini")));
        QComboBox *combo = dialog.LanguageCombo();
        combo->setCurrentIndex(2);
        QCOMPARE(dialog.ChosenLanguage(), LanguageChoice::English);
        dialog.accept();
    }
    QCOMPARE(kx::ui::StoredLanguageChoice(), LanguageChoice::English);
    QCOMPARE(kx::ui::CurrentLanguage(), Language::English);
    kx::ui::StoreLanguageChoice(LanguageChoice::Automatic);
    QCOMPARE(kx::ui::StoredLanguageChoice(), LanguageChoice::Automatic);
}

void LanguageTest::EnglishWindowsShowNoJapaneseAndJapaneseComesBack()
{
    QVERIFY(kx::ui::ApplyLanguage(kx::ui::Language::Japanese));
    CMainFrame frame;
    frame.SetMessageSink(&m_messages);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QVERIFY(frame.LoadProject(Utf8(KX_DEMO_PROJECT)));
    QAction *settings = ActionWithText(&frame, Utf8("設定"));
    QAction *about = ActionWithText(&frame, Utf8("バージョン情報(&A)"));
    QVERIFY(settings && about);
    QTreeWidget *tree = frame.ResourcePanel()->Tree();
    frame.ResourcePanel()->ClickTreeItem(tree->topLevelItem(0)->child(0));

    // Switched while the windows are open, as the settings dialog does.
    QVERIFY(kx::ui::ApplyLanguage(kx::ui::Language::English));
    Settle();
    TextWalk walk(Utf8(KX_DEMO_PROJECT));

    // The main window in every mode of the panel, with the fields of every kind of resource
    // and object type that the project holds.
    CResourceDlg *panel = frame.ResourcePanel();
    for (int mode = CResourceDlg::kModeResource; mode <= CResourceDlg::kModeFont; ++mode) {
        panel->SetMode(mode);
        walk.Walk(&frame, QStringLiteral("mode %1").arg(mode));
    }
    panel->SetMode(CResourceDlg::kModeResource);
    QSet<QString> shownTypes;
    std::function<void(QTreeWidgetItem *)> visit = [&](QTreeWidgetItem *item) {
        for (int i = 0; i < item->childCount(); ++i) {
            QTreeWidgetItem *child = item->child(i);
            // One item of each kind is enough: the kind is what decides the fields.
            const KXClass *resource = CResourceDlg::ItemObject(child);
            const QString kind = resource
                ? QString::fromLatin1(typeid(*resource).name()) + child->text(0).section(' ', 2)
                : child->text(0);
            if (!shownTypes.contains(kind)) {
                shownTypes.insert(kind);
                panel->ClickTreeItem(child);
                walk.Walk(&frame, QLatin1String("item ") + child->text(0));
            }
            visit(child);
        }
    };
    visit(tree->invisibleRootItem());

    // The windows the menus open.
    frame.SkeletonAction()->trigger();
    for (auto *skeleton : frame.findChildren<CSkeletonDlg *>())
        walk.Walk(skeleton, QStringLiteral("skeleton"));
    frame.CheckResults()->RunAction()->trigger();
    walk.Walk(frame.CheckResults(), QStringLiteral("check results"));
    WalkModal(walk, QStringLiteral("settings"), [&] { settings->trigger(); });
    WalkModal(walk, QStringLiteral("about"), [&] { about->trigger(); });
    auto *help = frame.findChild<CHelpCommands *>();
    QVERIFY(help);
    help->ShowShortcuts();
    walk.Walk(help->ShortcutsWindow(), QStringLiteral("keyboard shortcuts"));
    help->ShowUserGuide(QString());
    walk.Walk(help->GuideWindow(), QStringLiteral("user guide"));
    const kx::ui::EditorQuestions questions;
    WalkModal(walk, QStringLiteral("unsaved changes"),
        [&] { questions.saveChanges(&frame, QStringLiteral("Demo")); });
    WalkModal(walk, QStringLiteral("copy into project"), [&] {
        questions.copyIntoProject(&frame, QStringLiteral("/tmp/a.png"), QStringLiteral("/p/res"));
    });
    WalkModal(walk, QStringLiteral("replace file"),
        [&] { questions.replaceFile(&frame, QStringLiteral("/p/res/a.png")); });
    WalkModal(walk, QStringLiteral("restore"), [&] {
        CRecoveryCopy::Abandoned copy;
        copy.projectName = QStringLiteral("Demo");
        copy.projectFile = QStringLiteral("/p/demo.xml");
        copy.written = QDateTime::currentDateTime();
        questions.restore(&frame, copy);
    });
    WalkModal(walk, QStringLiteral("picture chooser"),
        [&] { questions.chooseFile(&frame, QDir::tempPath(), kx::ui::ProjectFileKind::Picture); });
    QVERIFY2(walk.Untranslated().isEmpty(), qPrintable(walk.Untranslated().join('\n')));
    QVERIFY(walk.Count() > 300);

    // Back in Japanese the texts are the ones written in the sources, Qt's buttons included.
    QVERIFY(kx::ui::ApplyLanguage(kx::ui::Language::Japanese));
    Settle();
    QCOMPARE(settings->text(), Utf8("設定"));
    QCOMPARE(about->text(), Utf8("バージョン情報(&A)"));
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), Utf8("キャンセル"));
}

QTEST_MAIN(LanguageTest)
// The editor's name messages and the reasons of kxdialog check and generate are the same words.
void LanguageTest::NameMessagesSayTheCoresWordsInEnglish()
{
    QVERIFY(kx::ui::ApplyLanguage(kx::ui::Language::English));
    for (const kx::NameFault fault : {kx::NameFault::kEmpty, kx::NameFault::kLeadingDigit,
             kx::NameFault::kBadCharacter, kx::NameFault::kReservedWord}) {
        QCOMPARE(kx::ui::NameFaultMessage(fault),
            QStringLiteral("Error: ") + QString::fromUtf8(kx::NameFaultText(fault))
                + QLatin1Char('.'));
    }
    QVERIFY(kx::ui::NameFaultMessage(kx::NameFault::kNone).isEmpty());
    QVERIFY(kx::ui::ApplyLanguage(kx::ui::Language::Japanese));
    QCOMPARE(kx::ui::NameFaultMessage(kx::NameFault::kLeadingDigit),
        QString::fromUtf8("エラー: 名前を数字で始めることはできません."));
}

#include "language_test.moc"
