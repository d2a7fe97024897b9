#include "gui/views/UTmJuni.h"

#include "core/season/BaseballPennant.h"
#include "draw/QtText.h"
#include "gui/views/TableSurface.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>

TFmTmJuni::TFmTmJuni(const TViewContext& view, int teamIndex, QWidget* parent) : TTableWindow(view, parent) {
    ImgHead = AddPane(ScrollBox2);
    ImgTmJuni = AddTable(nullptr);
    Splitter1 = SplitBelow(ScrollBox2);
    Splitter1->setSizes({120, 200});

    QStringList teams;
    const int captions = View.Settings->TTab;
    View.Pennant->ForEachTeam([&](TLeague&, TDistrict&, TTeam& team) {
        teams << Q(captions == 0 ? team.Name : captions == 2 ? team.Symbol : team.ShortName);
    });
    TabTmJuni = AddTabs(teams, teamIndex);
    LayOut(nullptr, Splitter1, TabTmJuni);
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
    PaintBackground();
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
    FitSummary(Splitter1, Current.HeadPaneHeight);
    // The last played day comes into view, a little below the top.
    ScrollBox1->verticalScrollBar()->setValue(Current.ScrollTarget - 198);
}

TTablePicture TFmTmJuni::Picture() const {
    return TransitionPicture(Current);
}
