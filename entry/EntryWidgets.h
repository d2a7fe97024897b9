// Pieces both registration dialogs are made of.
#pragma once

#include <QDate>
#include <QString>

class QDateEdit;
class QPushButton;
class QWidget;

// A push button with a hint that Enter in a field does not press.
QPushButton* EntryButton(QWidget* parent, const QString& text, const QString& hint);
// A date picker with a calendar and Japanese weekday names, whatever the machine's language.
QDateEdit* EntryDatePicker(QWidget* parent, const QString& format);

// Day numbers and dates, for the date pickers.
QDate DateOfDay(double day);
double DayOfDate(const QDate& date);
