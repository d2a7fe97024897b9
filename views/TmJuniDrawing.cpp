#include "TmJuniDrawing.h"

#include "ViewPictures.h"
#include "calc/BaseballCalc.h"
#include "calc/StandingsText.h"
#include "controls/Pictures.h"
#include "controls/QtText.h"
#include "model/BaseballFight.h"
#include "model/BaseballPennant.h"
#include "model/DayNumber.h"

#include <QFileInfo>
#include <optional>

namespace {

QRect Box(int l, int t, int r, int b) {
    return TTableCanvas::Box(l, t, r, b);
}

QString DayText(double day) {
    if (days::SameDay(day, days::UndecidedDate))
        return QStringLiteral("試合日未定");
    const days::TYmd d = days::Decode(day);
    return QStringLiteral("%1月%2日(%3)")
        .arg(d.Month)
        .arg(d.Day, 2, 10, QLatin1Char('0'))
        .arg(QString::fromStdString(days::WeekdayName(day)));
}

// Rows are drawn over bands that alternate between two colors.
struct TStripes {
    TTableCanvas& C;
    QColor First, Second;
    int Toggle = 0;
    void Band(int y) {
        C.Fill(Box(0, y, 1000, y + 18), Toggle == 0 ? First : Second);
        Toggle ^= 1;
    }
};

class TTableWriter {
public:
    TTableWriter(const TViewContext& v, TTmJuniDrawing& d, const TPennant& pennant, const TTeam& team, int teams)
        : V(v), D(d), Pennant(pennant),
          TeamColor(v.Color(team.Color)), Stripes{*d.Table, v.Color(v.Settings->BackPt1), v.Color(v.Settings->BackPt2)},
          Char1(v.Color(v.Settings->Char1)), Teams(teams) {}

    void Row(const TGameEntry& e, int rankNo, long long wins, long long decided) {
        Grow();
        TTableCanvas& c = *D.Table;
        Stripes.Band(Y);
        c.SetFontColor(Char1);
        Cell(5, 70, DayText(e.GameDate), TAlign::Right, 9);
        const QString opponent = Q(Pennant.ShortNameBySymbol(e.Opponent));
        FitFontSize(c, 80, opponent);
        c.Text(Box(85, Y, 165, Y + 18), opponent, TAlign::Left);
        Cell(175, 40, e.IsVisitor ? QStringLiteral("ビジター") : QStringLiteral("ホーム"), TAlign::Left, 8);
        if (e.Status == StatusFinished) {
            Cell(225, 20,
                 e.OwnScore > e.OppScore   ? QStringLiteral("○")
                 : e.OwnScore < e.OppScore ? QStringLiteral("●")
                                           : QStringLiteral("△"),
                 TAlign::Center, 9);
            Cell(255, 15, QString::number(e.OwnScore), TAlign::Right, 9);
            Cell(270, 10, QStringLiteral("-"), TAlign::Center, 9);
            Cell(280, 15, QString::number(e.OppScore), TAlign::Left, 9);
            Cell(305, 30, QString::fromStdString(FormatRatio(wins, decided)), TAlign::Right, 9);
        } else if (e.Status == StatusCancelled) {
            Cell(225, 20, QStringLiteral("中止"), TAlign::Center, 7);
        }
        Mark(rankNo, e.Status != StatusBefore, e.Status != StatusBefore);
        Y += 18;
    }

    // A day on which only other teams of the district played.
    void DayOnly(double day, int rankNo) {
        Grow();
        Stripes.Band(Y);
        D.Table->SetFontColor(Char1);
        Cell(5, 70, DayText(day), TAlign::Right, 9);
        Mark(rankNo, true, true);
        Y += 18;
    }

    void Finish() {
        for (const TRankMark& m : D.Marks)
            if (m.ImageIndex >= 0 && m.ImageIndex < 12) {
                const QImage& picture = RankPictures()[static_cast<size_t>(m.ImageIndex)];
                D.Table->Stretch(QRect(m.X, m.Y, picture.width(), picture.height()), picture);
            }
        if (D.Table->Height() != Y)
            D.Table->Resize(50 * Teams + 465, Y);
    }

private:
    void Cell(int left, int width, const QString& text, TAlign align, int size) {
        D.Table->SetFontSize(size);
        D.Table->Text(Box(left, Y, left + width, Y + 18), text, align);
    }

