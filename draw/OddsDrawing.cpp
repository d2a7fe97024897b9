#include "draw/OddsDrawing.h"

#include "core/base/DayNumber.h"
#include "core/odds/OddsRace.h"
#include "core/season/BaseballPennant.h"
#include "core/standings/DistrictStandings.h"
#include "core/standings/StandingsText.h"
#include "draw/CellPaint.h"
#include "draw/QtText.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kHeaderTop = 27;
constexpr int kRowsTop = kHeaderTop + 35;
constexpr int kRowPitch = 35; // rows overlap their neighbours' borders by one pixel
constexpr int kCellHeight = 36;

// Column widths, left to right.
constexpr int kRank = TCellPaint::kRankWidth, kName = TCellPaint::kNameWidth, kNumber = TCellPaint::kNumberWidth;
constexpr int kChance = 190, kMean = 130, kRange = 90;
constexpr int kBarWidth = 110;

using cellbox::Bottom;
using cellbox::Inset;
using cellbox::Top;

QRect Box(int l, int t, int r, int b) {
    return TTableCanvas::Box(l, t, r, b);
}

QString N(long long value) {
    return QString::number(value);
}

QString Runs(long long runs) {
    return QLocale(QLocale::Japanese).toString(runs);
}

QString PlaceTitle(int place) {
    return place == 1 ? QStringLiteral("優勝") : QStringLiteral("%1位以内").arg(place);
}

QString ModelTitle(TOddsModel model) {
    return model == TOddsModel::Even ? QStringLiteral("五分五分") : QStringLiteral("得失点");
}

// The bars' colors: first place warm, the cut cool.
const QColor kFirstBar(222, 110, 75), kTopBar(80, 135, 205), kTrack(232, 232, 232);

// Distinct line colors for teams whose own colors are missing or alike.
const QColor kPalette[] = {{213, 62, 79},  {50, 136, 189},  {102, 166, 30}, {244, 109, 67},
                           {94, 79, 162},  {230, 171, 2},   {27, 158, 119}, {166, 86, 40},
                           {231, 41, 138}, {102, 102, 102}, {0, 109, 44},   {117, 107, 177}};

} // namespace

class TOddsPaint : public TCellPaint {
public:
    using TCellPaint::TCellPaint;
};

TOddsTable::TOddsTable(const TViewContext& view, int districtIndex, const std::optional<TOddsResult>& result,
                       TOddsModel model, int place, const TOddsProgressState& state)
    : View(view), District(districtIndex), Result(result), Model(model), Place(std::max(place, 1)), State(state) {
    const std::optional<TDistrictStandings> s = BuildDistrictStandings(*view.Pennant, *view.Fight, districtIndex);
    if (!s) {
        Extent = QSize(1, 1);
        return;
    }
    Valid = true;
    NoDraws = s->League->DrawRule == 2;
    StateText = Q(StandingsStateText(s->AllPlayed(), s->Keys));
    RuleText = QStringLiteral("%1・引き分け%2")
                   .arg(s->ByWins ? QStringLiteral("勝数優先") : QStringLiteral("勝率優先"))
                   .arg(s->League->DrawRule == 0   ? QStringLiteral("あり")
                        : s->League->DrawRule == 1 ? QStringLiteral("再試合")
                                                   : QStringLiteral("なし"));
    if (Result && Result->Teams.size() == static_cast<size_t>(s->Calc->Count())) {
        Rows = Result->Teams;
    } else {
        Result.reset();
        const TSymbolIndex teams(*view.Pennant);
        for (int i = 0; i < s->Calc->Count(); ++i) {
            const TTmRec& r = s->Calc->Items(i);
            TOddsTeamResult t;
            t.Symbol = r.Symbol;
            const TTeam* team = teams.Team(r.Symbol);
            t.ShortName = team ? team->ShortName : std::string();
            t.Wins = r.Wins();
            t.Losses = r.Losses();
            t.Draws = r.Draws();
            t.Remain = r.Remain();
            Rows.push_back(std::move(t));
        }
    }
    std::vector<int> w, l, d;
    for (const TOddsTeamResult& t : Rows) {
        w.push_back(t.Wins);
        l.push_back(t.Losses);
        d.push_back(t.Draws);
    }
    Ranks = RankFinals(w, l, d, s->ByWins);
    const int numbers = NoDraws ? 3 : 4; // wins, losses, (draws,) remaining
    const int width =
        5 + (kRank - 1) + (kName - 1) + numbers * (kNumber - 1) + 2 * (kChance - 1) + (kMean - 1) + (kRange - 1) + 1;
    for (int row = 0; row < TeamCount(); ++row) {
        const int y = kRowsTop + row * kRowPitch;
        RowRects.push_back(Box(5, y, width, y + kRowPitch));
    }
    Extent = QSize(std::max(width + 10, 560), kRowsTop + TeamCount() * kRowPitch + 1 + 30);
    ColumnsFromFrames(Box(0, kHeaderTop, width, kRowsTop + 1));
}

