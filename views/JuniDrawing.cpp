#include "JuniDrawing.h"

#include "ViewPictures.h"
#include "calc/StandingsText.h"
#include "controls/Pictures.h"
#include "controls/QtText.h"
#include "model/BaseballFight.h"
#include "model/BaseballPennant.h"
#include "model/DayNumber.h"

#include <QDir>
#include <QFileInfo>
#include <map>

namespace {

constexpr int kRowHeight = 35; // rows overlap their neighbours' borders by one pixel
constexpr int kCellHeight = 36;

using TBox = QRect;
TBox Box(int l, int t, int r, int b) {
    return TTableCanvas::Box(l, t, r, b);
}

// Draws the cells of one table line left to right; neighbouring borders overlap.
class TCells {
public:
    TCells(TTableCanvas& canvas, const QColor& line, int x, int y) : X(x), C(canvas), Line(line), Y(y) {}

    // Outlines the next cell and returns its box.
    TBox Next(int width) {
        const TBox box = Box(X, Y, X + width, Y + kCellHeight);
        C.Frame(box, Line);
        X += width - 1;
        return box;
    }
    int X;

private:
    TTableCanvas& C;
    QColor Line;
    int Y;
};

TBox Top(const TBox& b) {
    return Box(b.left(), b.top(), b.left() + b.width(), b.top() + 18);
}
TBox Bottom(const TBox& b) {
    return Box(b.left(), b.top() + 18, b.left() + b.width(), b.top() + 36);
}
// The left `w` pixels of a box.
TBox LeftPart(const TBox& b, int w) {
    return Box(b.left(), b.top(), b.left() + w, b.top() + b.height());
}
TBox RightPart(const TBox& b, int w) {
    return Box(b.left() + b.width() - w, b.top(), b.left() + b.width(), b.top() + b.height());
}
// A number right-aligned 8 pixels inside the right border.
TBox Inset(const TBox& b) {
    return Box(b.left(), b.top(), b.left() + b.width() - 8, b.top() + b.height());
}

QString N(long long value) {
    return QString::number(value);
}

struct TPainter {
    TTableCanvas& C;
    const TViewContext& V;
    QColor Char1;

    void Text(const TBox& b, const QString& text, TAlign align, int size = 9) {
        C.SetFontSize(size);
        C.Text(b, text, align);
    }
    void Centre(const TBox& b, const QString& text, int size = 9) { Text(b, text, TAlign::Center, size); }
    void Right(const TBox& b, const QString& text, int size = 9) { Text(b, text, TAlign::Right, size); }
    // Two header lines in one cell.
    void TwoLines(const TBox& b, const QString& top, const QString& bottom, int size) {
        Centre(Top(b), top, size);
        Centre(Bottom(b), bottom, size);
    }
};

QString WeekdayLabel(double day) {
    return QStringLiteral("（%1）").arg(QString::fromStdString(days::WeekdayName(day)));
}

} // namespace

