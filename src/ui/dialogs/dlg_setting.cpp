#include "ui/dialogs/dlg_setting.h"

#include "ui/app/settings_file.h"
#include "ui/support/qt_text.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

DlgSetting::DlgSetting(kx::PrefixSettings &prefixes, QWidget *parent, QString settingsPath)
    : QDialog(parent)
    , m_prefixes(prefixes)
    , m_saved(prefixes)
    , m_settingsPath(settingsPath.isEmpty() ? kx::SettingsFileLocation() : std::move(settingsPath))
{
    setWindowTitle(tr("設定"));

    const auto addField = [this](QFormLayout *form, const char *label, kx::PrefixIndex index) {
        auto *edit = new QLineEdit(kx::ui::FromUtf8(m_prefixes.Get(index)), this);
        form->addRow(tr(label), edit);
        m_fields[index] = edit;
    };

    auto *prefixGroup = new QGroupBox(tr("プレフィックス"), this);
    auto *prefixLayout = new QVBoxLayout(prefixGroup);

    auto *classForm = new QFormLayout;
    addField(classForm, "KXApplication クラスファイル", kx::kPrefixApp);
    addField(classForm, "KXDialog クラスファイル", kx::kPrefixDlg);
    addField(classForm, "ダイアログ", kx::kPrefixDID);
    prefixLayout->addLayout(classForm);

    auto *objectGroup = new QGroupBox(tr("オブジェクト"), prefixGroup);
    auto *objectForm = new QFormLayout(objectGroup);
    addField(objectForm, "ボタン", kx::kPrefixOB);
    addField(objectForm, "エディットボックス", kx::kPrefixOE);
    addField(objectForm, "フレーム", kx::kPrefixOF);
    addField(objectForm, "ピクチャー", kx::kPrefixOP);
    addField(objectForm, "アイコン", kx::kPrefixOI);
    addField(objectForm, "ムービー", kx::kPrefixOM);
    addField(objectForm, "キャンバス", kx::kPrefixOC);
    addField(objectForm, "テキスト", kx::kPrefixOT);
    prefixLayout->addWidget(objectGroup);

    auto *imageGroup = new QGroupBox(tr("リソース イメージ"), prefixGroup);
    auto *imageForm = new QFormLayout(imageGroup);
    addField(imageForm, "ボタン", kx::kPrefixIB);
    addField(imageForm, "エディットボックス", kx::kPrefixIE);
    addField(imageForm, "フレーム", kx::kPrefixIF);
    prefixLayout->addWidget(imageGroup);

    auto *fontForm = new QFormLayout;
    addField(fontForm, "フォント", kx::kPrefixFNT);
    prefixLayout->addLayout(fontForm);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &DlgSetting::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DlgSetting::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(prefixGroup);
    layout->addWidget(buttons);
}

void DlgSetting::accept()
{
    for (int i = 0; i < kx::kPrefixCount; ++i) {
        const auto index = static_cast<kx::PrefixIndex>(i);
        m_prefixes.Set(index, kx::ui::ToUtf8(m_fields[index]->text()));
    }
    kx::SavePrefixSettings(m_prefixes, m_settingsPath);
    QDialog::accept();
}

void DlgSetting::reject()
{
    m_prefixes = m_saved;
    QDialog::reject();
}
