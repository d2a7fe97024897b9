#include "UJuni.h"

#include "controls/QtText.h"
#include "controls/TabStrip.h"
#include "controls/WheelMessage.h"
#include "model/BaseballPennant.h"

#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QVBoxLayout>

TFmJuni::TFmJuni(const TViewContext& view, int districtIndex, QWidget* parent) : QWidget(parent), View(view) {
    setAttribute(Qt::WA_DeleteOnClose);
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setWidgetResizable(false);
    ImgJuni = new QLabel;
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
    pal.setColor(QPalette::Window, View.Color(View.Settings->BackGround));
    ScrollBox1->setPalette(pal);
    ScrollBox1->setBackgroundRole(QPalette::Window);
    DrawTable(DisplayMode);
}

void TFmJuni::DrawTable(int mode) {
    Current = DrawJuni(View, TabJuni->currentIndex(), mode);
    ++DrawCount;
    ShowImage();
}

void TFmJuni::ShowImage() {
    ImgJuni->setPixmap(QPixmap::fromImage(Current.Canvas->Picture()));
    ImgJuni->resize(Current.Canvas->Width(), Current.Canvas->Height());
}

void TFmJuni::ImgJuniMouseMove(const QPoint& at) {
    bool hand = false;
    for (const QRect& r : Current.ModeRects)
        hand = hand || r.contains(at);
    for (const QRect& r : Current.TeamRects)
        hand = hand || r.contains(at);
    ImgJuni->setCursor(hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
    for (size_t row = 0; row < Current.RowRects.size(); ++row)
        if (Current.RowRects[row].contains(at)) {
            if (static_cast<int>(row) != Current.PanelTeam) {
                DrawVersusPanel(View, Current, static_cast<int>(row));
                ShowImage();
            }
            break;
        }
}

void TFmJuni::ImgJuniMouseUp(Qt::MouseButton button, const QPoint& at) {
    if (button != Qt::LeftButton)
        return;
    for (int m = 0; m < 3; ++m)
        if (Current.ModeRects[m].contains(at) && m != DisplayMode) {
            DisplayMode = m;
            DrawTable(DisplayMode);
            return;
        }
    for (size_t row = 0; row < Current.TeamRects.size(); ++row) {
        if (!Current.TeamRects[row].contains(at))
            continue;
        const std::string symbol = Current.Calc->Items(static_cast<int>(row)).Symbol;
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