QColor TOddsTable::Background() const {
    return View.Background();
}

void TOddsTable::Paint(TTableCanvas& canvas) const {
    if (!Valid)
        return;
    TOddsPaint p(canvas, View);
    if (canvas.Shows(Box(0, 0, Extent.width(), kHeaderTop)))
        PaintBand(p);
    if (canvas.Shows(Box(0, kHeaderTop, Extent.width(), kHeaderTop + kCellHeight)))
        PaintHeader(p);
    const auto [first, last] = canvas.VisibleRows(kRowsTop, kRowPitch, kCellHeight, TeamCount());
    for (int row = first; row < last; ++row)
        PaintRow(p, row);
    const int noteTop = kRowsTop + TeamCount() * kRowPitch + 8;
    const QRect note = Box(10, noteTop, Extent.width() - 10, noteTop + 16);
    if (canvas.Shows(note))
        p.Text(note,
               QStringLiteral("残り試合を%1モデルで無作為に繰り返した見込みです。100% と 0% は優勝争いの確定・消滅"
                              "と同じ判定です。")
                   .arg(ModelTitle(Model)),
               TAlign::Left, 8);
}

void TOddsTable::PaintBand(TOddsPaint& p) const {
    p.C.SetFontSize(10);
    p.C.TextTopLeft(Box(10, 5, 150, 19), StateText);
    QString runs;
    if (TeamCount() > kOddsMostTeams)
        runs = QStringLiteral("チームが多すぎて計算できません (%1 チームまで)").arg(kOddsMostTeams);
    else if (!Result)
        runs = State.Running ? QStringLiteral("計算中…") : QStringLiteral("未計算");
    else if (State.Running)
        runs = QStringLiteral("%1 / %2 回 計算中").arg(Runs(Result->Runs), Runs(State.Target));
    else
        runs = QStringLiteral("%1 回%2").arg(Runs(Result->Runs), State.Stopped ? QStringLiteral(" (中止)") : QString());
    p.Text(Box(160, 5, 440, 19), QStringLiteral("%1モデル・%2").arg(ModelTitle(Model), runs), TAlign::Left);
    p.Text(Box(450, 5, Extent.width() - 10, 19), RuleText, TAlign::Left);
}

void TOddsTable::PaintHeader(TOddsPaint& p) const {
    int x = 5;
    const int y = kHeaderTop;
    p.RecordHeader(x, y, NoDraws);
    p.Centre(p.Cell(x, y, kChance), PlaceTitle(1) + QStringLiteral("確率"));
    p.Centre(p.Cell(x, y, kChance), PlaceTitle(Place) + QStringLiteral("確率"));
    const QRect mean = p.Cell(x, y, kMean);
    p.Centre(Top(mean), QStringLiteral("最終成績"), 8);
    p.Centre(Bottom(mean), QStringLiteral("(平均)"), 8);
    const QRect range = p.Cell(x, y, kRange);
    p.Centre(Top(range), QStringLiteral("最終勝数"), 8);
    p.Centre(Bottom(range), QStringLiteral("(10〜90%)"), 8);
}

