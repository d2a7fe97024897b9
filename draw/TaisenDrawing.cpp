#include "draw/TaisenDrawing.h"

#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "core/standings/BaseballCalc.h"
#include "core/standings/StandingsText.h"
#include "draw/Pictures.h"
#include "draw/QtText.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace {

QRect Box(int l, int t, int r, int b) {
    return TTableCanvas::Box(l, t, r, b);
}

int32_t StateColor(const TAppSettings& s, TBatState state) {
    switch (state) {
    case TBatState::No:
        return s.BatNo;
    case TBatState::W:
        return s.BatW;
    case TBatState::WW:
        return s.BatWW;
    case TBatState::L:
        return s.BatL;
    case TBatState::LL:
        return s.BatLL;
    case TBatState::D:
        return s.BatD;
    case TBatState::DD:
        return s.BatDD;
    }
    return s.BatNo;
}

void FeedAll(TRkCalc& calc, const TFight& fight) {
    for (int m = 0; m < fight.MatchCount(); ++m)
        calc.AddMatch(fight.GetMatch(m));
}

} // namespace

TBatState BatState(int wins, int losses, int games, int remain) {
    if (games + remain == 0)
        return TBatState::No;
    if (wins > losses)
        return losses + remain < wins ? TBatState::WW : TBatState::W;
    if (wins < losses)
        return wins + remain < losses ? TBatState::LL : TBatState::L;
    return remain > 0 ? TBatState::D : TBatState::DD;
}

std::vector<int> TaisenPages(const TPennant& pennant, int district) {
    std::vector<int> pages;
    TLeague* selected = nullptr;
    if (!pennant.DistrictAt(district, &selected))
        return pages;
    pages.push_back(district);
    std::vector<std::pair<int, const TLeague*>> all;
    int n = 0;
    for (int l = 0; l < pennant.LeagueCount(); ++l)
        for (int d = 0; d < pennant.GetLeague(l).DistrictCount(); ++d)
            all.emplace_back(n++, &pennant.GetLeague(l));
    for (const auto& [number, league] : all)
        if (league == selected && number != district)
            pages.push_back(number);
    if (pennant.Interleague)
        for (const auto& [number, league] : all)
            if (league != selected)
                pages.push_back(number);
    return pages;
}

