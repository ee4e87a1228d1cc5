#include "ui/app/language.h"

#include "ui/app/settings_file.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QSettings>
#include <QTranslator>

namespace kx::ui {

namespace {

constexpr const char *kLanguageKey = "Editor/Language";

// The translators installed now; they belong to the application object and go with it.
struct Installed {
    QPointer<QTranslator> editor;
    QPointer<QTranslator> qt;
    Language language = Language::Japanese;
    bool applied = false;
};

Installed &State()
{
    static Installed installed;
    return installed;
}

void Remove(QPointer<QTranslator> &translator)
{
    if (!translator)
        return;
    QCoreApplication::removeTranslator(translator);
    delete translator.data();
    translator = nullptr;
}

QTranslator *Load(const QString &file, const QString &folder = QString())
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(file, folder) && QCoreApplication::installTranslator(translator))
        return translator;
    delete translator;
    return nullptr;
}

} // namespace

Language ResolveLanguage(LanguageChoice choice, const QLocale &system)
{
    switch (choice) {
    case LanguageChoice::Japanese:
        return Language::Japanese;
    case LanguageChoice::English:
        return Language::English;
    case LanguageChoice::Automatic:
        break;
    }
    // The first language the user wants messages in (LC_ALL, LC_MESSAGES, LANG, LANGUAGE).
    const QStringList wanted = system.uiLanguages();
    const QString first = wanted.isEmpty() ? system.name() : wanted.constFirst();
    return first.startsWith(QLatin1String("ja")) ? Language::Japanese : Language::English;
}

LanguageChoice StoredLanguageChoice()
{
    const QSettings settings(kx::EditorSettingsPath(), QSettings::IniFormat);
    const QString value = settings.value(QString::fromLatin1(kLanguageKey)).toString();
    if (value == QLatin1String("ja"))
        return LanguageChoice::Japanese;
    if (value == QLatin1String("en"))
        return LanguageChoice::English;
    return LanguageChoice::Automatic;
}

void StoreLanguageChoice(LanguageChoice choice)
{
    QSettings settings(kx::EditorSettingsPath(), QSettings::IniFormat);
    const char *value = choice == LanguageChoice::Japanese ? "ja"
        : choice == LanguageChoice::English                ? "en"
                                                           : "auto";
    settings.setValue(QString::fromLatin1(kLanguageKey), QString::fromLatin1(value));
}

QString EditorTranslationFile()
{
    return QStringLiteral(":/i18n/kxdialogeditor_en.qm");
}

bool ApplyLanguage(Language language)
{
    Installed &installed = State();
    Remove(installed.editor);
    Remove(installed.qt);
    installed.language = language;
    installed.applied = true;
    if (language == Language::English) {
        // Qt's own texts are English as written.
        installed.editor = Load(EditorTranslationFile());
        return installed.editor != nullptr;
    }
    // The editor's texts are Japanese as written.
    installed.qt
        = Load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return installed.qt != nullptr;
}

Language CurrentLanguage()
{
    return State().language;
}

void ChangeLanguageChoice(LanguageChoice choice)
{
    StoreLanguageChoice(choice);
    const Language language = ResolveLanguage(choice, QLocale::system());
    if (!State().applied || language != CurrentLanguage())
        ApplyLanguage(language);
}

} // namespace kx::ui
