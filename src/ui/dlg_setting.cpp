#include "ui/dlg_setting.h"

#include "ui/settings_file.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString Utf8(const char *text)
{
    return QString::fromUtf8(text);
}

} // namespace

DlgSetting::DlgSetting(kx::PrefixSettings &prefixes, QWidget *parent, QString settingsPath)
    : QDialog(parent)
    , m_prefixes(prefixes)
    , m_saved(prefixes)
    , m_settingsPath(settingsPath.isEmpty() ? kx::SettingsFileLocation() : std::move(settingsPath))
{
    setWindowTitle(Utf8("設定"));

    const auto addField = [this](QFormLayout *form, const char *label, kx::PrefixIndex index) {
        auto *edit = new QLineEdit(QString::fromStdString(m_prefixes.Get(index)), this);
        form->addRow(Utf8(label), edit);
        m_fields[index] = edit;
    };

    auto *prefixGroup = new QGroupBox(Utf8("プレフィックス"), this);
    auto *prefixLayout = new QVBoxLayout(prefixGroup);

    auto *classForm = new QFormLayout;
    addField(classForm, "KXApplication クラスファイル", kx::kPrefixApp);
    addField(classForm, "KXDialog クラスファイル", kx::kPrefixDlg);
    addField(classForm, "ダイアログ", kx::kPrefixDID);
    prefixLayout->addLayout(classForm);

    auto *objectGroup = new QGroupBox(Utf8("オブジェクト"), prefixGroup);
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

    auto *imageGroup = new QGroupBox(Utf8("リソース イメージ"), prefixGroup);
    auto *imageForm = new QFormLayout(imageGroup);
    addField(imageForm, "ボタン", kx::kPrefixIB);
    addField(imageForm, "エディットボックス", kx::kPrefixIE);
    addField(imageForm, "フレーム", kx::kPrefixIF);
    prefixLayout->addWidget(imageGroup);

    auto *fontForm = new QFormLayout;
    addField(fontForm, "フォント", kx::kPrefixFNT);
    prefixLayout->addLayout(fontForm);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Utf8("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Utf8("キャンセル"));
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
        m_prefixes.Set(index, m_fields[index]->text().toStdString());
    }
    kx::SavePrefixSettings(m_prefixes, m_settingsPath);
    QDialog::accept();
}

void DlgSetting::reject()
{
    m_prefixes = m_saved;
    QDialog::reject();
}
