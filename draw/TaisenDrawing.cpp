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

// The teams of a district with every game of the season, not ranked yet.
TRkCalc DistrictStandings(const TDistrict& district, const TFight& fight) {
    TRkCalc calc;
    for (int i = 0; i < district.TeamCount(); ++i)
        calc.AddTeam(district.GetTeam(i).Symbol);
    for (int m = 0; m < fight.MatchCount(); ++m)
        calc.AddMatch(fight.GetMatch(m));
    return calc;
}

// Standings order, by the league's rule.
void RankByLeague(TRkCalc& calc, const TLeague& league) {
    calc.Rank(false);
    if (league.RankRule == 1)
        calc.Rank(true);
}

bool AnyPicture(const TDistrict& district) {
    for (int i = 0; i < district.TeamCount(); ++i)
        if (!district.GetTeam(i).Picture.empty())
            return true;
    return false;
}

// "【対 …】" above the table: which opponents this page shows. None when the
// district has one page.
QString PageHeading(const std::vector<int>& pages, int page, const TLeague* league, const TLeague& columnLeague,
                    const TDistrict& columns) {
    if (pages.size() <= 1)
        return QString();
    if (page == 0)
        return QStringLiteral("【対 同一地区】");
    if (&columnLeague == league)
        return QStringLiteral("【対 ") + Q(columns.Name) + QStringLiteral("】");
    return QStringLiteral("【対 ") + Q(columnLeague.Name + columns.Name) + QStringLiteral("】");
}

// A column symbol's place in the table's Opponents. The keys view the column
// symbols, which outlive the index.
using TOpponentIndex = std::unordered_map<std::string_view, int>;

// Each column's symbol once in the table's Opponents, and the columns of each.
TOpponentIndex IndexOpponents(TTaisenTable& table, const std::vector<std::string>& columnSymbols) {
    TOpponentIndex index;
    for (const std::string& symbol : columnSymbols) {
        const auto [it, added] = index.try_emplace(symbol, static_cast<int>(table.Opponents.size()));
        if (added) {
            table.Opponents.push_back(symbol);
            table.OpponentColumns.emplace_back();
        }
        table.OpponentColumns[static_cast<size_t>(it->second)].push_back(table.ColumnCount());
        table.ColumnOpponent.push_back(it->second);
    }
    return index;
}

// How the cells are painted: their size, the result format and the colors.
void SetCellLook(TTaisenTable& table, const TViewContext& v, int cellWidth, bool noDraws) {
    const TAppSettings& s = *v.Settings;
    table.CellWidth = cellWidth;
    table.NoDraws = noDraws;
    table.Line = v.Color(s.Line1);
    table.Char = v.Color(s.Char1);
    for (int k = 0; k < 7; ++k)
        table.StateColors[k] = v.Color(StateColor(s, static_cast<TBatState>(k)));
}

// The row team's record against each opponent of the page with games under
// the filter, by opponent.
std::vector<TTaisenCell> RowCells(const TTmRec& rec, const TOpponentIndex& opponents, int filter) {
    // The row's games by opponent, in one pass over its games.
    std::unordered_map<int, TVersus> versus;
    for (const TGameEntry& e : rec.GameList) {
        const auto found = opponents.find(e.Opponent);
        if (found != opponents.end())
            AddToVersus(versus[found->second], e);
    }
    std::vector<TTaisenCell> cells;
    for (const auto& [opponent, vs] : versus) {
        const TSideRecord side = filter == 1 ? vs.Home : filter == 2 ? vs.Visitor : vs.Total();
        const TBatState state = BatState(side.Wins, side.Losses, side.Games, side.Remain);
        if (state != TBatState::No)
            cells.push_back({opponent, state, side.Games, side.Wins, side.Losses, side.Draws, side.Remain});
    }
    std::sort(cells.begin(), cells.end(),
              [](const TTaisenCell& a, const TTaisenCell& b) { return a.Opponent < b.Opponent; });
    return cells;
}

// Lays out the fixed part of one table, band by band from the top, into the
// layout's display list: the state and filter band, the heading, the header
// row, the rows' heads, the page buttons.
class TTaisenBuilder {
public:
    TTaisenBuilder(const TViewContext& view, TTaisenLayout& out)
        : View(view), Settings(*view.Settings), Out(out), List(out.Table.Fixed.List), Char(view.Color(Settings.Char1)),
          Line(view.Color(Settings.Line1)), Teams(*view.Pennant) {}