TTaisenLayout LayoutTaisen(const TViewContext& v, int district, const std::vector<int>& pages, int filter, int page) {
    TTaisenLayout t;
    const TPennant& pennant = *v.Pennant;
    const TAppSettings& s = *v.Settings;
    t.Table.Fixed.Back = v.Color(s.BackGround);
    TLeague* league = nullptr;
    const TDistrict* rows = pennant.DistrictAt(district, &league);
    TLeague* columnLeague = nullptr;
    const TDistrict* columns = page >= 0 && static_cast<size_t>(page) < pages.size()
                                   ? pennant.DistrictAt(pages[static_cast<size_t>(page)], &columnLeague)
                                   : nullptr;
    if (!rows || !columns)
        return t;
    const QColor char1 = v.Color(s.Char1), line1 = v.Color(s.Line1);
    TDisplayList& list = t.Table.Fixed.List;
    TTextMeasure measure;

    // Rows: the district's teams in standings order.
    TRkCalc rowCalc;
    for (int i = 0; i < rows->TeamCount(); ++i)
        rowCalc.AddTeam(rows->GetTeam(i).Symbol);
    const bool noDraws = league->DrawRule == 2;
    const int w = rows->TeamCount() >= 10 ? 75 : 90;
    FeedAll(rowCalc, *v.Fight);

    bool allPlayed = true;
    for (int i = 0; i < rowCalc.Count(); ++i)
        allPlayed = allPlayed && rowCalc.Items(i).Remain() == 0;
    list.Text(Box(10, 5, 120, 18), Q(StandingsStateText(allPlayed, rowCalc.GetKeyDates())), 10, char1, TAlign::Left);
    list.Text(Box(150, 5, 177, 20), QStringLiteral("切替"), 9, char1, TAlign::Left);
    const QString filterNames[] = {QStringLiteral("ALL"), QStringLiteral("HOME"), QStringLiteral("VISITOR")};
    for (int i = 0; i < 3; ++i) {
        const QRect r = Box(182 + 55 * i, 6, 227 + 55 * i, 18);
        t.FilterRects[i] = r;
        list.Fill(r, v.Color(i == filter ? s.Active : s.UnActive));
        list.Text(r.translated(1, 1), filterNames[i], 8, char1, TAlign::Center);
    }

    // Columns: the page's district in its standings order.
    TRkCalc columnCalc;
    for (int i = 0; i < columns->TeamCount(); ++i)
        columnCalc.AddTeam(columns->GetTeam(i).Symbol);
    FeedAll(columnCalc, *v.Fight);
    columnCalc.Rank(false);
    if (columnLeague->RankRule == 1)
        columnCalc.Rank(true);

    QString heading;
    if (pages.size() > 1) {
        if (page == 0)
            heading = QStringLiteral("【対 同一地区】");
        else if (columnLeague == league)
            heading = QStringLiteral("【対 ") + Q(columns->Name) + QStringLiteral("】");
        else
            heading = QStringLiteral("【対 ") + Q(columnLeague->Name + columns->Name) + QStringLiteral("】");
    }
    list.Text(Box(10, 18, 300, 36), heading, 9, char1, TAlign::Left);

    bool pictures = false;
    for (int i = 0; i < rows->TeamCount(); ++i)
        pictures = pictures || !rows->GetTeam(i).Picture.empty();

    // Header row.
    int x = 5;
    const int headerY = 40;
    auto frame = [&](int left, int width, int top) { list.Frame(Box(left, top, left + width, top + 36), line1); };
    frame(x, 20, headerY);
    list.Text(Box(x, headerY, x + 20, headerY + 18), QStringLiteral("順"), 9, char1, TAlign::Center);
    list.Text(Box(x, headerY + 18, x + 20, headerY + 36), QStringLiteral("位"), 9, char1, TAlign::Center);
    x += 19;
    const int teamWidth = pictures ? 143 : 90;
    frame(x, teamWidth, headerY);
    list.Text(Box(x, headerY, x + teamWidth, headerY + 36),
              pictures ? QStringLiteral("チ　　ー　　ム") : QStringLiteral("チ　ー　ム"), 9, char1, TAlign::Center);
    x += teamWidth - 1;
    std::vector<std::string> columnSymbols;
    for (int i = 0; i < columnCalc.Count(); ++i) {
        columnSymbols.push_back(columnCalc.Items(i).Symbol);
        const TTeam* team = pennant.TeamBySymbol(columnSymbols.back());
        const QString name = team ? Q(team->ShortName) : QString();
        frame(x, w, headerY);
        list.Text(Box(x + 5, headerY, x + w - 5, headerY + 36), name, measure.Fit(w - 10, name), char1, TAlign::Center);
        x += w - 1;
    }
    const int xEnd = x;
    TTaisenTable& table = t.Table;
    // Each column symbol once, in Opponents; the keys view columnSymbols, which outlives the map.
    std::unordered_map<std::string_view, int> opponentIndex;
    for (const std::string& symbol : columnSymbols) {
        const auto [it, added] = opponentIndex.try_emplace(symbol, static_cast<int>(table.Opponents.size()));
        if (added) {
            table.Opponents.push_back(symbol);
            table.OpponentColumns.emplace_back();
        }
        table.OpponentColumns[static_cast<size_t>(it->second)].push_back(table.ColumnCount());
        table.ColumnOpponent.push_back(it->second);
    }
    table.GridTop = headerY + 35;
    table.CellWidth = w;
    table.NoDraws = noDraws;
    table.Line = line1;
    table.Char = char1;
    for (int k = 0; k < 7; ++k)
        table.StateColors[k] = v.Color(StateColor(s, static_cast<TBatState>(k)));

    // Rows.
    rowCalc.Rank(false);
    if (league->RankRule == 1)
        rowCalc.Rank(true);
    int y = headerY + 35;
    for (int r = 0; r < rowCalc.Count(); ++r, y += 35) {
        const TTmRec& rec = rowCalc.Items(r);
        const TTeam* team = pennant.TeamBySymbol(rec.Symbol);
        x = 5;
        frame(x, 20, y);
        list.Text(Box(x, y, x + 20, y + 36), QString::number(rec.RankNo), 9, char1, TAlign::Center);
        x += 19;
        if (pictures) {
            if (team)
                list.Picture(Box(x, y, x + 54, y + 36), LoadPicture(team->Picture, v.ProgramDir));
            frame(x, 54, y);
            x += 53;
        }
        frame(x, 90, y);
        const QString name = team ? Q(team->ShortName) : QString();
        list.Text(Box(x + 5, y, x + 85, y + 36), name, measure.Fit(80, name), char1, TAlign::Left);
        x += 89;
        table.GridLeft = x;
        // The row's games by opponent, in one pass over its games.
        std::unordered_map<int, TVersus> versus;
        for (const TGameEntry& e : rec.GameList) {
            const auto found = opponentIndex.find(e.Opponent);
            if (found != opponentIndex.end())
                AddToVersus(versus[found->second], e);
        }
        table.RowSymbols.push_back(rec.Symbol);
        std::vector<TTaisenCell>& cells = table.Rows.emplace_back();
        for (const auto& [opponent, vs] : versus) {
            const TSideRecord side = filter == 1 ? vs.Home : filter == 2 ? vs.Visitor : vs.Total();
            const TBatState state = BatState(side.Wins, side.Losses, side.Games, side.Remain);
            if (state != TBatState::No)
                cells.push_back({opponent, state, side.Games, side.Wins, side.Losses, side.Draws, side.Remain});
        }
        std::sort(cells.begin(), cells.end(),
                  [](const TTaisenCell& a, const TTaisenCell& b) { return a.Opponent < b.Opponent; });
    }
    const int yEnd = y;

    // The filter buttons and the heading are part of the table too: a narrow
    // table does not cut them off.
    int width = std::max(xEnd + 30, t.FilterRects[2].right() + 11);
    if (pages.size() > 1) {
        const int py = yEnd + 5;
        list.Text(Box(10, py, 50, py + 18), QStringLiteral("PAGE"), 9, char1, TAlign::Left);
        for (size_t q = 0; q < pages.size(); ++q) {
            const int left = 48 + 20 * static_cast<int>(q);
            const QRect r = Box(left, py + 3, left + 15, py + 14);
            t.PageRects.push_back(r);
            list.Fill(r, v.Color(static_cast<int>(q) == page ? s.Active : s.UnActive));
            list.Text(r.translated(3, 1), QString::number(q + 1), 8, char1, TAlign::Center);
        }
        width = std::max(width, t.PageRects.back().right() + 11);
    }
    t.Table.Fixed.TableSize = QSize(width, yEnd + 80);
    return t;
}

