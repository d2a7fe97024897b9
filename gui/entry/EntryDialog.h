// TEntryDialog: what schedule and results registration share. Both show one
// day at a time ("前日", the day picker, "翌日"), list that day's games in rows
// a page at a time ("前頁", "次頁"), and rebuild the rows on screen whenever
// the day or the page changes. The dialogs place the buttons and build rows.
//
// From the keyboard: Tab walks the controls as they read (the day buttons and
// picker, the rows, the buttons beside them, the page buttons), the list
// scrolls to the control that takes the focus, Enter presses the button that
// has the focus (in a field it does nothing: it neither registers nor changes
// the day), and Esc closes the dialog.
#pragma once

#include "gui/entry/EntryWidgets.h"

#include <QDialog>
#include <QPointer>
#include <vector>

class QKeyEvent;
class QPushButton;
class QScrollArea;

class TEntryDialog : public QDialog {
    Q_OBJECT
public:
    QPushButton* BtnBack;
    TDatePicker* DTPKijun;
    QPushButton* BtnNext;
    QPushButton* BtnMae;
    QPushButton* BtnTugi;

    int Page = 0; // 0-based
    double PickedDay() const { return Picked; }

    // Shows `day` as if the user had picked it.
    void SetDay(double day);
    // Lists the picked day's games from the match list, dropping unregistered edits.
    virtual void LoadDay() = 0;
    // Rebuilds the rows on screen for the rows from `start` (all pages counted).
    virtual void ShowPage(int start) = 0;
    virtual void BtnNextClick() { SetDay(Picked + 1); }

protected:
    TEntryDialog(int rowsPerPage, QWidget* parent);

    // The user picked a day in DTPKijun.
    virtual void DayPicked(double day);

    // The rows on screen: every widget made for them is handed to RowWidget,
    // and DeleteRowWidgets removes them all at once.
    template <typename Widget> Widget* RowWidget(Widget* widget) {
        RowWidgets.emplace_back(widget);
        return widget;
    }
    void DeleteRowWidgets();
    // After the rows are built again: the focus, when it was in a row that is
    // gone, goes to `first` (the first row's first field), or to the day picker
    // when there is no row.
    void RestoreRowFocus(QWidget* first);
    // The rows' area scrolls to the control in `content` that takes the focus.
    void FollowFocus(QScrollArea* area, QWidget* content);

    // Paging: back to the first page with both page buttons off, or the page
    // buttons for a page starting at `start` of `count` rows.
    void FirstPage();
    void UpdatePaging(int start, int count);
    bool PageFull(int rowsOnScreen) const { return rowsOnScreen >= TMaxRows; }
    // The index over all pages of the row `rowOnPage` of the page shown.
    size_t EntryIndex(size_t rowOnPage) const { return static_cast<size_t>(TMaxRows * Page) + rowOnPage; }

    int TMaxRows;
    double Picked = 0;
    bool Filling = false; // the program is filling controls: their change signals are not the user's

    void keyPressEvent(QKeyEvent* event) override;

private:
    std::vector<QPointer<QWidget>> RowWidgets;
    bool FocusWasInRows = false; // the row widgets just deleted held the focus
};