    // The rank cell: the line from the previous point (only for a game with a
    // result, or a day alone), the new point, and a marker.
    void Mark(int rankNo, bool drawLine, bool marker) {
        const int x = 365 + (rankNo - 1) * 30;
        const QPoint point(x + 10, Y + 9);
        if (Previous && drawLine) {
            D.Table->Line(Previous->x(), Previous->y(), point.x(), point.y(), 2, TeamColor);
            D.Lines.emplace_back(*Previous, point);
        }
        Previous = point;
        if (marker) {
            D.ScrollTarget = Y;
            D.Marks.push_back({x + 5, Y + 4, rankNo - 1});
        }
    }

    // Should the rows outnumber the count, the surface grows: nothing is drawn off its edge.
    void Grow() {
        if (Y + 18 > D.Table->Height())
            D.Table->Resize(D.Table->Width(), std::max(D.Table->Height() * 2, 5000));
    }

    const std::vector<QImage>& RankPictures() {
        if (Pictures.empty())
            for (int i = 1; i <= 12; ++i) {
                const QString path = RankPicturePath(V.ProgramDir, i);
                QImage picture = QFileInfo(path).isFile() ? QImage(path) : QImage();
                Pictures.push_back(picture.isNull() ? RankPicture(i) : picture);
            }
        return Pictures;
    }

    const TViewContext& V;
    TTmJuniDrawing& D;
    const TPennant& Pennant;
    QColor TeamColor;
    TStripes Stripes;
    QColor Char1;
    int Teams;
    int Y = 0;
    std::optional<QPoint> Previous;
    std::vector<QImage> Pictures;
};

// How many rows the table of a sorted match list will have: every game of the
// team (cancelled ones only with Suspend), and with Other the days on which only
// other teams of the district played and some game had a result.
int CountRows(const TFight& fight, const TRkCalc& district, const std::string& symbol, const TAppSettings& s) {
    int rows = 0;
    int m = 0;
    while (m < fight.MatchCount()) {
        const int64_t day = days::WholeDay(fight.GetMatch(m).GameDate);
        bool anyResult = false, districtGame = false, teamGame = false;
        for (; m < fight.MatchCount() && days::WholeDay(fight.GetMatch(m).GameDate) == day; ++m) {
            const TMatchRec& match = fight.GetMatch(m);
            anyResult = anyResult || match.Status != StatusBefore;
            for (const TMatchSymbol* side : {&match.HomeSymbol, &match.VisitorSymbol}) {
                const std::string who = side->Text();
                districtGame = districtGame || district.FindTeam(who);
                if (who == symbol) {
                    teamGame = true;
                    rows += match.Status != StatusCancelled || s.Suspend;
                }
            }
        }
        rows += districtGame && !teamGame && anyResult && s.Other;
    }
    return rows;
}

void DrawSummary(const TViewContext& v, TTmJuniDrawing& d, const TTeam& team, const TTmRec& rec, uint8_t drawRule) {
    const TAppSettings& s = *v.Settings;
    d.Head = std::make_unique<TTableCanvas>(1000, 200, v.Color(s.BackGround));
    TTableCanvas& c = *d.Head;
    int x = 5;
    if (!team.Picture.empty()) {
        c.Stretch(Box(5, 5, 59, 41), LoadPicture(team.Picture, v.ProgramDir));
        c.Frame(Box(5, 5, 59, 41), v.Color(s.Line1));
        x = 69;
    }
    c.SetFontSize(11);
    c.SetFontColor(v.Palette.color(QPalette::Text));
    c.Text(Box(x, 5, x + 300, 41), Q(team.Name), TAlign::Left);

    const QColor char1 = v.Color(s.Char1);
    c.SetFontColor(char1);
    c.SetFontSize(9);
    TStripes stripes{c, v.Color(s.BackPt1), v.Color(s.BackPt2)};
    const bool noDraws = drawRule == 2;
    struct TColumn {
        QString Title;
        int Width;
    };
    std::vector<TColumn> columns = {{QStringLiteral("試"), 40}, {QStringLiteral("勝"), 40}, {QStringLiteral("負"), 40}};
    if (!noDraws)
        columns.push_back({QStringLiteral("分"), 40});
    for (const QString& t : {QStringLiteral("率"), QStringLiteral("平得"), QStringLiteral("平失"),
                             QStringLiteral("連勝"), QStringLiteral("連敗")})
        columns.push_back({t, 50});

    int y = 41;
    auto row = [&](const QString& label, const std::vector<QString>& values) {
        stripes.Band(y);
        if (!label.isNull())
            c.Text(Box(5, y, 55, y + 18), label, TAlign::Left);
        int cx = 55;
        for (size_t i = 0; i < columns.size(); ++i) {
            c.Text(Box(cx, y, cx + columns[i].Width, y + 18), values[i], TAlign::Right);
            cx += columns[i].Width;
        }
        y += 17;
        return cx;
    };
    std::vector<QString> titles;
    for (const TColumn& col : columns)
        titles.push_back(col.Title);
    const int right = row(QString(), titles);

    const TStreaks st = rec.GetStreaks();
    struct TSide {
        long long G, W, L, D, RF, RA, WinMax, LoseMax;
    };
    const TSide home{rec.HomeGames,   rec.HomeWins,        rec.HomeLosses, rec.HomeDraws,
                     rec.HomeRunsFor, rec.HomeRunsAgainst, st.HomeWinMax,  st.HomeLoseMax};
    const TSide visitor{rec.VisitorGames,   rec.VisitorWins,        rec.VisitorLosses, rec.VisitorDraws,
                        rec.VisitorRunsFor, rec.VisitorRunsAgainst, st.VisitorWinMax,  st.VisitorLoseMax};
    const TSide total{home.G + visitor.G,   home.W + visitor.W,   home.L + visitor.L, home.D + visitor.D,
                      home.RF + visitor.RF, home.RA + visitor.RA, st.WinMax,          st.LoseMax};
    const QString labels[] = {QStringLiteral("ホーム"), QStringLiteral("ビジター"), QStringLiteral("合　計")};
    const TSide* sides[] = {&home, &visitor, &total};
    for (int i = 0; i < 3; ++i) {
        const TSide& side = *sides[i];
        std::vector<QString> values = {QString::number(noDraws ? side.G - side.D : side.G), QString::number(side.W),
                                       QString::number(side.L)};
        if (!noDraws)
            values.push_back(QString::number(side.D));
        values.push_back(QString::fromStdString(FormatRatio(side.W, side.G - side.D)));
        values.push_back(QString::fromStdString(FormatAverage(side.RF, side.G)));
        values.push_back(QString::fromStdString(FormatAverage(side.RA, side.G)));
        values.push_back(QString::number(side.WinMax));
        values.push_back(QString::number(side.LoseMax));
        row(labels[i], values);
    }
    c.Resize(right + 10, y);
    d.HeadPaneHeight = y + 4;
}

} // namespace