QRect TTaisenTable::CellRect(int row, int column) const {
    const int x = GridLeft + column * (CellWidth - 1), y = GridTop + row * 35;
    return Box(x, y, x + CellWidth, y + 36);
}

const TTaisenCell* TTaisenTable::CellAt(int row, int column) const {
    if (row < 0 || static_cast<size_t>(row) >= Rows.size() || column < 0 || column >= ColumnCount())
        return nullptr;
    const std::vector<TTaisenCell>& cells = Rows[static_cast<size_t>(row)];
    const int opponent = ColumnOpponent[static_cast<size_t>(column)];
    const auto it = std::lower_bound(cells.begin(), cells.end(), opponent,
                                     [](const TTaisenCell& cell, int key) { return cell.Opponent < key; });
    return it != cells.end() && it->Opponent == opponent ? &*it : nullptr;
}

void TTaisenTable::Paint(TTableCanvas& c) const {
    Fixed.Paint(c);
    const int columns = ColumnCount();
    if (Rows.empty() || columns == 0)
        return;
    // Cells are CellWidth x 36 on pitches of CellWidth - 1 and 35: their
    // borders overlap, so rows and columns are drawn in order, as laid out.
    const int pitch = CellWidth - 1;
    const auto [firstRow, lastRow] = c.VisibleRows(GridTop, 35, 36, static_cast<int>(Rows.size()));
    const QRect& area = c.Area();
    if (area.left() + area.width() <= GridLeft)
        return;
    // Column k covers [GridLeft + k * pitch, GridLeft + k * pitch + CellWidth).
    const int before = area.left() - GridLeft - pitch; // > 0: how far the area starts past column 0
    const int firstColumn = before <= 0 ? 0 : std::min((before + pitch - 1) / pitch, columns);
    const int lastColumn = std::clamp((area.left() + area.width() - 1 - GridLeft) / pitch + 1, 0, columns);
    for (int r = firstRow; r < lastRow; ++r)
        for (int column = firstColumn; column < lastColumn; ++column) {
            const QRect cell = CellRect(r, column);
            const TTaisenCell* games = CellAt(r, column);
            c.Fill(cell, StateColors[static_cast<int>(games ? games->State : TBatState::No)]);
            c.Frame(cell, Line);
            c.SetFontSize(9);
            c.SetFontColor(Char);
            if (!games) {
                c.Text(cell, QStringLiteral("＊"), TAlign::Center);
                continue;
            }
            const int g = games->Games, wn = games->Wins, l = games->Losses, d = games->Draws;
            const QString result =
                NoDraws ? QStringLiteral("%1-%2").arg(wn).arg(l) : QStringLiteral("%1-%2-%3").arg(wn).arg(l).arg(d);
            const int x = cell.left(), y = cell.top();
            const QRect upper = Box(x + 5, y, x + CellWidth - 5, y + 18),
                        lower = Box(x + 5, y + 18, x + CellWidth - 5, y + 36);
            c.Text(upper, QStringLiteral("G") + QString::number(NoDraws ? g - d : g), TAlign::Left);
            c.Text(upper, result, TAlign::Right);
            c.Text(lower, QStringLiteral("R") + QString::number(games->Remain), TAlign::Left);
            c.Text(lower, QString::fromStdString(FormatRatio(wn, g - d)), TAlign::Right);
        }
}

