#include "draw/VersusDrawing.h"

#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "core/standings/BaseballCalc.h"
#include "core/standings/StandingsText.h"
#include "draw/NitteiDrawing.h"
#include "draw/QtText.h"

#include <algorithm>

namespace {

QRect Box(int l, int t, int r, int b) {
    return TTableCanvas::Box(l, t, r, b);
}

// Rows 18 high, 17 apart, on bands alternating between two colors.
struct TStripes {
    TDisplayList& List;
    QColor Off, On;
    bool Toggle;
    int Right = 0;
    void Band(int y) {
        List.Fill(Box(0, y, Right, y + 18), Toggle ? On : Off);
        Toggle = !Toggle;
    }
};

QString Ratio(int wins, int decided) {
    return QString::fromStdString(FormatRatio(wins, decided));
}

struct TVersusColors {
    QColor Char, Back1, Back2;
};

// The words a filter adds to a caption: none for all games.
QString FilterSuffix(int filter, const QString& home, const QString& visitor) {
    return filter == 1 ? home : filter == 2 ? visitor : QString();
}

// The team of district `district` (counted over the season) with `symbol`,
// and its league; none when the district has no such team.
const TTeam* DistrictTeam(const TPennant& pennant, int district, const std::string& symbol, TLeague*& league) {
    const TDistrict* d = pennant.DistrictAt(district, &league);
    for (int i = 0; d && i < d->TeamCount(); ++i)
        if (d->GetTeam(i).Symbol == symbol)
            return &d->GetTeam(i);
    return nullptr;
}

// The games against `opponent` the filter shows, one striped row each, with
// their result when played; the numbers count every game played or to play,
// shown or not. Sets the list's height, its games and the last result's top.
void AddGameList(TVersusLayout& l, const TTmRec& rec, const std::string& opponent, int filter,
                 const TVersusColors& colors) {
    TStripes list{l.List.List, colors.Back1, colors.Back2, true, l.Width};
    int number = 0, y = 0;
    for (const TGameEntry& e : rec.GameList) {
        if (e.Opponent != opponent || e.Status == StatusCancelled)
            continue;
        ++number;
        if ((filter == 1 && e.IsVisitor != 0) || (filter == 2 && e.IsVisitor != 1))
            continue;
        list.Band(y);
        auto text = [&](int left, int right, const QString& t, TAlign align) {
            l.List.List.Text(Box(left, y, right, y + 18), t, 9, colors.Char, align);
        };
        text(5, 75, GameDayText(e.GameDate), TAlign::Right);
        if (e.Status == StatusFinished) {
            text(85, 105,
                 e.OwnScore > e.OppScore   ? QStringLiteral("○")
                 : e.OwnScore < e.OppScore ? QStringLiteral("●")
                                           : QStringLiteral("△"),
                 TAlign::Center);
            text(115, 130, QString::number(e.OwnScore), TAlign::Right);
            text(130, 140, QStringLiteral("-"), TAlign::Center);
            text(140, 155, QString::number(e.OppScore), TAlign::Left);
            l.ScrollTarget = y;
        }
        text(155, 210, QString::number(number) + QStringLiteral("回戦"), TAlign::Right);
        text(220, 270, e.IsVisitor ? QStringLiteral("ビジター") : QStringLiteral("ホーム"), TAlign::Left);
        y += 17;
        ++l.Listed;
    }
    l.ListHeight = y;
    l.List.SetGrid(l.Listed, 17, 18,
                   {{0, 80, {}, QStringLiteral("日付")},
                    {80, 110, {}, QStringLiteral("勝敗")},
                    {110, 155, {}, QStringLiteral("スコア")},
                    {155, 215, {}, QStringLiteral("回戦")},
                    {215, std::max(l.Width, 216), {}, QStringLiteral("球場")}});
}

struct TSummaryColumn {
    QString Title;
    int Left, Right;
};

// Games, wins, losses, draws (unless the league has none), rate, runs for and
// against per game, longest winning and losing streaks.
std::vector<TSummaryColumn> SummaryColumns(bool noDraws) {
    std::vector<TSummaryColumn> columns = {
        {QStringLiteral("試"), 55, 85}, {QStringLiteral("勝"), 85, 115}, {QStringLiteral("負"), 115, 145}};
    int x = 145;
    if (!noDraws) {
        columns.push_back({QStringLiteral("分"), 145, 175});
        x = 175;
    }
    for (const QString& t : {QStringLiteral("率"), QStringLiteral("平得"), QStringLiteral("平失"),
                             QStringLiteral("連勝"), QStringLiteral("連敗")}) {
        columns.push_back({t, x, x + 40});
        x += 40;
    }
    return columns;
}

// One side of the pairing (home, visitor or both) and its longest streaks.
struct TSide {
    TSideRecord Record;
    int WinMax, LoseMax;
};

// A summary row's values, in the order of SummaryColumns.
std::vector<QString> SideValues(const TSide& side, bool noDraws) {
    const TSideRecord& r = side.Record;
    std::vector<QString> v = {QString::number(noDraws ? r.Decided() : r.Games), QString::number(r.Wins),
                              QString::number(r.Losses)};
    if (!noDraws)
        v.push_back(QString::number(r.Draws));
    v.push_back(Ratio(r.Wins, r.Decided()));
    v.push_back(QString::fromStdString(FormatAverage(r.RunsFor, r.Games)));
    v.push_back(QString::fromStdString(FormatAverage(r.RunsAgainst, r.Games)));
    v.push_back(QString::number(side.WinMax));
    v.push_back(QString::number(side.LoseMax));
    return v;
}

// The title, the column titles and a row per side the filter shows (all
// three for all games). Sets the summary's height.
void AddSummary(TVersusLayout& l, const QString& title, int titleWidth, const TVersus& vs, int filter, bool noDraws,
                const TVersusColors& colors) {
    TDisplayList& list = l.Head.List;
    list.Text(Box(5, 5, 5 + titleWidth, 23), title, 11, colors.Char, TAlign::Left);
    const std::vector<TSummaryColumn> columns = SummaryColumns(noDraws);
    TStripes stripes{list, colors.Back1, colors.Back2, false, l.Width};
    int y = 33;
    auto row = [&](const QString& label, const std::vector<QString>& values) {
        stripes.Band(y);
        list.Text(Box(5, y, 55, y + 18), label, 9, colors.Char, TAlign::Left);
        for (size_t i = 0; i < columns.size(); ++i)
            list.Text(Box(columns[i].Left, y, columns[i].Right, y + 18), values[i], 9, colors.Char, TAlign::Right);
        y += 17;
    };
    std::vector<QString> titles;
    for (const TSummaryColumn& c : columns)
        titles.push_back(c.Title);
    row(QString(), titles);
    if (filter == 0 || filter == 1)
        row(QStringLiteral("ホーム"), SideValues({vs.Home, vs.HomeWinMax, vs.HomeLoseMax}, noDraws));
    if (filter == 0 || filter == 2)
        row(QStringLiteral("ビジター"), SideValues({vs.Visitor, vs.VisitorWinMax, vs.VisitorLoseMax}, noDraws));
    if (filter == 0)
        row(QStringLiteral("合　計"), SideValues({vs.Total(), vs.WinMax, vs.LoseMax}, noDraws));
    l.HeadHeight = y;
}

} // namespace

