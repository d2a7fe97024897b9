#include "gui/views/UTmJuni.h"

#include "core/season/BaseballPennant.h"
#include "draw/QtText.h"
#include "gui/controls/TabStrip.h"
#include "gui/controls/WheelMessage.h"
#include "gui/views/TableSurface.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>

TFmTmJuni::TFmTmJuni(const TViewContext& view, int teamIndex, QWidget* parent) : QWidget(parent), View(view) {
    setAttribute(Qt::WA_DeleteOnClose);
    ImgHead = new TTableSurface;
    ImgTmJuni = new TTableSurface;
    ScrollBox2 = new QScrollArea;
    ScrollBox2->setWidget(ImgHead);
    ScrollBox1 = new QScrollArea;
    ScrollBox1->setWidget(ImgTmJuni);
    ScrollBox1->viewport()->installEventFilter(this);
    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setHandleWidth(3);
    Splitter1->addWidget(ScrollBox2);
    Splitter1->addWidget(ScrollBox1);
    Splitter1->setChildrenCollapsible(false);
    ScrollBox2->setMinimumHeight(1);
    Splitter1->setSizes({120, 200});
    TabTmJuni = new TTabStrip(this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(Splitter1);
    column->addWidget(TabTmJuni);

    const int captions = View.Settings->TTab;
    View.Pennant->ForEachTeam([&](TLeague&, TDistrict&, TTeam& team) {
        TabTmJuni->addTab(Q(captions == 0 ? team.Name : captions == 2 ? team.Symbol : team.ShortName));
    });
    TabTmJuni->setCurrentIndex(std::clamp(teamIndex, 0, std::max(TabTmJuni->count() - 1, 0)));
    connect(TabTmJuni, &TTabStrip::currentChanged, this, &TFmTmJuni::TabTmJuniChange);
    TabTmJuniChange(TabTmJuni->currentIndex());

    // At its first size the window shows the whole summary, total row included
    // (no scroll bar over it), and every row of tabs below the two panes.
    const int width = std::max(438, ImgHead->width() + 2 * ScrollBox2->frameWidth());
    resize(width, 329 + TabTmJuni->heightForWidth(width) - TabTmJuni->minimumSizeHint().height());
}

void TFmTmJuni::TabTmJuniChange(int index) {
    if (index < 0)
        return;
    for (QScrollArea* box : {ScrollBox1, ScrollBox2}) {
        QPalette pal = box->palette();
        pal.setColor(QPalette::Window, View.Background());
        box->setPalette(pal);
        box->setBackgroundRole(QPalette::Window);
    }
    // The surfaces let go of the old panes before they are freed.
    TTmJuniPanes panes = LayOutTmJuni(View, index);
    ImgTmJuni->SetTable(panes.Table.get());
    ImgHead->SetTable(panes.Head.get());
    Current = std::move(panes);
    setWindowTitle(Current.Caption);
    const QList<int> sizes = Splitter1->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    Splitter1->setSizes({Current.HeadPaneHeight, std::max(total - Current.HeadPaneHeight, 1)});
}

void TFmTmJuni::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TFmTmJuni::FormShow() {
    // The summary pane takes the summary's height; the table the rest.
    const QList<int> sizes = Splitter1->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    if (total > Current.HeadPaneHeight)
        Splitter1->setSizes({Current.HeadPaneHeight, total - Current.HeadPaneHeight});
    // The last played day comes into view, a little below the top.
    ScrollBox1->verticalScrollBar()->setValue(Current.ScrollTarget - 198);
}

bool TFmTmJuni::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel || event->type() == MsWheelRollMsg())
        return ScrollOneLine(event, ScrollBox1);
    return QWidget::eventFilter(watched, event);
}

bool TFmTmJuni::event(QEvent* event) {
    if (event->type() == QEvent::Wheel || event->type() == MsWheelRollMsg())
        return ScrollOneLine(event, ScrollBox1);
    return QWidget::event(event);
}

TTablePicture TFmTmJuni::Picture() const {
    return TransitionPicture(Current);
}