TJuniDrawing DrawJuni(const TViewContext& v, int districtIndex, int mode) {
    const TPennant& pennant = *v.Pennant;
    const TFight& fight = *v.Fight;
    const TAppSettings& s = *v.Settings;
    TJuniDrawing d;
    d.Calc = std::make_unique<TRkCalc>();

    // Calculators.
    TLeague* league = nullptr;
    TDistrict* district = pennant.DistrictAt(districtIndex, &league);
    if (district) {
        d.ByWins = league->RankRule == 1;
        d.DrawRule = league->DrawRule;
        for (int t = 0; t < district->TeamCount(); ++t)
            d.Calc->AddTeam(district->GetTeam(t).Symbol);
    }
    for (int m = 0; m < fight.MatchCount(); ++m)
        d.Calc->AddMatch(fight.GetMatch(m));
    const TKeyDates keys = d.Calc->GetKeyDates();
    long long finished = 0, remaining = 0;
    for (int i = 0; i < d.Calc->Count(); ++i) {
        finished += d.Calc->Items(i).Games();
        remaining += d.Calc->Items(i).Remain();
    }
    const bool allPlayed = remaining == 0;
    const int rate = finished + remaining == 0 ? 0 : static_cast<int>(finished * 100 / (finished + remaining));
    std::map<std::string, int> rateRank, previousRank;
    if (d.ByWins) {
        d.Calc->Rank(false);
        for (int i = 0; i < d.Calc->Count(); ++i)
            rateRank[d.Calc->Items(i).Symbol] = d.Calc->Items(i).RankNo;
    }
    {
        // The ranks as of the previous result day, for the arrows.
        TRkCalc ordered;
        if (district)
            for (int t = 0; t < district->TeamCount(); ++t)
                ordered.AddTeam(district->GetTeam(t).Symbol);
        const int64_t previousDay = days::WholeDay(keys.PrevResultDay);
        for (int m = 0; m < fight.MatchCount(); ++m)
            if (days::WholeDay(fight.GetMatch(m).GameDate) <= previousDay)
                ordered.AddMatch(fight.GetMatch(m));
        ordered.Rank(d.ByWins);
        for (int i = 0; i < ordered.Count(); ++i)
            previousRank[ordered.Items(i).Symbol] = ordered.Items(i).RankNo;
    }
    d.Calc->Rank(d.ByWins);

    const int teams = d.Calc->Count();
    bool pictures = false;
    if (district)
        for (int t = 0; t < district->TeamCount(); ++t)
            pictures = pictures || !district->GetTeam(t).Picture.empty();

    // The surface, made at its final size: the table's rows, room for the
    // head-to-head panel below them, and never narrower than what is drawn.
    const int panelWidth = 79 * std::max(teams - 1, 0) + 6;
    int columns = 5 + 20 + (d.ByWins ? 19 : 0) + (pictures ? 142 : 89);
    if (mode == 0)
        columns += 39 * (d.DrawRule == 2 ? 7 : 8) + 69 * 2 + (allPlayed ? 0 : 78);
    else if (mode == 1)
        columns += 49 * 12;
    else
        columns += 273 * 2;
    const int width = std::max({teams <= 10 ? 809 : 889, columns + 6, panelWidth});
    const int rowsBottom = 27 + kRowHeight * (teams + 1);
    d.Canvas = std::make_unique<TTableCanvas>(width, rowsBottom + 140, v.Color(s.BackGround));
    TTableCanvas& c = *d.Canvas;
    const QColor char1 = v.Color(s.Char1), line1 = v.Color(s.Line1), line2 = v.Color(s.Line2);
    TPainter p{c, v, char1};
    c.SetFontColor(char1);
    if (!district)
        return d;

    // Header band.
    c.SetFontSize(10);
    c.TextTopLeft(Box(10, 5, 120, 17), Q(StandingsStateText(allPlayed, keys)));
    p.Text(Box(155, 5, 190, 19), QStringLiteral("消化率"), TAlign::Left);
    const TBox bar = Box(195, 5, 195 + rate, 17);
    c.Fill(bar, v.Color(s.Ritu));
    c.Frame(bar, v.Color(s.BackGround));
    c.Frame(Box(195, 5, 295, 17), line1);
    p.Text(Box(300, 5, 335, 19), N(rate) + "%", TAlign::Left);
    p.Text(Box(368, 5, 395, 19), QStringLiteral("切替"), TAlign::Left);
    for (int m = 0; m < 3; ++m) {
        const TBox square = Box(400 + 20 * m, 6, 415 + 20 * m, 17);
        c.Fill(square, v.Color(m == mode ? s.Active : s.UnActive));
        c.Frame(square, line1);
        p.Centre(Box(square.left() + 3, square.top() + 1, square.left() + square.width(), 17), N(m + 1), 8);
        d.ModeRects[m] = square;
    }

    // Table header.
    int y = 27;
    {
        TCells h(c, line1, 5, y);
        p.TwoLines(h.Next(20), QStringLiteral("順"), QStringLiteral("位"), 9);
        if (d.ByWins)
            p.TwoLines(h.Next(20), QStringLiteral("率"), QStringLiteral("順"), 9);
        if (pictures)
            p.Centre(h.Next(143), QStringLiteral("チ　　ー　　ム"));
        else
            p.Centre(h.Next(90), QStringLiteral("チ　ー　ム"));
        if (mode == 0) {
            for (const QString& title : {QStringLiteral("試合"), QStringLiteral("勝"), QStringLiteral("負")})
                p.Centre(h.Next(40), title);
            if (d.DrawRule != 2)
                p.Centre(h.Next(40), QStringLiteral("分"));
            p.Centre(h.Next(40), QStringLiteral("勝率"));
            const TBox behind = h.Next(40);
            p.Centre(LeftPart(behind, 20), QStringLiteral("差"));
            p.TwoLines(RightPart(behind, 20), QStringLiteral("1位"), QStringLiteral("(前)"), 8);
            p.TwoLines(h.Next(40), QStringLiteral("残試合"), QStringLiteral("消化率"), 8);
            for (const QString& place : {QStringLiteral("ホーム"), QStringLiteral("ビジター")}) {
                const TBox cell = h.Next(70);
                p.Centre(LeftPart(cell, 46), place);
                p.TwoLines(RightPart(cell, 24), QStringLiteral("勝敗"), QStringLiteral("勝率"), 8);
            }
            if (!allPlayed) {
                p.TwoLines(h.Next(40), QStringLiteral("最新"), QStringLiteral("変動"), 9);
                p.Centre(h.Next(40), QStringLiteral("調子"));
            }
        } else if (mode == 1) {
            const QString places[] = {QString(), QStringLiteral("ホーム"), QStringLiteral("ビジター")};
            for (const QString& kind : {QStringLiteral("連勝"), QStringLiteral("連敗")})
                for (const QString& place : places) {
                    const TBox cell = h.Next(50);
                    const TBox label = LeftPart(cell, 25);
                    if (place.isEmpty()) {
                        p.Centre(label, kind, 8);
                    } else {
                        p.Centre(Top(label), place, 5);
                        p.Centre(Bottom(label), kind, 8);
                    }
                    p.TwoLines(RightPart(cell, 25), QStringLiteral("MAX"), QStringLiteral("NOW"), 7);
                }
            const QString kinds[][3] = {{QStringLiteral("総得点"), QStringLiteral("得点"), QStringLiteral("平得")},
                                        {QStringLiteral("総失点"), QStringLiteral("失点"), QStringLiteral("平失")}};
            const QString averages[] = {QStringLiteral("平均得点"), QStringLiteral("平均失点")};
            for (int k = 0; k < 2; ++k) {
                p.TwoLines(h.Next(50), kinds[k][0], averages[k], 8);
                for (int pl = 1; pl < 3; ++pl) {
                    const TBox cell = h.Next(50);
                    p.Centre(LeftPart(cell, 25), places[pl], 5);
                    p.TwoLines(RightPart(cell, 25), kinds[k][1], kinds[k][2], 8);
                }
            }
        } else {
            const double last = keys.LastResultDay;
            const QString titles[] = {QStringLiteral("最　　近　　一　　週　　間"),
                                      QStringLiteral("今　　後　　一　　週　　間")};
            const int x0 = h.X;
            for (int block = 0; block < 2; ++block) {
                const int bx = x0 + 273 * block;
                const TBox whole = Box(bx, y, bx + 274, y + kCellHeight);
                c.Frame(whole, line1);
                p.Centre(Top(whole), titles[block]);
                if (days::WholeDay(last) != 0)
                    for (int i = 0; i < 7; ++i) {
                        const double day = block == 0 ? last - 6 + i : last + 1 + i;
                        p.Centre(Box(bx + 39 * i, y + 18, bx + 39 * i + 39, y + 36), WeekdayLabel(day), 8);
                    }
            }
        }
    }

    // Rows.
    y += kRowHeight;
    const double latest = keys.LastResultDay;
    for (int row = 0; row < teams; ++row, y += kRowHeight) {
        const TTmRec& r = d.Calc->Items(row);
        const TTeam* team = pennant.TeamBySymbol(r.Symbol);
        c.SetFontColor(char1);
        TCells cells(c, line1, 5, y);
        p.Centre(cells.Next(20), N(r.RankNo));
        if (d.ByWins)
            p.Centre(cells.Next(20), N(rateRank[r.Symbol]));
        int teamLeft = cells.X;
        if (pictures) {
            const TBox cell = cells.Next(54);
            if (team)
                c.Stretch(cell.adjusted(1, 1, -1, -1), LoadPicture(team->Picture, v.ProgramDir));
        }
        const TBox name = cells.Next(90);
        const QString shortName = team ? Q(team->ShortName) : QString();
        FitFontSize(c, 80, shortName);
        c.Text(Box(name.left() + 5, name.top(), name.left() + 85, name.top() + kCellHeight), shortName, TAlign::Left);
        d.TeamRects.push_back(Box(teamLeft, y, name.left() + name.width(), y + kCellHeight));

        if (mode == 0) {
            const bool noDraws = d.DrawRule == 2;
            p.Right(Inset(cells.Next(40)), N(noDraws ? r.Games() - r.Draws() : r.Games()));
            p.Right(Inset(cells.Next(40)), N(r.Wins()));
            p.Right(Inset(cells.Next(40)), N(r.Losses()));
            if (!noDraws)
                p.Right(Inset(cells.Next(40)), N(r.Draws()));
            p.Right(Inset(cells.Next(40)), QString::fromStdString(FormatRate(r.WinRate())));
            const TBox behind = cells.Next(40);
            const int magic = d.Calc->Magic(row, d.ByWins);
            if (magic >= 0) {
                c.SetFontColor(v.Color(s.Magic));
                p.Centre(behind, Q(MagicText(magic)));
                c.SetFontColor(char1);
            } else if (row == 0 || r.BehindPrev < 0) {
                p.Centre(behind, QStringLiteral("－"));
            } else if (d.ByWins) {
                p.Right(Top(LeftPart(behind, 32)), N(r.BehindTop / 10));
                p.Right(Bottom(LeftPart(behind, 35)), QStringLiteral("( %1)").arg(r.BehindPrev / 10));
            } else {
                p.Right(Top(LeftPart(behind, 32)), QString::fromStdString(FormatTenths(r.BehindTop)));
                p.Right(Bottom(LeftPart(behind, 35)),
                        QStringLiteral("( %1)").arg(QString::fromStdString(FormatTenths(r.BehindPrev))));
            }
            const TBox rest = cells.Next(40);
            p.Right(Top(LeftPart(rest, 32)), N(r.Remain()));
            const long long all = static_cast<long long>(r.Games()) + r.Remain();
            p.Right(Bottom(LeftPart(rest, 32)), all == 0 ? QStringLiteral("-") : N(r.Games() * 100LL / all) + "%");
            struct TSide {
                int W, L, D, G;
            };
            for (const TSide& side : {TSide{r.HomeWins, r.HomeLosses, r.HomeDraws, r.HomeGames},
                                      TSide{r.VisitorWins, r.VisitorLosses, r.VisitorDraws, r.VisitorGames}}) {
                const TBox cell = cells.Next(70);
                const QString record = noDraws ? QStringLiteral("%1-%2").arg(side.W).arg(side.L)
                                               : QStringLiteral("%1-%2-%3").arg(side.W).arg(side.L).arg(side.D);
                p.Right(Top(LeftPart(cell, 60)), record);
                p.Right(Bottom(LeftPart(cell, 60)), QString::fromStdString(FormatRatio(side.W, side.G - side.D)));
            }
            if (!allPlayed) {
                const TBox latestCell = cells.Next(40);
                p.Centre(Top(latestCell), Q(r.DayResult(latest).Marks));
                const int before = previousRank[r.Symbol];
                if (r.RankNo < before) {
                    c.SetFontColor(v.Color(s.Up));
                    p.Centre(Bottom(latestCell), QStringLiteral("↑"));
                } else if (r.RankNo > before) {
                    c.SetFontColor(v.Color(s.Down));
                    p.Centre(Bottom(latestCell), QStringLiteral("↓"));
                } else {
                    p.Centre(Bottom(latestCell), QStringLiteral("→"));
                }
                c.SetFontColor(char1);
                const TBox form = cells.Next(40);
                const int level = r.ConditionLevel();
                const QString file = LevelPicturePath(v.ProgramDir, level);
                const QImage picture = QFileInfo(file).isFile() ? QImage(file) : QImage();
                if (!picture.isNull())
                    c.Stretch(form.adjusted(1, 1, -1, -1), picture); // inside the cell's border
                else
                    p.Centre(form, N(level));
            }
        } else if (mode == 1) {
            const TStreaks st = r.GetStreaks();
            const int32_t pairs[][2] = {
                {st.WinMax, st.WinNow},   {st.HomeWinMax, st.HomeWinNow},   {st.VisitorWinMax, st.VisitorWinNow},
                {st.LoseMax, st.LoseNow}, {st.HomeLoseMax, st.HomeLoseNow}, {st.VisitorLoseMax, st.VisitorLoseNow}};
            for (const auto& pair : pairs) {
                const TBox cell = cells.Next(50);
                p.Right(Top(LeftPart(cell, 34)), N(pair[0]));
                p.Right(Bottom(LeftPart(cell, 42)), QStringLiteral("( %1 )").arg(pair[1]));
            }
            const long long runs[][2] = {{r.RunsFor(), r.Games()},           {r.HomeRunsFor, r.HomeGames},
                                         {r.VisitorRunsFor, r.VisitorGames}, {r.RunsAgainst(), r.Games()},
                                         {r.HomeRunsAgainst, r.HomeGames},   {r.VisitorRunsAgainst, r.VisitorGames}};
            for (const auto& pair : runs) {
                const TBox cell = cells.Next(50);
                p.Right(Top(LeftPart(cell, 38)), N(pair[0]));
                p.Right(Bottom(LeftPart(cell, 38)), QString::fromStdString(FormatAverage(pair[0], pair[1])));
            }
        } else {
            for (int block = 0; block < 2; ++block) {
                const int bx = cells.X;
                TCells daysRow(c, line2, bx, y);
                for (int i = 0; i < 7; ++i) {
                    const double day = block == 0 ? latest - 6 + i : latest + 1 + i;
                    const TDayResult result = r.DayResult(day);
                    const TBox cell = daysRow.Next(40);
                    p.Centre(Top(cell), Q(result.Opponent));
                    p.Centre(Bottom(cell), Q(result.Marks));
                }
                c.Frame(Box(bx, y, bx + 274, y + kCellHeight), line1);
                cells.X = bx + 273;
            }
        }
        d.RowRects.push_back(Box(5, y, cells.X + 1, y + kRowHeight));
    }

    d.PanelTop = y + 30;
    if (teams > 0)
        DrawVersusPanel(v, d, 0);
    return d;
}

