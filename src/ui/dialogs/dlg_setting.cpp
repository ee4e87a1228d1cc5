#include "ui/dialogs/dlg_setting.h"

#include "ui/app/language.h"
#include "ui/app/message_box_sink.h"
#include "ui/app/settings_file.h"
#include "ui/app/view_settings.h"
#include "ui/support/name_messages.h"
#include "ui/support/qt_text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The languages of the combo, in its order.
constexpr kx::ui::LanguageChoice kLanguageChoices[] = {kx::ui::LanguageChoice::Automatic,
    kx::ui::LanguageChoice::Japanese, kx::ui::LanguageChoice::English};

} // namespace

DlgSetting::DlgSetting(kx::PrefixSettings &prefixes, QWidget *parent, QString settingsPath)
    : QDialog(parent)
    , m_prefixes(prefixes)
    , m_saved(prefixes)
    , m_settingsPath(settingsPath.isEmpty() ? kx::SettingsFileLocation() : std::move(settingsPath))
    , m_messageBox(std::make_unique<CMessageBoxSink>(this))
    , m_messages(m_messageBox.get())
{
    // group: the inner group of the field, which tells apart labels that occur twice.
    const auto addField = [this](QFormLayout *form, const char *label, kx::PrefixIndex index,
                              const char *group = nullptr) {
        auto *edit = new QLineEdit(kx::ui::FromUtf8(m_prefixes.Get(index)), this);
        auto *caption = new QLabel(this);
        form->addRow(caption, edit);
        m_fields[index] = edit;
        m_labels[index] = {caption, label, group};
    };

    m_prefixGroup = new QGroupBox(this);
    auto *prefixLayout = new QVBoxLayout(m_prefixGroup);

    auto *classForm = new QFormLayout;
    addField(classForm, QT_TR_NOOP("KXApplication クラスファイル"), kx::kPrefixApp);
    addField(classForm, QT_TR_NOOP("KXDialog クラスファイル"), kx::kPrefixDlg);
    addField(classForm, QT_TR_NOOP("ダイアログ"), kx::kPrefixDID);
    prefixLayout->addLayout(classForm);

    const char *objects = QT_TR_NOOP("オブジェクト");
    m_objectGroup = new QGroupBox(m_prefixGroup);
    auto *objectForm = new QFormLayout(m_objectGroup);
    addField(objectForm, QT_TR_NOOP("ボタン"), kx::kPrefixOB, objects);
    addField(objectForm, QT_TR_NOOP("エディットボックス"), kx::kPrefixOE, objects);
    addField(objectForm, QT_TR_NOOP("フレーム"), kx::kPrefixOF, objects);
    addField(objectForm, QT_TR_NOOP("ピクチャー"), kx::kPrefixOP, objects);
    addField(objectForm, QT_TR_NOOP("アイコン"), kx::kPrefixOI, objects);
    addField(objectForm, QT_TR_NOOP("ムービー"), kx::kPrefixOM, objects);
    addField(objectForm, QT_TR_NOOP("キャンバス"), kx::kPrefixOC, objects);
    addField(objectForm, QT_TR_NOOP("テキスト"), kx::kPrefixOT, objects);
    prefixLayout->addWidget(m_objectGroup);

    const char *images = QT_TR_NOOP("リソース イメージ");
    m_imageGroup = new QGroupBox(m_prefixGroup);
    auto *imageForm = new QFormLayout(m_imageGroup);
    addField(imageForm, QT_TR_NOOP("ボタン"), kx::kPrefixIB, images);
    addField(imageForm, QT_TR_NOOP("エディットボックス"), kx::kPrefixIE, images);
    addField(imageForm, QT_TR_NOOP("フレーム"), kx::kPrefixIF, images);
    prefixLayout->addWidget(m_imageGroup);

    auto *fontForm = new QFormLayout;
    addField(fontForm, QT_TR_NOOP("フォント"), kx::kPrefixFNT);
    prefixLayout->addLayout(fontForm);

    // The editor's language, kept in the editor's own settings, not in "DialogEditor.ini".
    m_language = new QComboBox(this);
    for (std::size_t i = 0; i < std::size(kLanguageChoices); ++i)
        m_language->addItem(QString());
    const kx::ui::LanguageChoice stored = kx::ui::StoredLanguageChoice();
    for (std::size_t i = 0; i < std::size(kLanguageChoices); ++i) {
        if (kLanguageChoices[i] == stored)
            m_language->setCurrentIndex(static_cast<int>(i));
    }
    m_languageLabel = new QLabel(this);
    auto *languageForm = new QFormLayout;
    languageForm->addRow(m_languageLabel, m_language);
    m_gridSpacing = new QSpinBox(this);
    m_gridSpacing->setRange(1, kx::ui::kMaxGridSpacing);
    m_gridSpacing->setValue(kx::ui::StoredViewSettings().gridSpacing);
    m_gridLabel = new QLabel(this);
    languageForm->addRow(m_gridLabel, m_gridSpacing);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &DlgSetting::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &DlgSetting::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_prefixGroup);
    layout->addLayout(languageForm);
    layout->addWidget(m_buttons);
    RetranslateUi();
}