void TOddsTable::PaintRow(TOddsPaint& p, int row) const {
    const TOddsTeamResult& t = Row(row);
    const int y = kRowsTop + row * kRowPitch;
    int x = 5;
    p.RecordRow(x, y, Ranks[static_cast<size_t>(row)], Q(t.ShortName), t.Wins, t.Losses, t.Draws, t.Remain, NoDraws);
    const auto chance = [&](double value, TOddsPin pin, const QColor& color) {
        const QRect cell = p.Cell(x, y, kChance);
        if (!Result) {
            p.Centre(cell, QStringLiteral("－"));
            return;
        }
        const QRect track = Box(cell.left() + 8, y + 11, cell.left() + 8 + kBarWidth, y + 25);
        p.C.Fill(track, kTrack);
        const int filled = static_cast<int>(std::lround(value * kBarWidth));
        if (filled > 0)
            p.C.Fill(Box(track.left(), track.top(), track.left() + filled, track.bottom() + 1), color);
        const QRect text = Box(track.right() + 4, y, cell.right() - 5, y + kCellHeight);
        const QString percent = Q(OddsPercentText(value, pin));
        if (pin == TOddsPin::Clinched)
            p.Colored(text, percent, p.Magic, TAlign::Right);
        else if (pin == TOddsPin::Eliminated)
            p.Colored(text, percent, p.Down, TAlign::Right);
        else
            p.Text(text, percent, TAlign::Right);
    };
    chance(t.First, t.FirstPin, kFirstBar);
    chance(t.Top, t.TopPin, kTopBar);
    const QRect mean = p.Cell(x, y, kMean);
    const QRect range = p.Cell(x, y, kRange);
    if (!Result) {
        p.Centre(mean, QStringLiteral("－"));
        p.Centre(range, QStringLiteral("－"));
        return;
    }
    const QString record = NoDraws ? QStringLiteral("%1-%2").arg(t.MeanWins, 0, 'f', 1).arg(t.MeanLosses, 0, 'f', 1)
                                   : QStringLiteral("%1-%2-%3")
                                         .arg(t.MeanWins, 0, 'f', 1)
                                         .arg(t.MeanLosses, 0, 'f', 1)
                                         .arg(t.MeanDraws, 0, 'f', 1);
    p.Centre(mean, record);
    p.Centre(range, t.WinsP10 == t.WinsP90 ? N(t.WinsP10) : QStringLiteral("%1〜%2").arg(t.WinsP10).arg(t.WinsP90));
}

TTableTitle TOddsTable::Title() const {
    if (!Valid)
        return {};
    return {TitleLine(DistrictTitle(*View.Pennant, District), QStringLiteral("優勝確率"), StateText),
            View.Color(View.Settings->Char1)};
}

TOddsHistoryChart::TOddsHistoryChart(const TViewContext& view, const TOddsHistory& history, bool top, int hover,
                                     const TOddsProgressState& state)
    : View(view), History(history), Top(top), Shown(hover), State(state) {
    const int days = static_cast<int>(History.Days.size());
    const int teams = static_cast<int>(History.Symbols.size());
    // The teams' own colors where they are set and tell the teams apart.
    const TSymbolIndex index(*view.Pennant);
    for (int t = 0; t < teams; ++t) {
        const TTeam* team = index.Team(History.Symbols[static_cast<size_t>(t)]);
        QColor c = kPalette[t % std::size(kPalette)];
        if (team && team->Color != 0 && team->Color != 0xFFFFFF) {
            const QColor own(team->Color & 0xFF, (team->Color >> 8) & 0xFF, (team->Color >> 16) & 0xFF);
            bool distinct = own.lightness() < 220;
            for (const QColor& other : TeamColors)
                distinct = distinct && std::abs(other.red() - own.red()) + std::abs(other.green() - own.green()) +
                                               std::abs(other.blue() - own.blue()) >
                                           60;
            if (distinct)
                c = own;
        }
        TeamColors.push_back(c);
    }
    const int plotWidth = std::max(480, days * 3);
    Plot = Box(56, 40, 56 + plotWidth, 290);
    Legend = Box(Plot.right() + 20, 40, Plot.right() + 200, 40 + std::max(1, teams) * 22 + 30);
    Extent = QSize(Legend.right() + 10, std::max(Plot.bottom() + 40, Legend.bottom() + 10));
}

