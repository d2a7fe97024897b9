#include "gui/views/UVersus.h"

#include "gui/controls/WheelMessage.h"
#include "gui/views/TableSurface.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>

TFmVersus::TFmVersus(const TViewContext& view, int districtIndex, const std::string& own, const std::string& opponent,
                     int filter, QWidget* parent)
    : QWidget(parent), View(view), Current(LayoutVersus(view, districtIndex, own, opponent, filter)) {
    setAttribute(Qt::WA_DeleteOnClose);
    resize(423, 348);
    setWindowTitle(Current.Caption);
    const QColor background = View.Background();
    ImgHead = new TTableSurface;
    ImgVersus = new TTableSurface;
    ScrollBox2 = new QScrollArea;
    ScrollBox2->setWidget(ImgHead);
    ScrollBox1 = new QScrollArea;
    ScrollBox1->setWidget(ImgVersus);
    ScrollBox1->viewport()->installEventFilter(this);
    for (QScrollArea* box : {ScrollBox1, ScrollBox2}) {
        QPalette pal = box->palette();
        pal.setColor(QPalette::Window, background);
        box->setPalette(pal);
        box->setBackgroundRole(QPalette::Window);
    }
    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setHandleWidth(3);
    Splitter1->addWidget(ScrollBox2);
    Splitter1->addWidget(ScrollBox1);
    Splitter1->setChildrenCollapsible(false);
    ScrollBox2->setMinimumHeight(1); // the splitter's minimum
    connect(Splitter1, &QSplitter::splitterMoved, this, &TFmVersus::Splitter1Moved);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(Splitter1);

    ImgHead->SetTable(&Current.Head);
    ImgVersus->SetTable(&Current.List);
    Splitter1->setSizes({Current.HeadPaneHeight, std::max(height() - Current.HeadPaneHeight - 3, 1)});
}

void TFmVersus::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!Shown) {
        Shown = true;
        FormShow();
    }
}

void TFmVersus::FormShow() {
    const QList<int> sizes = Splitter1->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    if (total > Current.HeadPaneHeight)
        Splitter1->setSizes({Current.HeadPaneHeight, total - Current.HeadPaneHeight});
    // The last played game comes into view, a little below the top.
    ScrollBox1->verticalScrollBar()->setValue(Current.ScrollTarget - 136);
}

void TFmVersus::Splitter1Moved() {
    // The splitter keeps the summary at least at its minimum (the children never collapse).
    const QList<int> sizes = Splitter1->sizes();
    if (sizes.value(0) < ScrollBox2->minimumHeight())
        Splitter1->setSizes({ScrollBox2->minimumHeight(), sizes.value(1)});
}

bool TFmVersus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel || event->type() == MsWheelRollMsg())
        return ScrollOneLine(event, ScrollBox1);
    return QWidget::eventFilter(watched, event);
}

bool TFmVersus::event(QEvent* event) {
    if (event->type() == QEvent::Wheel || event->type() == MsWheelRollMsg())
        return ScrollOneLine(event, ScrollBox1);
    return QWidget::event(event);
}

TTablePicture TFmVersus::Picture() const {
    return VersusPicture(Current);
}
