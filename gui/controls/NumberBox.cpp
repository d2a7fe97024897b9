#include "gui/controls/NumberBox.h"

#include <QWheelEvent>
#include <algorithm>
#include <utility>

TNumberBox::TNumberBox(int min, int max, TRule rule, QWidget* parent) : QSpinBox(parent), Rule(std::move(rule)) {
    setRange(min, max);
    setFocusPolicy(Qt::StrongFocus); // no focus from the wheel: see wheelEvent
}

int TNumberBox::Read(const QString& text) const {
    // NFKC folds the full-width digits (and signs and spaces) an input method types.
    const QString folded = text.normalized(QString::NormalizationForm_KC);
    return std::clamp(Rule(folded.toStdString()), minimum(), maximum());
}

QValidator::State TNumberBox::validate(QString& input, int& pos) const {
    // Never Intermediate: the field takes the rule's number at once.
    input = textFromValue(Read(input));
    pos = static_cast<int>(input.size());
    return QValidator::Acceptable;
}

int TNumberBox::valueFromText(const QString& text) const {
    return Read(text);
}

QString TNumberBox::textFromValue(int value) const {
    return QString::number(value); // the digits the rule reads, whatever the locale
}

void TNumberBox::wheelEvent(QWheelEvent* event) {
    if (hasFocus())
        QSpinBox::wheelEvent(event);
    else
        event->ignore(); // to the scroll area behind
}
