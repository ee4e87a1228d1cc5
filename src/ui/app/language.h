// The editor's language. Its texts are written in Japanese; an English translation is built in,
// and Qt's own dialogs and buttons take Qt's translation of the same language, so that no window
// shows a third one. The system's locale chooses unless the user has chosen in the settings
// dialog; the choice is kept in the editor's own settings, never in a project or generated file.
#pragma once

#include <QString>

class QLocale;

namespace kx::ui {

enum class Language { Japanese, English };
// What the settings dialog offers: follow the system, or one language.
enum class LanguageChoice { Automatic, Japanese, English };

// Japanese on a system whose user-interface language is Japanese, English on every other; a
// fixed choice is that language.
Language ResolveLanguage(LanguageChoice choice, const QLocale &system);

// The choice kept in the editor's settings; Automatic when none or an unknown one is kept.
LanguageChoice StoredLanguageChoice();
void StoreLanguageChoice(LanguageChoice choice);

// Installs the translations of the language: the editor's English one, or Qt's Japanese one for
// the file chooser and the standard buttons. Every window is then sent QEvent::LanguageChange and
// retranslates itself. False when a translation could not be loaded; the texts it would have
// translated stay as they are written.
bool ApplyLanguage(Language language);
// The language applied last; Japanese, the language of the texts as written, before any.
Language CurrentLanguage();

// The settings dialog's choice: kept, and applied when it means another language than now.
void ChangeLanguageChoice(LanguageChoice choice);

// Where the editor's English translation is built in.
QString EditorTranslationFile();

} // namespace kx::ui
