// The Help menu's user guide and list of keyboard shortcuts. The guide is the HTML page an
// installation holds or, for a program run from its build folder, the Markdown guide of the
// sources; the shortcuts are read from the main window's actions each time the list is shown, so
// it always tells what the keys do now.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QAction;
class QDialog;
class QMainWindow;
class QMenu;
class QTextBrowser;
class QTreeWidget;
class QUrl;

namespace kx::ui {

// Where the user guide of a program in programFolder is: PREFIX/share/kxdialogeditor/doc/
// user-guide.html of an installation whose programs are in PREFIX/bin, else, when the program
// lies in a build folder of KXDialogEditor, docs/user-guide.md of the source folder that the
// build's CMakeCache.txt names. Empty when there is neither.
QString FindUserGuide(const QString &programFolder);
// Where an installation keeps the guide of a program in programFolder, found or not.
QString InstalledUserGuide(const QString &programFolder);

// One command of the main window that has keys.
struct ShortcutEntry {
    QString menu; // the menu it is in, "File" or "File › Recent Files"; empty for none
    QString command; // its text without mnemonic or ellipsis
    QList<QKeySequence> keys;
};
// The commands of the window's menus (in menu order) and of the window itself that have keys.
QList<ShortcutEntry> CollectShortcuts(const QMainWindow &window);

// A heading's anchor as GitHub writes it, which the guide's contents links use: lower case,
// spaces as hyphens, punctuation dropped ("The main window" -> "the-main-window").
QString HeadingAnchor(const QString &heading);

} // namespace kx::ui

class CHelpCommands : public QObject {
    Q_OBJECT

public:
    // Adds "User Guide" (F1) and "Keyboard Shortcuts" to the menu of the window.
    CHelpCommands(QMenu *menu, QMainWindow *window);

    QAction *UserGuideAction() const { return m_guideAction; }
    QAction *ShortcutsAction() const { return m_shortcutsAction; }
    // The windows of the two commands, once they were opened.
    QTextBrowser *GuideWindow() const;
    QDialog *ShortcutsWindow() const;
    // The shortcuts' table in its window.
    QTreeWidget *ShortcutTable() const { return m_table; }

    // Shows the guide at path in its window, or where it should be when path is empty.
    void ShowUserGuide(const QString &path);
    // Shows the list of shortcuts as the window's actions have them now.
    void ShowShortcuts();

protected:
    // The texts follow a change of language.
    bool event(QEvent *event) override;

private:
    void RetranslateUi();
    void FillShortcuts();
    // A link of the guide: its own headings, other files beside it, and the web.
    void FollowLink(const QUrl &link);

    QMainWindow *m_window;
    QAction *m_guideAction;
    QAction *m_shortcutsAction;
    QPointer<QTextBrowser> m_guide;
    QPointer<QDialog> m_shortcuts;
    QTreeWidget *m_table = nullptr;
};