std::optional<TTaisenHit> TTaisenLayout::HitAt(const QPoint& at) const {
    const TTaisenTable& t = Table;
    if (t.Rows.empty() || t.ColumnCount() == 0 || at.x() < t.GridLeft || at.y() < t.GridTop)
        return std::nullopt;
    // A point on a shared border lies in two rows or columns: the earlier first.
    const int row = (at.y() - t.GridTop) / 35, column = (at.x() - t.GridLeft) / (t.CellWidth - 1);
    for (int r : {row - 1, row})
        for (int k : {column - 1, column})
            if (t.CellAt(r, k) && t.CellRect(r, k).contains(at))
                return TTaisenHit{t.RowSymbols[static_cast<size_t>(r)],
                                  t.Opponents[static_cast<size_t>(t.ColumnOpponent[static_cast<size_t>(k)])],
                                  t.CellRect(r, k)};
    return std::nullopt;
}

std::vector<TTaisenHit> TTaisenLayout::Hits() const {
    std::vector<TTaisenHit> hits;
    for (size_t r = 0; r < Table.Rows.size(); ++r) {
        std::vector<std::pair<int, int>> cells; // column, opponent
        for (const TTaisenCell& cell : Table.Rows[r])
            for (int column : Table.OpponentColumns[static_cast<size_t>(cell.Opponent)])
                cells.emplace_back(column, cell.Opponent);
        std::sort(cells.begin(), cells.end());
        for (const auto& [column, opponent] : cells)
            hits.push_back({Table.RowSymbols[r], Table.Opponents[static_cast<size_t>(opponent)],
                            Table.CellRect(static_cast<int>(r), column)});
    }
    return hits;
}
