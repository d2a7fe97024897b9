#include "draw/TmJuniDrawing.h"

#include "core/base/DayNumber.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "core/standings/StandingsText.h"
#include "draw/Pictures.h"
#include "draw/QtText.h"
#include "draw/ViewPictures.h"

#include <QFileInfo>

namespace {

constexpr int kRowHeight = 18;

QRect Box(int l, int t, int r, int b) {
    return TTableCanvas::Box(l, t, r, b);
}

// Builds the rows: each new row continues the rank line from the row above.
class TRowWriter {
public:
    explicit TRowWriter(TTmJuniTable& table) : T(table) {}

    void Row(const TGameEntry& e, int rankNo, long long wins, long long decided) {
        TTmJuniRow row;
        row.Day = e.GameDate;
        row.IsVisitor = e.IsVisitor != 0;
        row.Status = e.Status;
        row.OwnScore = e.OwnScore;
        row.OppScore = e.OppScore;
        row.Opponent = e.Opponent;
        row.Wins = wins;
        row.Decided = decided;
        Add(std::move(row), rankNo, e.Status != StatusBefore);
    }

    // A day on which only other teams of the district played.
    void DayOnly(double day, int rankNo) {
        TTmJuniRow row;
        row.Day = day;
        row.DayOnly = true;
        Add(std::move(row), rankNo, true);
    }

    int ScrollTarget = 0;

private:
    // The rank cell: the line from the previous point (only for a game with
    // a result, or a day alone), the new point, and a marker.
    void Add(TTmJuniRow row, int rankNo, bool played) {
        const int y = static_cast<int>(T.Rows.size()) * kRowHeight;
        const int x = 365 + (rankNo - 1) * 30;
        const QPoint point(x + 10, y + 9);
        if (Previous && played) {
            row.Line = static_cast<int>(T.Lines.size());
            T.Lines.emplace_back(*Previous, point);
        }
        Previous = point;
        if (played) {
            ScrollTarget = y;
            row.Mark = static_cast<int>(T.Marks.size());
            T.Marks.push_back({x + 5, y + 4, rankNo - 1});
        }
        T.Rows.push_back(std::move(row));
    }

    TTmJuniTable& T;
    std::optional<QPoint> Previous;
};

} // namespace

TTmJuniTable::TTmJuniTable(const TViewContext& view, int width, const QColor& teamColor)
    : View(view), Width(width), TeamColor(teamColor) {
    // The rows carry no header: the columns are named for the reader.
    const std::pair<int, const char*> columns[] = {{0, "日付"},     {80, "相手"},  {170, "球場"}, {220, "勝敗"},
                                                   {250, "スコア"}, {300, "勝率"}, {340, "順位"}};
    const int count = static_cast<int>(std::size(columns));
    for (int i = 0; i < count; ++i) {
        const int right = i + 1 < count ? columns[i + 1].first : std::max(width, 341);
        GridColumns.push_back({columns[i].first, right, {}, QString::fromUtf8(columns[i].second)});
    }
}

QRect TTmJuniTable::GridRow(int row) const {
    return Box(0, row * kRowHeight, Width, (row + 1) * kRowHeight);
}

QString TTmJuniTable::GridText(int row, int column) const {
    if (column != GridColumnCount() - 1)
        return TTableLayout::GridText(row, column);
    // The rank is a marker on the rank line: read as its number.
    const int mark = row >= 0 && row < static_cast<int>(Rows.size()) ? Rows[static_cast<size_t>(row)].Mark : -1;
    return mark < 0 ? QString() : QStringLiteral("%1位").arg(Marks[static_cast<size_t>(mark)].ImageIndex + 1);
}

QColor TTmJuniTable::Background() const {
    return View.Background();
}

const QImage& TTmJuniTable::RankImage(int index) const {
    std::optional<QImage>& image = RankImages[static_cast<size_t>(index)];
    if (!image) {
        const QString path = RankPicturePath(View.ProgramDir, index + 1);
        QImage picture = QFileInfo(path).isFile() ? QImage(path) : QImage();
        image = picture.isNull() ? RankPicture(index + 1) : picture;
    }
    return *image;
}

