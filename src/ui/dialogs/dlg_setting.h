// The settings dialog: the fifteen identifier prefixes, saved to DialogEditor.ini on OK.
#pragma once

#include "model/prefix_settings.h"

#include <QDialog>
#include <QString>

#include <array>

class QLineEdit;

class DlgSetting : public QDialog {
    Q_OBJECT

public:
    // Edits prefixes in place. settingsPath is the file written on OK; empty means the editor's
    // usual settings file.
    DlgSetting(kx::PrefixSettings &prefixes, QWidget *parent, QString settingsPath = {});

    QLineEdit *Field(kx::PrefixIndex index) const { return m_fields[index]; }
    const QString &SettingsPath() const { return m_settingsPath; }

    // OK: the fields become the prefixes and all fifteen are written to the settings file; a
    // failed write is not reported.
    void accept() override;
    // Cancel or close: the prefixes keep the values they had when the dialog opened.
    void reject() override;

private:
    kx::PrefixSettings &m_prefixes;
    kx::PrefixSettings m_saved;
    QString m_settingsPath;
    std::array<QLineEdit *, kx::kPrefixCount> m_fields {};
};
