#include "gui/views/UJuni.h"

#include "core/season/BaseballPennant.h"
#include "draw/QtText.h"
#include "gui/controls/TabStrip.h"
#include "gui/controls/WheelMessage.h"
#include "gui/views/TableSurface.h"

#include <QMouseEvent>
#include <QScrollArea>
#include <QVBoxLayout>

TFmJuni::TFmJuni(const TViewContext& view, int districtIndex, QWidget* parent) : QWidget(parent), View(view) {
    setAttribute(Qt::WA_DeleteOnClose);
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setWidgetResizable(false);
    ImgJuni = new TTableSurface;
    ImgJuni->setMouseTracking(true);
    ImgJuni->installEventFilter(this);
    ScrollBox1->setWidget(ImgJuni);
    ScrollBox1->viewport()->installEventFilter(this);
    TabJuni = new TTabStrip(this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(ScrollBox1);
    column->addWidget(TabJuni);

    const TPennant& p = *View.Pennant;
    for (int l = 0; l < p.LeagueCount(); ++l)
        for (int d = 0; d < p.GetLeague(l).DistrictCount(); ++d)
            TabJuni->addTab(Q(p.GetLeague(l).Name + p.GetLeague(l).GetDistrict(d).Name));
    TabJuni->setCurrentIndex(std::clamp(districtIndex, 0, std::max(TabJuni->count() - 1, 0)));
    connect(TabJuni, &TTabStrip::currentChanged, this, &TFmJuni::TabJuniChange);
    TabJuniChange(TabJuni->currentIndex());
    // Every row of tabs comes below the table's first size.
    resize(559, 383 + TabJuni->heightForWidth(559) - TabJuni->minimumSizeHint().height());
}

void TFmJuni::TabJuniChange(int index) {
    if (index < 0)
        return; // a season without districts shows nothing
    setWindowTitle(TabJuni->tabText(index) + QStringLiteral("勝敗表"));
    QPalette pal = ScrollBox1->palette();
    pal.setColor(QPalette::Window, View.Background());
    ScrollBox1->setPalette(pal);
    ScrollBox1->setBackgroundRole(QPalette::Window);
    DrawTable(DisplayMode);
}

void TFmJuni::DrawTable(int mode) {
    // The new table replaces the old one before the old one is freed; the
    // surface paints only what is visible of it.
    std::unique_ptr<TJuniTable> table = std::make_unique<TJuniTable>(View, TabJuni->currentIndex(), mode);
    ImgJuni->SetTable(table.get());
    Current = std::move(table);
    ++DrawCount;
}

void TFmJuni::ImgJuniMouseMove(const QPoint& at) {
    if (!Current)
        return;
    bool hand = false;
    for (const QRect& r : Current->ModeRects)
        hand = hand || r.contains(at);
    const int row = RowAt(Current->TeamRects, at);
    hand = hand || row >= 0;
    ImgJuni->setCursor(hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
    const int over = RowAt(Current->RowRects, at);
    if (over >= 0)
        ImgJuni->Repaint(Current->ShowPanel(over));
}

void TFmJuni::ImgJuniMouseUp(Qt::MouseButton button, const QPoint& at) {
    if (button != Qt::LeftButton || !Current)
        return;
    for (int m = 0; m < 3; ++m)
        if (Current->ModeRects[static_cast<size_t>(m)].contains(at) && m != DisplayMode) {
            DisplayMode = m;
            DrawTable(DisplayMode);
            return;
        }
    const int row = RowAt(Current->TeamRects, at);
    if (row >= 0) {
        const std::string symbol = Current->Calc()->Items(row).Symbol;
        int index = 0;
        std::vector<int> matches;
        View.Pennant->ForEachTeam([&](TLeague&, TDistrict&, TTeam& team) {
            if (team.Symbol == symbol)
                matches.push_back(index);
            ++index;
        });
        for (int teamIndex : matches)
            emit TransitionRequested(teamIndex);
        return;
    }
}

bool TFmJuni::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ImgJuni) {
        if (event->type() == QEvent::MouseMove) {
            ImgJuniMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
            return false;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            ImgJuniMouseUp(mouse->button(), mouse->position().toPoint());
            return true;
        }
    }
    if (event->type() == QEvent::Wheel || event->type() == MsWheelRollMsg())
        return ScrollOneLine(event, ScrollBox1);
    return QWidget::eventFilter(watched, event);
}

bool TFmJuni::event(QEvent* event) {
    if (event->type() == QEvent::Wheel || event->type() == MsWheelRollMsg())
        return ScrollOneLine(event, ScrollBox1);
    return QWidget::event(event);
}

TTablePicture TFmJuni::Picture() const {
    return SingleTablePicture(*Current);
}