    // The standings state of the row district, and the ALL / HOME / VISITOR buttons.
    void AddStateAndFilters(const TRkCalc& rows, int filter) {
        bool allPlayed = true;
        for (int i = 0; i < rows.Count(); ++i)
            allPlayed = allPlayed && rows.Items(i).Remain() == 0;
        Text(Box(10, 5, 120, 18), Q(StandingsStateText(allPlayed, rows.GetKeyDates())), 10, TAlign::Left);
        Text(Box(150, 5, 177, 20), QStringLiteral("切替"), 9, TAlign::Left);
        const QString names[] = {QStringLiteral("ALL"), QStringLiteral("HOME"), QStringLiteral("VISITOR")};
        for (int i = 0; i < 3; ++i) {
            const QRect r = Box(182 + 55 * i, 6, 227 + 55 * i, 18);
            Out.FilterRects[i] = r;
            List.Fill(r, View.Color(i == filter ? Settings.Active : Settings.UnActive));
            Text(r.translated(1, 1), names[i], 8, TAlign::Center);
        }
    }

    void AddHeading(const QString& heading) { Text(Box(10, 18, 300, 36), heading, 9, TAlign::Left); }

    // "順位", "チーム" and a column per team of `columns`, in their order;
    // `symbols` gets the columns' symbols. Returns the right edge of the last column.
    int AddHeaderRow(const TRkCalc& columns, bool pictures, int cellWidth, std::vector<std::string>& symbols) {
        int x = 5;
        Frame(x, 20, kHeaderTop);
        Text(Box(x, kHeaderTop, x + 20, kHeaderTop + 18), QStringLiteral("順"), 9, TAlign::Center);
        Text(Box(x, kHeaderTop + 18, x + 20, kHeaderTop + 36), QStringLiteral("位"), 9, TAlign::Center);
        x += 19;
        const int teamWidth = pictures ? 143 : 90;
        Frame(x, teamWidth, kHeaderTop);
        Text(Box(x, kHeaderTop, x + teamWidth, kHeaderTop + 36),
             pictures ? QStringLiteral("チ　　ー　　ム") : QStringLiteral("チ　ー　ム"), 9, TAlign::Center);
        x += teamWidth - 1;
        for (int i = 0; i < columns.Count(); ++i) {
            symbols.push_back(columns.Items(i).Symbol);
            const TTeam* team = Teams.Team(symbols.back());
            const QString name = team ? Q(team->ShortName) : QString();
            Frame(x, cellWidth, kHeaderTop);
            Text(Box(x + 5, kHeaderTop, x + cellWidth - 5, kHeaderTop + 36), name, Measure.Fit(cellWidth - 10, name),
                 TAlign::Center);
            x += cellWidth - 1;
        }
        return x;
    }

    // A row per team of `rows`, in their order: its rank, picture and name,
    // and its cells. Returns the bottom of the last row.
    int AddRows(const TRkCalc& rows, bool pictures, int filter, const TOpponentIndex& opponents) {
        TTaisenTable& table = Out.Table;
        table.GridTop = kHeaderTop + 35;
        int y = table.GridTop;
        for (int r = 0; r < rows.Count(); ++r, y += 35) {
            const TTmRec& rec = rows.Items(r);
            table.GridLeft = AddRowHead(rec, pictures, y);
            table.RowSymbols.push_back(rec.Symbol);
            table.Rows.push_back(RowCells(rec, opponents, filter));
        }
        return y;
    }

    // PAGE and a numbered button per page, under the rows at `top`.
    void AddPageButtons(int pages, int page, int top) {
        const int py = top + 5;
        Text(Box(10, py, 50, py + 18), QStringLiteral("PAGE"), 9, TAlign::Left);
        for (int q = 0; q < pages; ++q) {
            const int left = 48 + 20 * q;
            const QRect r = Box(left, py + 3, left + 15, py + 14);
            Out.PageRects.push_back(r);
            List.Fill(r, View.Color(q == page ? Settings.Active : Settings.UnActive));
            Text(r.translated(3, 1), QString::number(q + 1), 8, TAlign::Center);
        }
    }