TTmJuniDrawing DrawTmJuni(const TViewContext& v, int teamIndex) {
    TTmJuniDrawing d;
    const TPennant& pennant = *v.Pennant;
    const TFight& fight = *v.Fight;
    TLeague* league = nullptr;
    TDistrict* district = nullptr;
    const TTeam* team = pennant.TeamAt(teamIndex, &league, &district);
    d.Table = std::make_unique<TTableCanvas>(1000, 1, v.Color(v.Settings->BackGround));
    d.Head = std::make_unique<TTableCanvas>(1, 1, v.Color(v.Settings->BackGround));
    if (!team)
        return d;
    d.Caption = Q(team->Name) + QStringLiteral("順位推移");
    const std::string symbol = team->Symbol;
    const bool byWins = league->RankRule == 1;
    TRkCalc calc;
    for (int t = 0; t < district->TeamCount(); ++t)
        calc.AddTeam(district->GetTeam(t).Symbol);

    // With the match list in day order (as it always is once sorted), the team's
    // entries of a day are the newest ones, so each day only looks at what is new.
    bool sorted = true;
    for (int m = 1; m < fight.MatchCount() && sorted; ++m)
        sorted = days::WholeDay(fight.GetMatch(m - 1).GameDate) <= days::WholeDay(fight.GetMatch(m).GameDate);

    // The surface is made as tall as the rows need, once: a long season's table
    // is large, and growing it step by step would copy it again and again.
    const int width = 50 * calc.Count() + 465;
    const int rows = sorted ? CountRows(fight, calc, symbol, *v.Settings) : 0;
    d.Table = std::make_unique<TTableCanvas>(width, std::max(rows * 18, 18), v.Color(v.Settings->BackGround));
    TTableWriter writer(v, d, pennant, *team, calc.Count());

    size_t scanned = 0;
    long long decided = 0, wins = 0;
    int64_t lastGameDay = 0; // the newest day of any district team's game fed so far

    auto drawDay = [&](double day, bool anyResult) {
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
                drawDay(day, anyResult);
                day = match.GameDate;
                anyResult = false;
            }
            calc.AddMatch(match);
            if (calc.FindTeam(match.HomeSymbol.Text()) || calc.FindTeam(match.VisitorSymbol.Text()))
                lastGameDay = std::max(lastGameDay, days::WholeDay(match.GameDate));
            anyResult = anyResult || match.Status != StatusBefore;
        }
        drawDay(day, anyResult);
    }
    writer.Finish();

    const TTmRec* rec = calc.FindTeam(symbol);
    DrawSummary(v, d, *team, rec ? *rec : TTmRec(), league->DrawRule);
    return d;
}
