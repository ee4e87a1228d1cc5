// The settings dialog: the fifteen identifier prefixes, saved to DialogEditor.ini on OK.
#pragma once

#include "model/prefix_settings.h"

#include <QDialog>
#include <QString>

#include <array>
#include <memory>

class QLineEdit;

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
    // Where the refusal of an empty field is said; none restores the message box.
    void SetMessageSink(kx::IMessageSink *sink);

    // OK: the fields become the prefixes and all fifteen are written to the settings file; a
    // failed write is not reported. An empty field (a prefix must name something) is refused
    // with a message naming it, and the dialog stays open with that field focused.
    void accept() override;
    // Cancel or close: the prefixes keep the values they had when the dialog opened.
    void reject() override;

private:
    kx::PrefixSettings &m_prefixes;
    kx::PrefixSettings m_saved;
    QString m_settingsPath;
    std::array<QLineEdit *, kx::kPrefixCount> m_fields {};
    std::array<QString, kx::kPrefixCount> m_names {};
    std::unique_ptr<kx::IMessageSink> m_messageBox;
    kx::IMessageSink *m_messages = nullptr;
};
