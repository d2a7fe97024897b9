#include "draw/NitteiDrawing.h"

#include "core/base/DayNumber.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "core/standings/StandingsText.h"
#include "draw/DisplayList.h"
#include "draw/QtText.h"

#include <algorithm>
#include <unordered_map>

namespace {

QRect Box(int l, int t, int r, int b) {
    return TTableCanvas::Box(l, t, r, b);
}

QString Mark(int own, int other) {
    return own > other ? QStringLiteral("○") : own < other ? QStringLiteral("●") : QStringLiteral("△");
}

} // namespace

TNitteiLayout LayoutNittei(const TViewContext& v, int league) {
    TNitteiLayout l;
    l.View = v;
    const TPennant& pennant = *v.Pennant;
    const TFight& fight = *v.Fight;
    l.League = league;
    l.Teams = BuildTeamList(pennant);
    size_t longest = 0;
    for (const TTeamItem& t : l.Teams)
        longest = std::max(longest, t.ShortName.size());
    l.NameWidth = longest > 10 ? 65 : 45;
    l.ColumnPitch = 2 * l.NameWidth + 82;
    l.Width = 90 + 3 * l.ColumnPitch + 10;
    TTextMeasure measure;
    for (const TTeamItem& t : l.Teams)
        l.NameSizes.push_back(measure.Fit(l.NameWidth, Q(t.ShortName)));
    if (league >= 0 && league < pennant.LeagueCount())
        l.Caption = Q(pennant.GetLeague(league).Name) + QStringLiteral("日程表");

    // The first team of the list with each symbol, as a linear search would find it.
    std::unordered_map<std::string, int> bySymbol;
    for (size_t i = 0; i < l.Teams.size(); ++i)
        bySymbol.try_emplace(l.Teams[i].Symbol, static_cast<int>(i));
    auto teamOf = [&](const TMatchSymbol& s) {
        const auto it = bySymbol.find(s.Text());
        return it == bySymbol.end() ? -1 : it->second;
    };
    const bool manyTeams = l.Teams.size() > 12;

    int y = 10;
    int column = 0;
    int64_t previousDay = 1; // far before any game
    int previousWeekday = 0;
    bool firstLine = true;
    for (int m = 0; m < fight.MatchCount(); ++m) {
        const TMatchRec& match = fight.GetMatch(m);
        const int h = teamOf(match.HomeSymbol), vi = teamOf(match.VisitorSymbol);
        if (h < 0 || vi < 0)
            continue;
        if (l.Teams[static_cast<size_t>(h)].LeagueIndex != league &&
            l.Teams[static_cast<size_t>(vi)].LeagueIndex != league)
            continue;
        int w = days::DayOfWeek(match.GameDate) + 1; // 1 Sunday … 7 Saturday
        if (w == 1)
            w = 8; // a week runs from Monday to Sunday
        const int64_t day = days::WholeDay(match.GameDate);
        const bool newDay = day != previousDay;
        if (newDay || column >= 3) {
            column = 0;
            if (firstLine) {
                previousWeekday = w;
                firstLine = false;
            } else {
                y += 18;
            }
            TNitteiLine line;
            line.Y = y;
            line.Day = match.GameDate;
            l.Lines.push_back(line);
        }
        TNitteiLine& line = l.Lines.back();
        if (newDay) {
            const bool undecided = days::SameDay(match.GameDate, days::UndecidedDate);
            if (previousWeekday <= w && !undecided && day - previousDay < 7)
                line.Separator = manyTeams && y != 10 ? 2 : 0;
            else
                line.Separator = 1;
            previousWeekday = w;
            if (match.Status != StatusBefore)
                l.ScrollTarget = y;
            line.Label = true;
            previousDay = day;
        }
        line.Games[line.Count++] = {m, h, vi};
        ++column;
    }
    l.Height = y + 22;
    // The schedule stands on the league's last day with a result; it is over
    // when no game is left to play.
    double lastResult = 0;
    bool allPlayed = !l.Lines.empty();
    for (const TNitteiLine& line : l.Lines)
        for (int g = 0; g < line.Count; ++g) {
            const TMatchRec& m = fight.GetMatch(line.Games[g].Match);
            const double day = m.GameDate; // the record is packed
            if (m.Status != StatusBefore && !days::SameDay(day, days::UndecidedDate))
                lastResult = std::max(lastResult, day);
            allPlayed = allPlayed && m.Status != StatusBefore;
        }
    if (league >= 0 && league < pennant.LeagueCount())
        l.Heading = {TitleLine(Q(pennant.GetLeague(league).Name), QStringLiteral("日程表"),
                               Q(StandingsStateText(allPlayed, TKeyDates{lastResult, 0, 0}))),
                     v.Color(v.Settings->Char1)};
    l.NameGridColumns();
    return l;
}

void TNitteiLayout::PaintPageHead(TTableCanvas& c, int top) const {
    // The first line whose strip (with its rule 3 pixels above) is on the page.
    const auto first = std::lower_bound(Lines.begin(), Lines.end(), top,
                                        [](const TNitteiLine& line, int at) { return line.Y - 3 < at; });
    if (first == Lines.end() || first->Label || first == Lines.begin())
        return;
    c.SetFontColor(View.Color(View.Settings->Char1));
    PaintDayLabel(c, *first);
}