void TTmJuniTable::Paint(TTableCanvas& c) const {
    const TAppSettings& s = *View.Settings;
    const QColor stripes[] = {View.Color(s.BackPt1), View.Color(s.BackPt2)};
    c.SetFontColor(View.Color(s.Char1));
    auto cell = [&](int left, int y, int width, const QString& text, TAlign align, int size) {
        c.SetFontSize(size);
        c.Text(Box(left, y, left + width, y + kRowHeight), text, align);
    };
    const int count = static_cast<int>(Rows.size());
    auto [first, last] = c.VisibleRows(0, kRowHeight, kRowHeight, count);
    // The row below the area too: its piece of the rank line starts inside it.
    last = std::min(last + 1, count);
    for (int i = first; i < last; ++i) {
        const TTmJuniRow& row = Rows[static_cast<size_t>(i)];
        const int y = i * kRowHeight;
        // The bands alternate between two colors across the whole table.
        c.Fill(Box(0, y, Width, y + kRowHeight), stripes[i % 2]);
        cell(5, y, 70, GameDayText(row.Day), TAlign::Right, 9);
        if (!row.DayOnly) {
            const QString opponent = Q(View.Pennant->ShortNameBySymbol(row.Opponent));
            FitFontSize(c, 80, opponent);
            c.Text(Box(85, y, 165, y + kRowHeight), opponent, TAlign::Left);
            cell(175, y, 40, row.IsVisitor ? QStringLiteral("ビジター") : QStringLiteral("ホーム"), TAlign::Left, 8);
            if (row.Status == StatusFinished) {
                cell(225, y, 20,
                     row.OwnScore > row.OppScore   ? QStringLiteral("○")
                     : row.OwnScore < row.OppScore ? QStringLiteral("●")
                                                   : QStringLiteral("△"),
                     TAlign::Center, 9);
                cell(255, y, 15, QString::number(row.OwnScore), TAlign::Right, 9);
                cell(270, y, 10, QStringLiteral("-"), TAlign::Center, 9);
                cell(280, y, 15, QString::number(row.OppScore), TAlign::Left, 9);
                cell(305, y, 30, QString::fromStdString(FormatRatio(row.Wins, row.Decided)), TAlign::Right, 9);
            } else if (row.Status == StatusCancelled) {
                cell(225, y, 20, QStringLiteral("中止"), TAlign::Center, 7);
            }
        }
        if (row.Line >= 0) {
            const auto& [from, to] = Lines[static_cast<size_t>(row.Line)];
            c.Line(from.x(), from.y(), to.x(), to.y(), 2, TeamColor);
        }
    }
    // Markers on top of the line.
    for (int i = first; i < last; ++i) {
        const int mark = Rows[static_cast<size_t>(i)].Mark;
        if (mark < 0)
            continue;
        const TRankMark& m = Marks[static_cast<size_t>(mark)];
        if (m.ImageIndex >= 0 && m.ImageIndex < 12) {
            const QImage& picture = RankImage(m.ImageIndex);
            c.Stretch(QRect(m.X, m.Y, picture.width(), picture.height()), picture);
        }
    }
}

// The summary.

namespace {

struct TColumn {
    QString Title;
    int Width;
};

std::vector<TColumn> SummaryColumns(bool noDraws) {
    std::vector<TColumn> columns = {{QStringLiteral("試"), 40}, {QStringLiteral("勝"), 40}, {QStringLiteral("負"), 40}};
    if (!noDraws)
        columns.push_back({QStringLiteral("分"), 40});
    for (const QString& t : {QStringLiteral("率"), QStringLiteral("平得"), QStringLiteral("平失"),
                             QStringLiteral("連勝"), QStringLiteral("連敗")})
        columns.push_back({t, 50});
    return columns;
}

} // namespace

TTmJuniHead::TTmJuniHead(const TViewContext& view, const TTeam& team, const TTmRec& record, uint8_t drawRule)
    : View(view), TeamName(team.Name), TeamPicture(team.Picture), Home(record.Home), Visitor(record.Visitor),
      Streaks(record.GetStreaks()), NoDraws(drawRule == 2) {
    int right = 55;
    for (const TColumn& column : SummaryColumns(NoDraws))
        right += column.Width;
    Extent = QSize(right + 10, 41 + 4 * 17);
}

QColor TTmJuniHead::Background() const {
    return View.Background();
}

void TTmJuniHead::Paint(TTableCanvas& c) const {
    const TAppSettings& s = *View.Settings;
    int x = 5;
    if (!TeamPicture.empty()) {
        c.Stretch(Box(5, 5, 59, 41), LoadPicture(TeamPicture, View.ProgramDir));
        c.Frame(Box(5, 5, 59, 41), View.Color(s.Line1));
        x = 69;
    }
    c.SetFontSize(11);
    c.SetFontColor(View.Palette.color(QPalette::Text));
    c.Text(Box(x, 5, x + 300, 41), Q(TeamName), TAlign::Left);

    c.SetFontColor(View.Color(s.Char1));
    c.SetFontSize(9);
    const QColor stripes[] = {View.Color(s.BackPt1), View.Color(s.BackPt2)};
    const std::vector<TColumn> columns = SummaryColumns(NoDraws);
    int y = 41, toggle = 0;
    auto row = [&](const QString& label, const std::vector<QString>& values) {
        c.Fill(Box(0, y, Extent.width(), y + 18), stripes[toggle]);
        toggle ^= 1;
        if (!label.isNull())
            c.Text(Box(5, y, 55, y + 18), label, TAlign::Left);
        int cx = 55;
        for (size_t i = 0; i < columns.size(); ++i) {
            c.Text(Box(cx, y, cx + columns[i].Width, y + 18), values[i], TAlign::Right);
            cx += columns[i].Width;
        }
        y += 17;
    };
    std::vector<QString> titles;
    for (const TColumn& column : columns)
        titles.push_back(column.Title);
    row(QString(), titles);

    TSideRecord total = Home;
    total += Visitor;
    const TSideRecord* sides[] = {&Home, &Visitor, &total};
    const int32_t winMax[] = {Streaks.HomeWinMax, Streaks.VisitorWinMax, Streaks.WinMax};
    const int32_t loseMax[] = {Streaks.HomeLoseMax, Streaks.VisitorLoseMax, Streaks.LoseMax};
    const QString labels[] = {QStringLiteral("ホーム"), QStringLiteral("ビジター"), QStringLiteral("合　計")};
    for (int i = 0; i < 3; ++i) {
        const TSideRecord& side = *sides[i];
        std::vector<QString> values = {QString::number(NoDraws ? side.Decided() : side.Games),
                                       QString::number(side.Wins), QString::number(side.Losses)};
        if (!NoDraws)
            values.push_back(QString::number(side.Draws));
        values.push_back(QString::fromStdString(FormatRatio(side.Wins, side.Decided())));
        values.push_back(QString::fromStdString(FormatAverage(side.RunsFor, side.Games)));
        values.push_back(QString::fromStdString(FormatAverage(side.RunsAgainst, side.Games)));
        values.push_back(QString::number(winMax[i]));
        values.push_back(QString::number(loseMax[i]));
        row(labels[i], values);
    }
}