DlgSetting::~DlgSetting() = default;

void DlgSetting::RetranslateUi()
{
    setWindowTitle(tr("設定"));
    m_prefixGroup->setTitle(tr("プレフィックス"));
    m_objectGroup->setTitle(tr("オブジェクト"));
    m_imageGroup->setTitle(tr("リソース イメージ"));
    for (int i = 0; i < kx::kPrefixCount; ++i) {
        const FieldLabel &label = m_labels[static_cast<std::size_t>(i)];
        label.caption->setText(tr(label.text));
        m_names[static_cast<std::size_t>(i)] = label.group
            ? tr("「%1」（%2）").arg(tr(label.text), tr(label.group))
            : tr("「%1」").arg(tr(label.text));
    }
    m_languageLabel->setText(tr("言語"));
    m_gridLabel->setText(tr("グリッドの間隔"));
    m_gridSpacing->setSuffix(tr(" ピクセル"));
    m_language->setItemText(0, tr("自動"));
    m_language->setItemText(1, tr("日本語"));
    m_language->setItemText(2, tr("English"));
    m_buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    m_buttons->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
}

void DlgSetting::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QDialog::changeEvent(event);
}

kx::ui::LanguageChoice DlgSetting::ChosenLanguage() const
{
    const int index = m_language->currentIndex();
    return index >= 0 && index < static_cast<int>(std::size(kLanguageChoices))
        ? kLanguageChoices[index]
        : kx::ui::LanguageChoice::Automatic;
}

void DlgSetting::SetMessageSink(kx::IMessageSink *sink)
{
    m_messages = sink ? sink : m_messageBox.get();
}

void DlgSetting::accept()
{
    // A prefix is the first name of every new resource of its kind, so it passes the rule of the
    // name field: an empty one would give new dialogs an empty name and generated classes no
    // prefix, "9 bad" a button that the name field itself refuses. Blanks around it are dropped.
    for (int i = 0; i < kx::kPrefixCount; ++i) {
        const auto index = static_cast<kx::PrefixIndex>(i);
        const kx::NameFault fault
            = kx::PrefixFault(kx::ui::ToUtf8(m_fields[index]->text().trimmed()));
        if (fault == kx::NameFault::kNone)
            continue;
        const QString message = fault == kx::NameFault::kEmpty
            ? tr("%1のプレフィックスが空です。入力してください。").arg(m_names[index])
            : tr("%1のプレフィックス: %2").arg(m_names[index], kx::ui::NameFaultMessage(fault));
        m_messages->ShowMessage(kx::ui::ToUtf8(message), kx::MessageIcon::Warning);
        m_fields[index]->setFocus();
        m_fields[index]->selectAll();
        return;
    }
    for (int i = 0; i < kx::kPrefixCount; ++i) {
        const auto index = static_cast<kx::PrefixIndex>(i);
        m_prefixes.Set(index, kx::ui::ToUtf8(m_fields[index]->text().trimmed()));
    }
    kx::SavePrefixSettings(m_prefixes, m_settingsPath);
    kx::ui::ViewSettings view = kx::ui::StoredViewSettings();
    view.gridSpacing = m_gridSpacing->value();
    kx::ui::StoreViewSettings(view);
    // A new language takes effect at once: every open window retranslates itself.
    if (ChosenLanguage() != kx::ui::StoredLanguageChoice())
        kx::ui::ChangeLanguageChoice(ChosenLanguage());
    QDialog::accept();
}

void DlgSetting::reject()
{
    m_prefixes = m_saved;
    QDialog::reject();
}
