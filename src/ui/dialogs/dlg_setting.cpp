#include "ui/dialogs/dlg_setting.h"

#include "ui/app/message_box_sink.h"
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
    , m_messageBox(std::make_unique<CMessageBoxSink>(this))
    , m_messages(m_messageBox.get())
{
    setWindowTitle(tr("設定"));

    // group: the inner group of the field, which tells apart labels that occur twice.
    const auto addField = [this](QFormLayout *form, const char *label, kx::PrefixIndex index,
                              const char *group = nullptr) {
        auto *edit = new QLineEdit(kx::ui::FromUtf8(m_prefixes.Get(index)), this);
        form->addRow(tr(label), edit);
        m_fields[index] = edit;
        m_names[index]
            = group ? tr("「%1」（%2）").arg(tr(label), tr(group)) : tr("「%1」").arg(tr(label));
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
    addField(objectForm, "ボタン", kx::kPrefixOB, "オブジェクト");
    addField(objectForm, "エディットボックス", kx::kPrefixOE, "オブジェクト");
    addField(objectForm, "フレーム", kx::kPrefixOF, "オブジェクト");
    addField(objectForm, "ピクチャー", kx::kPrefixOP, "オブジェクト");
    addField(objectForm, "アイコン", kx::kPrefixOI, "オブジェクト");
    addField(objectForm, "ムービー", kx::kPrefixOM, "オブジェクト");
    addField(objectForm, "キャンバス", kx::kPrefixOC, "オブジェクト");
    addField(objectForm, "テキスト", kx::kPrefixOT, "オブジェクト");
    prefixLayout->addWidget(objectGroup);

    auto *imageGroup = new QGroupBox(tr("リソース イメージ"), prefixGroup);
    auto *imageForm = new QFormLayout(imageGroup);
    addField(imageForm, "ボタン", kx::kPrefixIB, "リソース イメージ");
    addField(imageForm, "エディットボックス", kx::kPrefixIE, "リソース イメージ");
    addField(imageForm, "フレーム", kx::kPrefixIF, "リソース イメージ");
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

DlgSetting::~DlgSetting() = default;

void DlgSetting::SetMessageSink(kx::IMessageSink *sink)
{
    m_messages = sink ? sink : m_messageBox.get();
}

void DlgSetting::accept()
{
    // An empty prefix would give new dialogs an empty name and generated classes no prefix.
    for (int i = 0; i < kx::kPrefixCount; ++i) {
        const auto index = static_cast<kx::PrefixIndex>(i);
        if (!m_fields[index]->text().trimmed().isEmpty())
            continue;
        m_messages->ShowMessage(
            kx::ui::ToUtf8(
                tr("%1のプレフィックスが空です。入力してください。").arg(m_names[index])),
            kx::MessageIcon::Warning);
        m_fields[index]->setFocus();
        return;
    }
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
