#include "gui/entry/EntryWidgets.h"

#include "core/base/DayNumber.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>

QPushButton* EntryButton(QWidget* parent, const QString& text, const QString& hint) {
    auto* b = new QPushButton(text, parent);
    b->setToolTip(hint);
    b->setAutoDefault(false); // Enter in a field must not register or change the day
    return b;
}

TDatePicker::TDatePicker(QWidget* parent) : QDateEdit(parent) {
    lineEdit()->installEventFilter(this);
}

QDate TDatePicker::ParseDate(const QString& text) {
    static const QRegularExpression separated(QStringLiteral("^(\\d{4})[/.-](\\d{1,2})[/.-](\\d{1,2})$"));
    static const QRegularExpression packed(QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})$"));
    QString date = text.trimmed();
    if (const qsizetype paren = date.indexOf(QLatin1Char('(')); paren > 0)
        date = date.left(paren).trimmed(); // the weekday the pickers show behind the date
    for (const QRegularExpression* pattern : {&separated, &packed}) {
        const QRegularExpressionMatch m = pattern->match(date);
        if (m.hasMatch())
            return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    }
    return {};
}

bool TDatePicker::TakeWholeDate(const QString& text) {
    const QDate date = ParseDate(text);
    if (!date.isValid() || date < minimumDate() || date > maximumDate())
        return false;
    setDate(date);
    return true;
}

bool TDatePicker::eventFilter(QObject* watched, QEvent* event) {
    // Clicked into the text: the part under the pointer takes the digits typed next.
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !lineEdit()->hasSelectedText()) {
        Typed.clear();
        setSelectedSection(currentSection());
    }
    return QDateEdit::eventFilter(watched, event);
}

void TDatePicker::focusInEvent(QFocusEvent* event) {
    Typed.clear();
    QDateEdit::focusInEvent(event);
}

void TDatePicker::focusOutEvent(QFocusEvent* event) {
    DropUnfinishedDate();
    QDateEdit::focusOutEvent(event);
}

bool TDatePicker::focusNextPrevChild(bool next) {
    // A date edit walks its own parts with Tab first; here Tab goes on to the next control.
    return QAbstractSpinBox::focusNextPrevChild(next);
}

// A whole date typed only in part (or no date at all) leaves the date as it
// was before the typing began.
void TDatePicker::DropUnfinishedDate() {
    if (WholeDateTyped() && !ParseDate(Typed).isValid())
        setDate(TypedFrom);
    Typed.clear();
}

// Digits go into the selected part as a date edit takes them, so a click and
// "15" set the day. A year followed by a separator starts a whole date instead:
// the text then shows what is typed, and the date follows as soon as the text
// is one ("2003/09/1" already, then "2003/09/15").
void TDatePicker::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        Typed.clear();
        if (TakeWholeDate(QGuiApplication::clipboard()->text()))
            return;
        QDateEdit::keyPressEvent(event);
        return;
    }
    const QString text = event->text();
    const bool typing = text.size() == 1 && (text.at(0).isDigit() || QStringLiteral("/-.").contains(text.at(0))) &&
                        !(event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier));
    if (!typing) {
        DropUnfinishedDate();
        QDateEdit::keyPressEvent(event);
        return;
    }
    if (Typed.isEmpty())
        TypedFrom = date();
    Typed += text;
    if (!WholeDateTyped()) {
        QDateEdit::keyPressEvent(event);
        return;
    }
    if (!TakeWholeDate(Typed)) {
        const QSignalBlocker quiet(lineEdit()); // only shown; the date stays until the text is one
        lineEdit()->setText(Typed);
    }
    event->accept();
}

bool TDatePicker::WholeDateTyped() const {
    static const QRegularExpression yearFirst(QStringLiteral("^\\d{4}[/.-]"));
    return yearFirst.match(Typed).hasMatch();
}

TDatePicker* EntryDatePicker(QWidget* parent, const QString& format) {
    auto* picker = new TDatePicker(parent);
    picker->setLocale(QLocale(QLocale::Japanese, QLocale::Japan)); // "(土)"
    picker->setDisplayFormat(format);
    picker->setCalendarPopup(true);
    picker->setDateRange(QDate(1900, 1, 1), QDate(9999, 12, 31));
    return picker;
}

QDate DateOfDay(double day) {
    return QDate(1899, 12, 30).addDays(days::WholeDay(day));
}
double DayOfDate(const QDate& date) {
    return static_cast<double>(QDate(1899, 12, 30).daysTo(date));
}
