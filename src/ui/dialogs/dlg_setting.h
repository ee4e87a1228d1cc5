// The settings dialog: the fifteen identifier prefixes, saved to DialogEditor.ini on OK, and
// the editor's language and the canvas grid's spacing, kept in the editor's own settings.
#pragma once

#include "model/prefix_settings.h"
#include "ui/app/language.h"

#include <QDialog>
#include <QString>

#include <array>
#include <memory>

class QComboBox;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace kx {
class IMessageSink;
}

class DlgSetting : public QDialog {
    Q_OBJECT

public:
    // Edits prefixes in place. settingsPath is the file written on OK; empty means the editor's
    // usual settings file.
    DlgSetting(kx::PrefixSettings &prefixes, QWidget *parent, QString settingsPath = {});
    ~DlgSetting() override;

    QLineEdit *Field(kx::PrefixIndex index) const { return m_fields[index]; }
    const QString &SettingsPath() const { return m_settingsPath; }
    // How a field is named in messages: its label, and its group when the label repeats.
    const QString &FieldName(kx::PrefixIndex index) const { return m_names[index]; }
    // Where the refusal of a field is said; none restores the message box.
    void SetMessageSink(kx::IMessageSink *sink);
    // "言語": 自動 (the system's), 日本語, English.
    QComboBox *LanguageCombo() const { return m_language; }
    kx::ui::LanguageChoice ChosenLanguage() const;
    // The spacing of the canvas's grid in pixels (View › Grid, View › Snap to Grid).
    QSpinBox *GridSpacingBox() const { return m_gridSpacing; }

    // OK: the fields become the prefixes and all fifteen are written to the settings file; a
    // failed write is not reported. A language chosen anew is kept and applied at once. Fields
    // are taken without the blanks around them; one that cannot start a name (empty, a leading
    // digit, a character the name field refuses) is refused with a message naming it and the
    // fault, and the dialog stays open with that field focused.
    void accept() override;
    // Cancel or close: the prefixes keep the values they had when the dialog opened.
    void reject() override;

protected:
    void changeEvent(QEvent *event) override;

private:
    // A field's label: its caption and its text and group as written.
    struct FieldLabel {
        QLabel *caption = nullptr;
        const char *text = nullptr;
        const char *group = nullptr;
    };

    // The labels, titles and buttons in the language installed now.
    void RetranslateUi();

    kx::PrefixSettings &m_prefixes;
    kx::PrefixSettings m_saved;
    QString m_settingsPath;
    std::array<QLineEdit *, kx::kPrefixCount> m_fields {};
    std::array<QString, kx::kPrefixCount> m_names {};
    std::array<FieldLabel, kx::kPrefixCount> m_labels {};
    QGroupBox *m_prefixGroup = nullptr;
    QGroupBox *m_objectGroup = nullptr;
    QGroupBox *m_imageGroup = nullptr;
    QLabel *m_languageLabel = nullptr;
    QComboBox *m_language = nullptr;
    QLabel *m_gridLabel = nullptr;
    QSpinBox *m_gridSpacing = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
    std::unique_ptr<kx::IMessageSink> m_messageBox;
    kx::IMessageSink *m_messages = nullptr;
};
