// Pieces both registration dialogs are made of.
#pragma once

#include <QDate>
#include <QDateEdit>
#include <QString>

class QPushButton;
class QWidget;

// The date picker of the registration dialogs: a date edit with a calendar
// pop-up that also takes dates typed the way people type them. A click
// selects the part under the pointer (year, month or day), so digits typed
// next replace it; a whole date typed ("2003/09/15", "2003-9-15") or pasted
// (also "20030915") becomes the date. Tab and Shift+Tab leave the picker as
// they leave any field (the parts are reached with the Left and Right keys),
// so that it is one stop when Tab walks a dialog.
class TDatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit TDatePicker(QWidget* parent = nullptr);

    // A whole date in one of the forms above, or an invalid date.
    static QDate ParseDate(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    bool TakeWholeDate(const QString& text);
    bool WholeDateTyped() const;
    void DropUnfinishedDate();

    QString Typed;   // digits and separators typed since the last click, focus or other key
    QDate TypedFrom; // the date before that typing
};

// A push button with a hint that Enter in a field does not press.
QPushButton* EntryButton(QWidget* parent, const QString& text, const QString& hint);
// A date picker with a calendar and Japanese weekday names, whatever the machine's language.
TDatePicker* EntryDatePicker(QWidget* parent, const QString& format);

// Day numbers and dates, for the date pickers.
QDate DateOfDay(double day);
double DayOfDate(const QDate& date);