TVersusLayout LayoutVersus(const TViewContext& v, int district, const std::string& own, const std::string& opponent,
                           int filter) {
    TVersusLayout l;
    const TPennant& pennant = *v.Pennant;
    const TAppSettings& s = *v.Settings;
    l.Head.Back = l.List.Back = v.Color(s.BackGround);
    TLeague* league = nullptr;
    const TTeam* ownTeam = DistrictTeam(pennant, district, own, league);
    l.Caption = Q(own) + QStringLiteral(" vs ") + Q(opponent) +
                FilterSuffix(filter, QStringLiteral(" (HOME)"), QStringLiteral(" (VISITOR)"));
    if (!ownTeam)
        return l;
    l.Valid = true;
    const TTeam* opponentTeam = pennant.TeamBySymbol(opponent);
    l.Title = {TitleLine(DistrictTitle(pennant, district),
                         Q(ownTeam->Name) + QStringLiteral(" vs ") + Q(opponentTeam ? opponentTeam->Name : opponent) +
                             QStringLiteral(" 対戦成績") +
                             FilterSuffix(filter, QStringLiteral(" (ホーム)"), QStringLiteral(" (ビジター)")),
                         DistrictDayText(pennant, *v.Fight, district)),
               v.Color(s.Char1)};
    l.List.Name = l.Title.Text;
    TRkCalc calc;
    calc.AddTeam(ownTeam->Symbol);
    for (int m = 0; m < v.Fight->MatchCount(); ++m)
        calc.AddMatch(v.Fight->GetMatch(m));
    const TTmRec& rec = calc.Items(0);
    const TVersusColors colors{v.Color(s.Char1), v.Color(s.BackPt1), v.Color(s.BackPt2)};

    // The summary's title sets the width when it is wider than the columns.
    const QString title = Q(ownTeam->ShortName) + QStringLiteral("　vs　") + Q(pennant.ShortNameBySymbol(opponent)) +
                          FilterSuffix(filter, QStringLiteral("　(ホーム)"), QStringLiteral("　(ビジター)"));
    const int titleWidth = TTextMeasure().Width(title, 11);
    const int xEnd = 375; // the last column's right edge, with or without draws
    l.Width = std::max(xEnd + 20, 5 + titleWidth + 10);

    AddGameList(l, rec, opponent, filter, colors);
    AddSummary(l, title, titleWidth, rec.GetVersus(opponent), filter, league->DrawRule == 2, colors);
    l.HeadPaneHeight = l.HeadHeight + 4;
    l.Head.TableSize = QSize(l.Width, l.HeadHeight);
    l.List.TableSize = QSize(l.Width, l.ListHeight);
    return l;
}
