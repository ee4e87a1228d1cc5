#include "ui/panels/property_controls.h"

#include "model/vocabulary.h"
#include "ui/support/vocabulary_texts.h"

#include <QEvent>
#include <QIntValidator>
#include <QKeyEvent>
#include <QPainter>

CIntEdit::CIntEdit(QWidget *parent)
    : QLineEdit(parent)
    , m_validator(new QIntValidator(this))
{
    // Digits as the model writes them: no group separators of the user's locale.
    QLocale plain = QLocale::c();
    plain.setNumberOptions(QLocale::RejectGroupSeparator);
    m_validator->setLocale(plain);
    setValidator(m_validator);
    SetRange(0, 0);
}

void CIntEdit::SetRange(int bottom, int top)
{
    m_bottom = bottom;
    m_top = top;
    m_validator->setRange(bottom, top);
}

void CIntEdit::SetValue(int value)
{
    m_mixed = false;
    m_value = value;
    const QString text = QString::number(value);
    if (this->text() != text)
        setText(text);
    setModified(false);
}

void CIntEdit::SetMixed()
{
    m_mixed = true;
    if (!text().isEmpty())
        setText(QString());
    setModified(false);
}

int CIntEdit::Value() const
{
    bool ok = false;
    const int value = text().toInt(&ok);
    return ok && value >= m_bottom && value <= m_top ? value : m_value;
}

bool CIntEdit::RejectUnacceptable()
{
    if (isReadOnly() || hasAcceptableInput() || IsMixed())
        return false;
    SetValue(m_value);
    emit Rejected();
    return true;
}

void CIntEdit::focusOutEvent(QFocusEvent *event)
{
    RejectUnacceptable();
    QLineEdit::focusOutEvent(event);
}

void CIntEdit::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && RejectUnacceptable())
        return;
    QLineEdit::keyPressEvent(event);
}

CColourComboBox::CColourComboBox(QWidget *parent)
    : QComboBox(parent)
{
    const QSize swatch(16, 12);
    setIconSize(swatch);
    // Narrow enough for two combos and a file name in one row; the list shows whole names.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(7);
    for (const kx::ColourRow &row : kx::NamedColours()) {
        QPixmap picture(swatch);
        picture.fill(QColor(row.c3, row.c2, row.c1));
        QPainter painter(&picture);
        painter.setPen(Qt::darkGray);
        painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
        painter.end();
        addItem(QIcon(picture), QString());
    }
    addItem(QString());
    RetranslateUi();
}

void CColourComboBox::RetranslateUi()
{
    const auto colours = kx::NamedColours();
    for (int i = 0; i < static_cast<int>(colours.size()); ++i)
        setItemText(i, kx::ui::VocabularyText(colours[static_cast<std::size_t>(i)].name));
    setItemText(kx::kComponentColourIndex, tr("Custom"));
}

void CColourComboBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        RetranslateUi();
    QComboBox::changeEvent(event);
}

void CColourComboBox::SelectName(std::string_view name)
{
    int index = kx::kComponentColourIndex;
    const auto colours = kx::NamedColours();
    for (int i = 0; i < static_cast<int>(colours.size()); ++i) {
        if (name == colours[static_cast<std::size_t>(i)].name) {
            index = i;
            break;
        }
    }
    setCurrentIndex(index);
}

std::string CColourComboBox::ChosenName() const
{
    const int index = currentIndex();
    const auto colours = kx::NamedColours();
    return index >= 0 && index < static_cast<int>(colours.size())
        ? std::string(colours[static_cast<std::size_t>(index)].name)
        : std::string();
}
