// Two controls of the property fields: a number edit that never commits what the model cannot
// hold, and a colour combo that shows each named colour with a swatch.
#pragma once

#include <QComboBox>
#include <QLineEdit>

class QIntValidator;

#include <string>
#include <string_view>

// A one-line edit of a whole number within a range. Only such a number is committed
// (editingFinished); leaving the field or pressing Return with anything else shows the value
// again and emits Rejected.
class CIntEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit CIntEdit(QWidget *parent = nullptr);

    void SetRange(int bottom, int top);
    int Bottom() const { return m_bottom; }
    int Top() const { return m_top; }
    // Shows the value (unmodified); it is shown again after rejected input.
    void SetValue(int value);
    // Shows nothing: the objects shown have different values. Left empty, the field changes
    // nothing; a number typed there is committed.
    void SetMixed();
    bool IsMixed() const { return m_mixed && text().isEmpty(); }
    // The number in the field; the value shown last while the text is no number of the range.
    int Value() const;

signals:
    void Rejected();

protected:
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Puts back the value shown last when the text is no acceptable number; true when it did.
    bool RejectUnacceptable();

    QIntValidator *m_validator;
    int m_bottom = 0;
    int m_top = 0;
    int m_value = 0;
    bool m_mixed = false;
};

// The sixteen named colours in table order, each with a swatch of its preview colour, then
// "Custom" (index 16).
class CColourComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit CColourComboBox(QWidget *parent = nullptr);

    // Selects the colour of this bare name (exact spelling), else "Custom".
    void SelectName(std::string_view name);
    // The bare name of the chosen colour; empty for "Custom".
    std::string ChosenName() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    // The colour names and "Custom" in the language installed now.
    void RetranslateUi();
};
