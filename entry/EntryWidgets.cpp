#include "EntryWidgets.h"

#include "model/DayNumber.h"

#include <QDateEdit>
#include <QLocale>
#include <QPushButton>

QPushButton* EntryButton(QWidget* parent, const QString& text, const QString& hint) {
    auto* b = new QPushButton(text, parent);
    b->setToolTip(hint);
    b->setAutoDefault(false); // Enter in a field must not register or change the day
    return b;
}

QDateEdit* EntryDatePicker(QWidget* parent, const QString& format) {
    auto* picker = new QDateEdit(parent);
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
