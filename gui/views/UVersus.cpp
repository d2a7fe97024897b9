#include "gui/views/UVersus.h"

#include "gui/views/TableSurface.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>

TFmVersus::TFmVersus(const TViewContext& view, int districtIndex, const std::string& own, const std::string& opponent,
                     int filter, QWidget* parent)
    : TTableWindow(view, parent), Current(LayoutVersus(view, districtIndex, own, opponent, filter)) {
    resize(423, 348);
    setWindowTitle(Current.Caption);
    ImgHead = AddPane(ScrollBox2);
    ImgVersus = AddTable(nullptr);
    PaintBackground();
    Splitter1 = SplitBelow(ScrollBox2);
    connect(Splitter1, &QSplitter::splitterMoved, this, &TFmVersus::Splitter1Moved);
    LayOut(nullptr, Splitter1, nullptr);

    ImgHead->SetTable(&Current.Head);
    ImgVersus->SetTable(&Current.List);
    Splitter1->setSizes({Current.HeadPaneHeight, std::max(height() - Current.HeadPaneHeight - 3, 1)});
    // Scrolled by the user (wheel, keys, bar), the list stays where it was put.
    connect(ScrollBox1->verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] { FollowLastResult = false; });
}

void TFmVersus::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!Shown) {
        Shown = true;
        FormShow();
    }
}

void TFmVersus::resizeEvent(QResizeEvent* event) {
    TTableWindow::resizeEvent(event);
    // Opened maximized and then restored, or resized, the list shows the last
    // result as one opened at that size does (after the layout has settled).
    if (Shown && FollowLastResult)
        QMetaObject::invokeMethod(this, &TFmVersus::ScrollToLastResult, Qt::QueuedConnection);
}

void TFmVersus::FormShow() {
    FitSummary(Splitter1, Current.HeadPaneHeight);
    ScrollToLastResult();
}

void TFmVersus::ScrollToLastResult() {
    // The last played game comes into view, a little below the top.
    ScrollBox1->verticalScrollBar()->setValue(Current.ScrollTarget - 136);
}

void TFmVersus::Splitter1Moved() {
    // The splitter keeps the summary at least at its minimum (the children never collapse).
    const QList<int> sizes = Splitter1->sizes();
    if (sizes.value(0) < ScrollBox2->minimumHeight())
        Splitter1->setSizes({ScrollBox2->minimumHeight(), sizes.value(1)});
}

TTablePicture TFmVersus::Picture() const {
    return VersusPicture(Current);
}