void TNitteiLayout::PaintDayLabel(TTableCanvas& c, const TNitteiLine& line) const {
    const QString label = GameDayText(line.Day);
    FitFontSize(c, 80, label);
    c.Text(Box(10, line.Y - 3, 80, line.Y + 15), label, TAlign::Right);
}

QRect TNitteiLayout::GridRow(int row) const {
    const int y = Lines[static_cast<size_t>(row)].Y;
    return Box(0, y - 3, 90 + 3 * ColumnPitch, y + 15);
}

QString TNitteiLayout::GridText(int row, int column) const {
    // Every line of a day is read with its day, though only its first shows it.
    if (column == 0 && row >= 0 && row < GridRows())
        return GameDayText(Lines[static_cast<size_t>(row)].Day);
    return TTableLayout::GridText(row, column);
}

void TNitteiLayout::NameGridColumns() {
    GridColumns.clear();
    GridColumns.push_back({0, 90, {}, QStringLiteral("日付")});
    for (int k = 0; k < 3; ++k)
        GridColumns.push_back(
            {90 + k * ColumnPitch, 90 + (k + 1) * ColumnPitch, {}, QStringLiteral("試合%1").arg(k + 1)});
}

QColor TNitteiLayout::Background() const {
    return View.Background();
}

void TNitteiLayout::Paint(TTableCanvas& c) const {
    const TNitteiLayout& l = *this;
    const TViewContext& v = View;
    const QRect& area = c.Area();
    const TAppSettings& s = *v.Settings;
    const QColor line1 = v.Color(s.Line1), line2 = v.Color(s.Line2);
    const QColor char1 = v.Color(s.Char1), char2 = v.Color(s.Char2);
    const int top = std::max(area.top(), 0), bottom = std::min(area.top() + area.height(), l.Height);
    if (top >= bottom)
        return;
    for (int k = 0; k <= 3; ++k) {
        const int x = 90 + k * l.ColumnPitch;
        if (x >= area.left() && x <= area.right())
            c.Fill(Box(x, top, x + 1, bottom), line2);
    }
    const int right = 90 + 3 * l.ColumnPitch;

    // The first line reaching into the area (its rule lies 3 pixels above it).
    auto it = std::lower_bound(l.Lines.begin(), l.Lines.end(), top,
                               [](const TNitteiLine& line, int at) { return line.Y + 15 <= at; });
    // Texts are centred on the line's 12-pixel strip in a box 18 high, the
    // line pitch: a 9-point text is taller than 12 pixels and is never cut.
    const TFight& fight = *v.Fight;
    for (; it != l.Lines.end() && it->Y - 3 < bottom; ++it) {
        const TNitteiLine& line = *it;
        const int y = line.Y;
        if (line.Separator != 0)
            c.Fill(Box(0, y - 3, right, y - 2), line.Separator == 1 ? line1 : line2);
        c.SetFontColor(char1);
        if (line.Label)
            PaintDayLabel(c, line);
        for (int g = 0; g < line.Count; ++g) {
            const TNitteiGame& game = line.Games[g];
            const TMatchRec& m = fight.GetMatch(game.Match);
            const int x0 = 100 + g * l.ColumnPitch;
            const int nw = l.NameWidth;
            auto text = [&](int left, int width, const QString& t, TAlign align, int size, const QColor& color) {
                c.SetFontSize(size);
                c.SetFontColor(color);
                c.Text(Box(left, y - 3, left + width, y + 15), t, align);
            };
            auto name = [&](int left, int team, TAlign align) {
                const TTeamItem& t = l.Teams[static_cast<size_t>(team)];
                text(left, nw, Q(t.ShortName), align, l.NameSizes[static_cast<size_t>(team)],
                     t.LeagueIndex == l.League ? char1 : char2);
            };
            const bool finished = m.Status == StatusFinished;
            if (finished)
                text(x0, 12, Mark(m.HomeScore, m.VisitorScore), TAlign::Right, 9, char1);
            name(x0 + 12, game.Home, TAlign::Right);
            if (m.Status == StatusCancelled) {
                text(x0 + 12 + nw, 38, QStringLiteral("中止"), TAlign::Center, 7, char1);
            } else {
                if (finished)
                    text(x0 + 12 + nw, 14, QString::number(m.HomeScore), TAlign::Right, 9, char1);
                text(x0 + 26 + nw, 10, QStringLiteral("-"), TAlign::Center, 9, char1);
                if (finished)
                    text(x0 + 36 + nw, 14, QString::number(m.VisitorScore), TAlign::Left, 9, char1);
            }
            name(x0 + 50 + nw, game.Visitor, TAlign::Left);
            if (finished)
                text(x0 + 50 + 2 * nw, 12, Mark(m.VisitorScore, m.HomeScore), TAlign::Left, 9, char1);
        }
    }
}