    static constexpr int kHeaderTop = 40;

private:
    // Rank, picture (when the district has any) and name of one row; returns
    // where its cells start.
    int AddRowHead(const TTmRec& rec, bool pictures, int y) {
        const TTeam* team = Teams.Team(rec.Symbol);
        int x = 5;
        Frame(x, 20, y);
        Text(Box(x, y, x + 20, y + 36), QString::number(rec.RankNo), 9, TAlign::Center);
        x += 19;
        if (pictures) {
            if (team)
                List.Picture(Box(x, y, x + 54, y + 36), LoadPicture(team->Picture, View.ProgramDir));
            Frame(x, 54, y);
            x += 53;
        }
        Frame(x, 90, y);
        const QString name = team ? Q(team->ShortName) : QString();
        Text(Box(x + 5, y, x + 85, y + 36), name, Measure.Fit(80, name), TAlign::Left);
        return x + 89;
    }

    void Frame(int left, int width, int top) { List.Frame(Box(left, top, left + width, top + 36), Line); }
    void Text(const QRect& r, const QString& text, int size, TAlign align) { List.Text(r, text, size, Char, align); }

    const TViewContext& View;
    const TAppSettings& Settings;
    TTaisenLayout& Out;
    TDisplayList& List;
    const QColor Char, Line;
    const TSymbolIndex Teams; // every row and column looks its team up
    TTextMeasure Measure;
};

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
    t.Table.Fixed.Back = v.Color(v.Settings->BackGround);
    TLeague* league = nullptr;
    const TDistrict* rows = pennant.DistrictAt(district, &league);
    TLeague* columnLeague = nullptr;
    const TDistrict* columns = page >= 0 && static_cast<size_t>(page) < pages.size()
                                   ? pennant.DistrictAt(pages[static_cast<size_t>(page)], &columnLeague)
                                   : nullptr;
    if (!rows || !columns)
        return t;
    TTaisenBuilder build(v, t);

    // Rows: the district's teams in standings order; columns: the page's district in its own.
    TRkCalc rowCalc = DistrictStandings(*rows, *v.Fight);
    build.AddStateAndFilters(rowCalc, filter); // its key dates from the teams in the district's order
    RankByLeague(rowCalc, *league);
    TRkCalc columnCalc = DistrictStandings(*columns, *v.Fight);
    RankByLeague(columnCalc, *columnLeague);
    const QString heading = PageHeading(pages, page, league, *columnLeague, *columns);
    build.AddHeading(heading);
    const QString filterName = filter == 1   ? QStringLiteral("(ホーム)")
                               : filter == 2 ? QStringLiteral("(ビジター)")
                                             : QString();
    t.Table.Heading = {TitleLine(DistrictTitle(pennant, district),
                                 TitleLine(QStringLiteral("対戦成績表"), filterName, heading),
                                 DistrictDayText(pennant, *v.Fight, district)),
                       v.Color(v.Settings->Char1)};

    const bool pictures = AnyPicture(*rows);
    const int cellWidth = rows->TeamCount() >= 10 ? 75 : 90;
    std::vector<std::string> columnSymbols;
    const int xEnd = build.AddHeaderRow(columnCalc, pictures, cellWidth, columnSymbols);
    const TOpponentIndex opponentIndex = IndexOpponents(t.Table, columnSymbols);
    SetCellLook(t.Table, v, cellWidth, league->DrawRule == 2);
    const int yEnd = build.AddRows(rowCalc, pictures, filter, opponentIndex);

    // The filter buttons and the heading are part of the table too: a narrow
    // table does not cut them off.
    int width = std::max(xEnd + 30, t.FilterRects[2].right() + 11);
    if (pages.size() > 1) {
        build.AddPageButtons(static_cast<int>(pages.size()), page, yEnd);
        width = std::max(width, t.PageRects.back().right() + 11);
    }
    t.Table.Fixed.TableSize = QSize(width, yEnd + 80);
    t.Table.FindGridColumns();
    return t;
}

void TTaisenTable::FindGridColumns() {
    // The header row lies just above the first row, its cells as tall.
    ColumnsFromFrames(Box(0, GridTop - 35, Size().width(), GridTop + 1));
}

QRect TTaisenTable::GridRow(int row) const {
    return Box(0, GridTop + row * 35, Size().width(), GridTop + row * 35 + 36);
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
