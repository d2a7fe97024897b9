// TNumberBox: a spin box whose field always shows a number in its range. Every
// change to the text (a key, a paste, an input-method commit) is put right at
// once by the box's rule, with the caret at the end: full-width digits count as
// digits, and what the rule cannot read becomes its default (an emptied field
// among it). The arrows, the Up and Down keys and the wheel step the number
// within the range without wrapping; the wheel only while the box has the
// focus, so that wheeling over a list of boxes scrolls the list.
#pragma once

#include <QSpinBox>
#include <functional>
#include <string>

class TNumberBox : public QSpinBox {
    Q_OBJECT
public:
    // The number a text stands for, in the range (the text has ASCII digits only).
    using TRule = std::function<int(const std::string& text)>;

    TNumberBox(int min, int max, TRule rule, QWidget* parent = nullptr);

    // The field, for what is typed or pasted into it.
    using QAbstractSpinBox::lineEdit;

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
    QString textFromValue(int value) const override;
    void wheelEvent(QWheelEvent* event) override;

private:
    int Read(const QString& text) const;

    TRule Rule;
};