QColor TOddsHistoryChart::Background() const {
    return View.Background();
}

int TOddsHistoryChart::X(int day) const {
    const int days = static_cast<int>(History.Days.size());
    if (days <= 1)
        return Plot.left();
    return Plot.left() + static_cast<int>(std::lround(double(day) * (Plot.width() - 1) / (days - 1)));
}

int TOddsHistoryChart::Y(double chance) const {
    return Plot.bottom() - static_cast<int>(std::lround(chance * (Plot.height() - 1)));
}

int TOddsHistoryChart::DayAt(const QPoint& at) const {
    const int days = static_cast<int>(History.Days.size());
    if (days == 0 || at.x() < Plot.left() - 4 || at.x() > Plot.right() + 4 || at.y() < Plot.top() - 20 ||
        at.y() > Plot.bottom() + 20)
        return -1;
    if (days == 1)
        return 0;
    const double f = double(at.x() - Plot.left()) / (Plot.width() - 1) * (days - 1);
    return std::clamp(static_cast<int>(std::lround(f)), 0, days - 1);
}

QRect TOddsHistoryChart::Hover(int day) {
    if (day == Shown || day < -1 || day >= static_cast<int>(History.Days.size()))
        return {};
    Shown = day;
    // The plot with its date line, and the legend's values.
    return Box(0, 0, Extent.width(), Extent.height());
}