void DrawVersusPanel(const TViewContext& v, TJuniDrawing& d, int row) {
    if (!d.Calc || row < 0 || row >= d.Calc->Count())
        return;
    const TAppSettings& s = *v.Settings;
    const TTmRec& team = d.Calc->Items(row);
    d.PanelTeam = row;
    const int teams = d.Calc->Count();
    TTableCanvas scratch(std::max({1000, 79 * teams + 10, d.Canvas->Width()}), 500, v.Color(s.BackGround));
    const QColor char1 = v.Color(s.Char1), line1 = v.Color(s.Line1), back = v.Color(s.BackGround);
    scratch.SetFontColor(char1);
    scratch.SetFontSize(10);
    scratch.TextTopLeft(Box(10, 0, 200, 18), Q(v.Pennant->ShortNameBySymbol(team.Symbol)) + QStringLiteral(" vs"));
    int x = 5;
    for (int i = 0; i < teams; ++i) {
        if (i == row)
            continue;
        const TTmRec& rival = d.Calc->Items(i);
        const TBox box = Box(x, 18, x + 80, 36);
        scratch.Fill(box, back);
        scratch.Frame(box, line1);
        const QString name = Q(v.Pennant->ShortNameBySymbol(rival.Symbol));
        FitFontSize(scratch, 70, name);
        scratch.Text(Box(x + 5, 18, x + 75, 36), name, TAlign::Center);
        x += 79;
    }
    x = 5;
    for (int i = 0; i < teams; ++i) {
        if (i == row)
            continue;
        const TVersus vs = team.GetVersus(d.Calc->Items(i).Symbol);
        const int w = vs.HomeWins + vs.VisitorWins, l = vs.HomeLosses + vs.VisitorLosses,
                  dr = vs.HomeDraws + vs.VisitorDraws;
        scratch.Frame(Box(x, 35, x + 80, 71), line1);
        scratch.SetFontSize(9);
        scratch.Text(Box(x, 35, x + 60, 53),
                     d.DrawRule == 2 ? QStringLiteral("%1-%2").arg(w).arg(l)
                                     : QStringLiteral("%1-%2-%3").arg(w).arg(l).arg(dr),
                     TAlign::Right);
        scratch.Text(Box(x, 53, x + 60, 71),
                     QString::fromStdString(FormatRatio(w, vs.HomeGames + vs.VisitorGames - dr)), TAlign::Right);
        x += 79;
    }
    // The panel's whole band is replaced, so nothing of the previous panel stays behind.
    d.Canvas->Copy(Box(0, d.PanelTop, std::min(d.Canvas->Width(), scratch.Width()), d.PanelTop + 71), scratch,
                   QPoint(0, 0));
}
