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

} // namespace

TVersusLayout LayoutVersus(const TViewContext& v, int district, const std::string& own, const std::string& opponent,
                           int filter) {
    TVersusLayout l;
    const TPennant& pennant = *v.Pennant;
    const TAppSettings& s = *v.Settings;
    l.Head.Back = l.List.Back = v.Color(s.BackGround);
    TLeague* league = nullptr;
    const TDistrict* d = pennant.DistrictAt(district, &league);
    const TTeam* ownTeam = nullptr;
    for (int i = 0; d && i < d->TeamCount() && !ownTeam; ++i)
        if (d->GetTeam(i).Symbol == own)
            ownTeam = &d->GetTeam(i);
    l.Caption = Q(own) + QStringLiteral(" vs ") + Q(opponent) +
                (filter == 1   ? QStringLiteral(" (HOME)")
                 : filter == 2 ? QStringLiteral(" (VISITOR)")
                               : QString());
    if (!ownTeam)
        return l;
    l.Valid = true;
    const bool noDraws = league->DrawRule == 2;
    TRkCalc calc;
    calc.AddTeam(ownTeam->Symbol);
    for (int m = 0; m < v.Fight->MatchCount(); ++m)
        calc.AddMatch(v.Fight->GetMatch(m));
    const TTmRec& rec = calc.Items(0);
    const QColor char1 = v.Color(s.Char1);
    const QColor back1 = v.Color(s.BackPt1), back2 = v.Color(s.BackPt2);

    // The summary's title sets the width when it is wider than the columns.
    const QString title = Q(ownTeam->ShortName) + QStringLiteral("　vs　") + Q(pennant.ShortNameBySymbol(opponent)) +
                          (filter == 1   ? QStringLiteral("　(ホーム)")
                           : filter == 2 ? QStringLiteral("　(ビジター)")
                                         : QString());
    TTextMeasure measure;
    const int titleWidth = measure.Width(title, 11);
    const int xEnd = 375; // the last column's right edge, with or without draws
    l.Width = std::max(xEnd + 20, 5 + titleWidth + 10);

    // The game list: numbers count every game played or to play, shown or not.
    TStripes list{l.List.List, back1, back2, true, l.Width};
    int number = 0, y = 0;
    for (const TGameEntry& e : rec.GameList) {
        if (e.Opponent != opponent || e.Status == StatusCancelled)
            continue;
        ++number;
        if ((filter == 1 && e.IsVisitor != 0) || (filter == 2 && e.IsVisitor != 1))
            continue;
        list.Band(y);
        auto text = [&](int left, int right, const QString& t, TAlign align) {
            l.List.List.Text(Box(left, y, right, y + 18), t, 9, char1, align);
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

    // The summary.
    l.Head.List.Text(Box(5, 5, 5 + titleWidth, 23), title, 11, char1, TAlign::Left);
    struct TColumn {
        QString Title;
        int Left, Right;
    };
    std::vector<TColumn> columns = {
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
    TStripes head{l.Head.List, back1, back2, false, l.Width};
    y = 33;
    auto row = [&](const QString& label, const std::vector<QString>& values) {
        head.Band(y);
        l.Head.List.Text(Box(5, y, 55, y + 18), label, 9, char1, TAlign::Left);
        for (size_t i = 0; i < columns.size(); ++i)
            l.Head.List.Text(Box(columns[i].Left, y, columns[i].Right, y + 18), values[i], 9, char1, TAlign::Right);
        y += 17;
    };
    std::vector<QString> titles;
    for (const TColumn& c : columns)
        titles.push_back(c.Title);
    row(QString(), titles);

    const TVersus vs = rec.GetVersus(opponent);
    struct TSide {
        TSideRecord Record;
        int WinMax, LoseMax;
    };
    const TSide home{vs.Home, vs.HomeWinMax, vs.HomeLoseMax};
    const TSide visitor{vs.Visitor, vs.VisitorWinMax, vs.VisitorLoseMax};
    const TSide total{vs.Total(), vs.WinMax, vs.LoseMax};
    auto values = [&](const TSide& side) {
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
    };
    if (filter == 0 || filter == 1)
        row(QStringLiteral("ホーム"), values(home));
    if (filter == 0 || filter == 2)
        row(QStringLiteral("ビジター"), values(visitor));
    if (filter == 0)
        row(QStringLiteral("合　計"), values(total));
    l.HeadHeight = y;
    l.HeadPaneHeight = y + 4;
    l.Head.TableSize = QSize(l.Width, l.HeadHeight);
    l.List.TableSize = QSize(l.Width, l.ListHeight);
    return l;
}
