#include "gui/entry/EntryDialog.h"

#include "gui/controls/DialogFrame.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollArea>
#include <algorithm>

TEntryDialog::TEntryDialog(int rowsPerPage, QWidget* parent) : QDialog(parent), TMaxRows(std::max(rowsPerPage, 1)) {
    KeepDialogUnminimized(*this);
    BtnBack = EntryButton(this, QStringLiteral("前日(&B)"), QStringLiteral("前日に移動します"));
    DTPKijun = EntryDatePicker(this, QStringLiteral("yyyy/MM/dd' ('ddd')'"));
    BtnNext = EntryButton(this, QStringLiteral("翌日(&N)"), QStringLiteral("翌日に移動します"));
    BtnMae = EntryButton(this, QStringLiteral("前頁(&F)"), QString());
    BtnTugi = EntryButton(this, QStringLiteral("次頁(&J)"), QString());

    connect(BtnBack, &QPushButton::clicked, this, [this] { SetDay(Picked - 1); });
    connect(BtnNext, &QPushButton::clicked, this, [this] { BtnNextClick(); });
    connect(DTPKijun, &QDateEdit::userDateChanged, this, [this](const QDate& date) {
        if (!Filling)
            DayPicked(DayOfDate(date));
    });
    connect(BtnMae, &QPushButton::clicked, this, [this] {
        --Page;
        ShowPage(TMaxRows * Page);
    });
    connect(BtnTugi, &QPushButton::clicked, this, [this] {
        ++Page;
        ShowPage(TMaxRows * Page);
    });
}

void TEntryDialog::SetDay(double day) {
    Picked = day;
    Filling = true;
    DTPKijun->setDate(DateOfDay(day));
    Filling = false;
    LoadDay();
}

void TEntryDialog::DayPicked(double day) {
    Picked = day;
    LoadDay();
}

void TEntryDialog::DeleteRowWidgets() {
    QWidget* focus = focusWidget();
    for (const QPointer<QWidget>& widget : RowWidgets)
        if (widget && focus && (focus == widget || widget->isAncestorOf(focus)))
            FocusWasInRows = true;
    for (const QPointer<QWidget>& widget : RowWidgets)
        delete widget.data(); // a widget deleted with its parent row box is already gone
    RowWidgets.clear();
}

void TEntryDialog::FirstPage() {
    Page = 0;
    BtnMae->setEnabled(false);
    BtnTugi->setEnabled(false);
}

void TEntryDialog::UpdatePaging(int start, int count) {
    BtnMae->setEnabled(start > 0);
    BtnTugi->setEnabled(start + TMaxRows < count);
}

void TEntryDialog::RestoreRowFocus(QWidget* first) {
    if (!FocusWasInRows)
        return;
    FocusWasInRows = false;
    (first ? first : static_cast<QWidget*>(DTPKijun))->setFocus(Qt::OtherFocusReason);
}

void TEntryDialog::FollowFocus(QScrollArea* area, QWidget* content) {
    area->setFocusPolicy(Qt::NoFocus); // its rows take the focus; it scrolls to them
    connect(qApp, &QApplication::focusChanged, this, [area, content](QWidget*, QWidget* now) {
        if (now && content->isAncestorOf(now))
            area->ensureWidgetVisible(now);
    });
}

void TEntryDialog::keyPressEvent(QKeyEvent* event) {
    // The buttons here are no default buttons (Enter in a field must not
    // register), so Enter presses only the button that has the focus.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    if (enter && button && button->isEnabled() && button->isVisible() && !event->isAutoRepeat() &&
        !(event->modifiers() & ~Qt::KeypadModifier)) {
        button->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