void TOddsHistoryChart::Paint(TTableCanvas& canvas) const {
    TOddsPaint p(canvas, View);
    const int days = static_cast<int>(History.Days.size());
    const QString what = Top ? PlaceTitle(History.Place) : PlaceTitle(1);
    p.C.SetFontSize(10);
    QString title = what + QStringLiteral("確率の推移");
    if (State.Running)
        title += QStringLiteral(" (計算中…)");
    else if (State.Stopped)
        title += QStringLiteral(" (中止)");
    p.C.TextTopLeft(Box(10, 5, Plot.right(), 21), title);
    if (Shown >= 0 && Shown < days)
        p.Text(Box(Plot.left(), 22, Plot.right(), 38), GameDayText(History.Days[static_cast<size_t>(Shown)]),
               TAlign::Center);
    // The grid: every quarter, labelled on the left.
    const QColor grid(215, 215, 215);
    for (int q = 0; q <= 4; ++q) {
        const int y = Y(q / 4.0);
        if (canvas.Shows(Box(0, y - 8, Plot.right() + 1, y + 9))) {
            canvas.Line(Plot.left(), y, Plot.right(), y, 1, q == 0 ? p.Line1 : grid);
            p.Text(Box(4, y - 8, Plot.left() - 6, y + 8), QStringLiteral("%1%").arg(q * 25), TAlign::Right, 8);
        }
    }
    canvas.Line(Plot.left(), Plot.top(), Plot.left(), Plot.bottom(), 1, p.Line1);
    // A line at the first day of each month, labelled under the plot; of two
    // labels too close (a season opening on the 27th), the later month's.
    std::vector<std::pair<int, int>> months; // x, month
    for (int d = 0; d < days; ++d) {
        const int month = days::Decode(History.Days[static_cast<size_t>(d)]).Month;
        if (months.empty() || months.back().second != month)
            months.emplace_back(X(d), month);
    }
    for (size_t i = 0; i < months.size(); ++i) {
        const auto [x, month] = months[i];
        if (!canvas.Shows(Box(x - 20, Plot.top(), x + 21, Plot.bottom() + 24)))
            continue;
        canvas.Line(x, Plot.top(), x, Plot.bottom(), 1, grid);
        if (i + 1 < months.size() && months[i + 1].first - x < 40)
            continue;
        p.Text(Box(x - 20, Plot.bottom() + 4, x + 20, Plot.bottom() + 20), QStringLiteral("%1月").arg(month),
               TAlign::Center, 8);
    }
    if (days == 0) {
        p.Text(Plot, State.Running ? QStringLiteral("計算中…") : QStringLiteral("結果のある日がありません"),
               TAlign::Center);
    }
    // The lines: only the segments that meet the area.
    const auto& values = Top ? History.Top : History.First;
    const int teams = static_cast<int>(History.Symbols.size());
    for (int t = 0; t < teams; ++t)
        for (int d = 1; d < days; ++d) {
            const int x1 = X(d - 1), x2 = X(d);
            if (x2 < canvas.Area().left() - 2 || x1 > canvas.Area().right() + 2)
                continue;
            canvas.Line(x1, Y(values[static_cast<size_t>(d - 1)][static_cast<size_t>(t)]), x2,
                        Y(values[static_cast<size_t>(d)][static_cast<size_t>(t)]), 2,
                        TeamColors[static_cast<size_t>(t)]);
        }
    if (Shown >= 0 && Shown < days)
        canvas.Line(X(Shown), Plot.top(), X(Shown), Plot.bottom(), 1, p.Char1);
    // The legend: each team's color, name and chance on the day shown (the last by default).
    if (!canvas.Shows(Legend))
        return;
    const int day = Shown >= 0 ? Shown : days - 1;
    for (int t = 0; t < teams; ++t) {
        const int y = Legend.top() + t * 22;
        canvas.Fill(Box(Legend.left(), y + 5, Legend.left() + 18, y + 15), TeamColors[static_cast<size_t>(t)]);
        const QString name = Q(History.ShortNames[static_cast<size_t>(t)]);
        FitFontSize(p.C, 90, name);
        p.C.Text(Box(Legend.left() + 24, y, Legend.left() + 114, y + 20), name, TAlign::Left);
        if (day >= 0) {
            const auto& pins = Top ? History.TopPins : History.FirstPins;
            p.Text(Box(Legend.left() + 114, y, Legend.right(), y + 20),
                   Q(OddsPercentText(values[static_cast<size_t>(day)][static_cast<size_t>(t)],
                                     pins[static_cast<size_t>(day)][static_cast<size_t>(t)])),
                   TAlign::Right);
        }
    }
}

std::unique_ptr<TOddsTable> ComputedOddsTable(const TViewContext& view, int districtIndex, TOddsModel model, int place,
                                              long long runs, uint64_t seed) {
    const std::optional<TOddsResult> result =
        DistrictOdds(*view.Pennant, *view.Fight, districtIndex, std::nullopt, model, place, runs, seed);
    return std::make_unique<TOddsTable>(view, districtIndex, result, model, place, TOddsProgressState{runs});
}

std::unique_ptr<TOddsHistoryChart> ComputedOddsHistory(const TViewContext& view, int districtIndex, TOddsModel model,
                                                       int place, bool top, long long runsPerDay, uint64_t seed) {
    const TOddsHistory history =
        DistrictOddsHistory(*view.Pennant, *view.Fight, districtIndex, model, place, runsPerDay, seed);
    return std::make_unique<TOddsHistoryChart>(view, history, top, -1, TOddsProgressState{runsPerDay});
}
