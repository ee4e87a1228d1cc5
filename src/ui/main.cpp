// KXDialogEditor: the editor of the dialogs of a KX application.
#include "ui/app/language.h"
#include "ui/app/main_frame.h"
#include "ui/app/settings_file.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QStringList>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8("KXDialogEditor"));
    QApplication::setApplicationVersion(QString::fromUtf8(KX_VERSION));
    QApplication::setWindowIcon(QIcon(QString::fromUtf8(":/kxdialogeditor.svg")));
    // The desktop finds the menu entry, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.kxdialogeditor.KXDialogEditor"));
    // The language before the first window: the user's choice, else the system's.
    kx::ui::ApplyLanguage(
        kx::ui::ResolveLanguage(kx::ui::StoredLanguageChoice(), QLocale::system()));

    CMainFrame frame;
    // A missing settings file leaves the built-in prefixes.
    kx::LoadPrefixSettings(frame.Project().Prefixes(), kx::SettingsFileLocation());
    frame.show();
    // Unsaved work of an editor that crashed or was killed comes first; a file named on the
    // command line is then loaded into it.
    frame.OfferRecovery();
    const QStringList args = QApplication::arguments();
    if (args.size() > 1)
        frame.LoadProject(args.at(1));
    return app.exec();
}