TTmJuniPanes LayOutTmJuni(const TViewContext& v, int teamIndex) {
    TTmJuniPanes d;
    const TPennant& pennant = *v.Pennant;
    const TFight& fight = *v.Fight;
    TLeague* league = nullptr;
    TDistrict* district = nullptr;
    const TTeam* team = pennant.TeamAt(teamIndex, &league, &district);
    if (!team) {
        d.Table = std::make_unique<TTmJuniTable>(v, 1000, QColor());
        return d;
    }
    d.Caption = Q(team->Name) + QStringLiteral("順位推移");
    for (int i = 0; i < pennant.TotalDistrictCount(); ++i)
        if (pennant.DistrictAt(i) == district)
            d.Title = {TitleLine(DistrictTitle(pennant, i), Q(team->Name) + QStringLiteral(" 順位推移"),
                                 DistrictDayText(pennant, fight, i)),
                       v.Color(v.Settings->Char1)};
    const std::string symbol = team->Symbol;
    const bool byWins = league->RankRule == 1;
    TRkCalc calc;
    for (int t = 0; t < district->TeamCount(); ++t)
        calc.AddTeam(district->GetTeam(t).Symbol);
    d.Table = std::make_unique<TTmJuniTable>(v, 50 * calc.Count() + 465, v.Color(team->Color));
    d.Table->Name = d.Title.Text;
    TRowWriter writer(*d.Table);

    // With the match list in day order (as it always is once sorted), the team's
    // entries of a day are the newest ones, so each day only looks at what is new.
    bool sorted = true;
    for (int m = 1; m < fight.MatchCount() && sorted; ++m)
        sorted = days::WholeDay(fight.GetMatch(m - 1).GameDate) <= days::WholeDay(fight.GetMatch(m).GameDate);

    size_t scanned = 0;
    long long decided = 0, wins = 0;
    int64_t lastGameDay = 0; // the newest day of any district team's game fed so far

    auto dayRows = [&](double day, bool anyResult) {
        if (lastGameDay != days::WholeDay(day))
            return;
        calc.Rank(byWins);
        const TTmRec* rec = calc.FindTeam(symbol);
        if (!rec)
            return;
        if (!sorted) { // recount from the start, as the rows of any entry may be on this day
            scanned = 0;
            decided = wins = 0;
        }
        bool found = false;
        for (; scanned < rec->GameList.size(); ++scanned) {
            const TGameEntry& e = rec->GameList[scanned];
            if (e.Status == StatusFinished) {
                decided += e.OwnScore != e.OppScore;
                wins += e.OwnScore > e.OppScore;
            }
            if (!days::SameDay(e.GameDate, day))
                continue;
            found = true;
            if (e.Status == StatusCancelled && !v.Settings->Suspend)
                continue;
            writer.Row(e, rec->RankNo, wins, decided);
        }
        if (!found && anyResult && v.Settings->Other)
            writer.DayOnly(day, rec->RankNo);
    };

    if (fight.MatchCount() > 0) {
        double day = fight.GetMatch(0).GameDate;
        bool anyResult = false;
        for (int m = 0; m < fight.MatchCount(); ++m) {
            const TMatchRec& match = fight.GetMatch(m);
            if (!days::SameDay(match.GameDate, day)) {
                dayRows(day, anyResult);
                day = match.GameDate;
                anyResult = false;
            }
            calc.AddMatch(match);
            if (calc.FindTeam(match.HomeSymbol.Text()) || calc.FindTeam(match.VisitorSymbol.Text()))
                lastGameDay = std::max(lastGameDay, days::WholeDay(match.GameDate));
            anyResult = anyResult || match.Status != StatusBefore;
        }
        dayRows(day, anyResult);
    }
    d.ScrollTarget = writer.ScrollTarget;

    const TTmRec* rec = calc.FindTeam(symbol);
    d.Head = std::make_unique<TTmJuniHead>(v, *team, rec ? *rec : TTmRec(), league->DrawRule);
    d.HeadPaneHeight = d.Head->Size().height() + 4;
    return d;
}
