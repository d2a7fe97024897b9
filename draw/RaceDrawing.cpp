#include "draw/RaceDrawing.h"

#include "core/season/BaseballPennant.h"
#include "core/standings/StandingsText.h"
#include "draw/CellPaint.h"
#include "draw/QtText.h"

namespace {

constexpr int kHeaderTop = 27;
constexpr int kRowsTop = kHeaderTop + 35;
constexpr int kRowPitch = 35; // rows overlap their neighbours' borders by one pixel
constexpr int kCellHeight = 36;
constexpr int kBoxPitch = 79;                       // scenario boxes overlap by one pixel too
constexpr int kBlockHeight = 20 + kCellHeight + 10; // caption, boxes (or reason lines), gap

// Column widths, left to right.
constexpr int kRank = TCellPaint::kRankWidth, kName = TCellPaint::kNameWidth, kNumber = TCellPaint::kNumberWidth;
constexpr int kStatus = 76;

using cellbox::Bottom;
using cellbox::Inset;
using cellbox::Top;

QRect Box(int l, int t, int r, int b) {
    return TTableCanvas::Box(l, t, r, b);
}

QString N(long long value) {
    return QString::number(value);
}

QString NumberOrDash(const std::optional<int>& n) {
    return n ? N(*n) : QStringLiteral("－");
}

QString CutTitle(int place) {
    return place == 1 ? QStringLiteral("優　勝") : QStringLiteral("%1位以内").arg(place);
}

} // namespace

class TRacePaint : public TCellPaint {
public:
    using TCellPaint::TCellPaint;
};

TRaceTable::TRaceTable(const TViewContext& view, int districtIndex, int place, TRaceWhen when,
                       std::optional<double> day)
    : View(view), District(districtIndex), Cut(std::max(place, 1)), Now(when == TRaceWhen::Now) {
    Standing = BuildDistrictStandings(*view.Pennant, *view.Fight, districtIndex, day);
    if (!Standing) {
        Extent = QSize(1, 1);
        return;
    }
    DrawRule = Standing->League->DrawRule;
    NoDraws = DrawRule == 2;
    Race = std::make_unique<TTitleRace>(RaceInputFrom(*view.Pennant, *Standing));
    // The season may be edited while the window stays open: keep nothing of it.
    Standing->League = nullptr;
    Standing->District = nullptr;
    const int teams = Race->TeamCount();
    FirstAnswers.resize(static_cast<size_t>(teams));
    CutAnswers.resize(static_cast<size_t>(teams));
    Known.assign(static_cast<size_t>(teams), false);
    if (Now) {
        // Never longer than the table's time in all: an answer not found in
        // its share of it shows as unknown.
        FirstAnswers = DecideAll(*Race, 1, Cut == 1 ? kRaceTableSeconds : kRaceTableSeconds / 2);
        CutAnswers = Cut == 1 ? FirstAnswers : DecideAll(*Race, Cut, kRaceTableSeconds / 2);
        Known.assign(static_cast<size_t>(teams), true);
    }
    // Cells overlap their neighbours' borders: each advances its width less one.
    const int numbers = NoDraws ? 4 : 5; // wins, losses, (draws,) remaining, magic
    TableWidth = 5 + (kRank - 1) + (kName - 1) + numbers * (kNumber - 1) +
                 static_cast<int>(Places().size()) * (kStatus + 2 * kNumber - 3) + 1;
    for (int row = 0; row < teams; ++row) {
        const int y = kRowsTop + row * kRowPitch;
        RowRects.push_back(Box(5, y, TableWidth, y + kRowPitch));
    }
    EvidenceTop = kRowsTop + teams * kRowPitch + 20;
    const int boxes = 5 + teams * kBoxPitch + 1 + 10;
    Extent = QSize(std::max({TableWidth + 10, boxes, 480}),
                   EvidenceTop + 20 + static_cast<int>(Places().size()) * kBlockHeight + 10);
    ColumnsFromFrames(Box(0, kHeaderTop, TableWidth, kHeaderTop + kCellHeight));
    if (teams > 0)
        ShowEvidence(0);
}

QRect TRaceTable::SetAnswers(int row, const TRaceAnswer& first, const TRaceAnswer& cut) {
    if (row < 0 || row >= TeamCount())
        return {};
    FirstAnswers[static_cast<size_t>(row)] = first;
    CutAnswers[static_cast<size_t>(row)] = cut;
    Known[static_cast<size_t>(row)] = true;
    return RowRects[static_cast<size_t>(row)];
}

QRect TRaceTable::SetScenarios(int row, const TRaceScenario& first, const TRaceScenario& cut) {
    if (row != Shown)
        return {};
    FirstScenario = first;
    CutScenario = cut;
    ScenariosKnown = true;
    return EvidenceRect();
}

TRaceTable::~TRaceTable() = default;

TTableTitle TRaceTable::Title() const {
    if (!Standing)
        return {};
    const QString what = Cut == 1 ? QStringLiteral("優勝争い") : QStringLiteral("優勝・%1位以内争い").arg(Cut);
    return {TitleLine(DistrictTitle(*View.Pennant, District), what,
                      Q(StandingsStateText(Standing->AllPlayed(), Standing->Keys))),
            View.Color(View.Settings->Char1)};
}

QColor TRaceTable::Background() const {
    return View.Background();
}

QRect TRaceTable::EvidenceRect() const {
    return Box(0, EvidenceTop, Extent.width(), Extent.height());
}

QRect TRaceTable::ShowEvidence(int row) {
    if (row < 0 || row >= TeamCount() || row == Shown)
        return {};
    Shown = row;
    FirstScenario = CutScenario = {};
    ScenariosKnown = false;
    if (!Now || !Decided(row))
        return EvidenceRect(); // the window finds them in the background
    // The likely completions of a team still in it, each within its time.
    ScenariosKnown = true;
    for (const int place : Places()) {
        const TRaceAnswer& a = place == 1 ? First(row) : AtCut(row);
        TRaceScenario& scenario = place == 1 ? FirstScenario : CutScenario;
        scenario = {};
        if (a.Status != TRaceStatus::Eliminated && a.Status != TRaceStatus::Unknown) {
            const TRaceStop stop = TRaceStop::In(kRaceTableSeconds / 2);
            scenario = Race->Scenario(row, place, &stop);
        }
    }
    return EvidenceRect();
}

void TRaceTable::Paint(TTableCanvas& canvas) const {
    if (!Standing)
        return;
    TRacePaint p(canvas, View);
    if (canvas.Shows(Box(0, 0, Extent.width(), kHeaderTop)))
        PaintBand(p);
    if (canvas.Shows(Box(0, kHeaderTop, Extent.width(), kHeaderTop + kCellHeight)))
        PaintHeader(p);
    const auto [first, last] = canvas.VisibleRows(kRowsTop, kRowPitch, kCellHeight, TeamCount());
    for (int row = first; row < last; ++row)
        PaintRow(p, row);
    if (Shown >= 0 && canvas.Shows(EvidenceRect()))
        PaintEvidence(p);
}

void TRaceTable::PaintBand(TRacePaint& p) const {
    const TDistrictStandings& s = *Standing;
    p.C.SetFontSize(10);
    p.C.TextTopLeft(Box(10, 5, 150, 19), Q(StandingsStateText(s.AllPlayed(), s.Keys)));
    const QString rule = QStringLiteral("%1・引き分け%2")
                             .arg(s.ByWins ? QStringLiteral("勝数優先") : QStringLiteral("勝率優先"))
                             .arg(DrawRule == 0   ? QStringLiteral("あり")
                                  : DrawRule == 1 ? QStringLiteral("再試合")
                                                  : QStringLiteral("なし"));
    p.Text(Box(160, 5, 400, 19), rule, TAlign::Left);
}

void TRaceTable::PaintHeader(TRacePaint& p) const {
    int x = 5;
    const int y = kHeaderTop;
    p.RecordHeader(x, y, NoDraws);
    const QRect magic = p.Cell(x, y, kNumber);
    p.Centre(Top(magic), QStringLiteral("マジック"), 8);
    p.Centre(Bottom(magic), QStringLiteral("(表)"), 8);
    for (const int place : Places()) {
        // A group: its title on the top line over the three columns below it.
        const int left = x, width = kStatus + 2 * kNumber - 2;
        p.C.Frame(Box(left, y, left + width, y + 19), p.Line1);
        p.Centre(Box(left, y, left + width, y + 19), CutTitle(place));
        int sub = left;
        const auto lower = [&](int w, const QString& title) {
            const QRect b = Box(sub, y + 18, sub + w, y + kCellHeight);
            p.C.Frame(b, p.Line1);
            p.Centre(b, title, 8);
            sub += w - 1;
        };
        lower(kStatus, QStringLiteral("状　況"));
        lower(kNumber, QStringLiteral("自力M"));
        lower(kNumber, QStringLiteral("消滅M"));
        x += width - 1;
    }
}

void TRaceTable::PaintRow(TRacePaint& p, int row) const {
    const TRaceTeam& t = Team(row);
    const int y = kRowsTop + row * kRowPitch;
    int x = 5;
    p.RecordRow(x, y, t.Rank, Q(t.ShortName), t.Wins, t.Losses, t.Draws, t.Remain, NoDraws);
    const QRect magic = p.Cell(x, y, kNumber);
    if (t.Magic >= 0)
        p.Colored(magic, Q(MagicText(t.Magic)), p.Magic);
    else
        p.Centre(magic, QStringLiteral("－"));
    for (const int place : Places()) {
        const TRaceAnswer& a = place == 1 ? First(row) : AtCut(row);
        const QRect status = p.Cell(x, y, kStatus);
        if (!Decided(row)) { // still being decided
            p.Centre(status, QStringLiteral("判定中"));
            p.Cell(x, y, kNumber);
            p.Cell(x, y, kNumber);
            continue;
        }
        const QString text = Q(RaceStatusText(a, place));
        switch (a.Status) {
        case TRaceStatus::Clinched:
        case TRaceStatus::Magic:
            p.Colored(status, text, p.Magic);
            break;
        case TRaceStatus::Eliminated:
            p.Colored(status, text, p.Down);
            break;
        case TRaceStatus::Dependent:
        case TRaceStatus::Unknown:
            p.Centre(status, text);
            break;
        }
        const QRect clinch = Inset(p.Cell(x, y, kNumber));
        if (a.ClinchNumber)
            p.Colored(clinch, N(*a.ClinchNumber), p.Magic, TAlign::Right);
        else
            p.Text(clinch, QStringLiteral("－"), TAlign::Right);
        p.Text(Inset(p.Cell(x, y, kNumber)), NumberOrDash(a.EliminationNumber), TAlign::Right);
    }
}

void TRaceTable::PaintEvidence(TRacePaint& p) const {
    const TRaceTeam& t = Team(Shown);
    int y = EvidenceTop;
    p.C.SetFontSize(10);
    p.C.TextTopLeft(Box(10, y, Extent.width() - 10, y + 18), Q(TrimmedName(t.ShortName)) + QStringLiteral(" の根拠"));
    y += 20;
    for (const int place : Places()) {
        const TRaceAnswer& a = place == 1 ? First(Shown) : AtCut(Shown);
        const QString title = place == 1 ? QStringLiteral("優勝") : QStringLiteral("%1位以内").arg(place);
        const TRaceScenario& scenario = place == 1 ? FirstScenario : CutScenario;
        if (!Decided(Shown) || (a.Status != TRaceStatus::Eliminated && !ScenariosKnown)) {
            p.Text(Box(10, y, Extent.width() - 10, y + 18), title + QStringLiteral("の根拠"), TAlign::Left);
            p.Text(Box(20, y + 18, Extent.width() - 10, y + 36), QStringLiteral("判定中…"), TAlign::Left);
        } else if (a.Status == TRaceStatus::Unknown ||
                   (a.Status != TRaceStatus::Eliminated && scenario.Finals.empty())) {
            p.Text(Box(10, y, Extent.width() - 10, y + 18), title + QStringLiteral("の根拠"), TAlign::Left);
            p.Text(Box(20, y + 18, Extent.width() - 10, y + 36), Q(RaceTimeUpText()), TAlign::Left);
        } else if (a.Status == TRaceStatus::Eliminated) {
            p.Text(Box(10, y, Extent.width() - 10, y + 18), title + QStringLiteral("の可能性がない理由"), TAlign::Left);
            // The reason on up to two lines, split at a comma when it is long.
            const QString reason = Q(a.Reason);
            const int width = Extent.width() - 30;
            p.C.SetFontSize(9);
            int split = -1;
            if (p.C.TextWidth(reason) > width)
                for (int i = reason.size() / 2, d = 0; i - d > 0 || i + d < reason.size(); ++d) {
                    if (i + d < reason.size() && reason[i + d] == QChar(u'、')) {
                        split = i + d + 1;
                        break;
                    }
                    if (i - d > 0 && reason[i - d] == QChar(u'、')) {
                        split = i - d + 1;
                        break;
                    }
                }
            if (split > 0) {
                p.Text(Box(20, y + 18, 20 + width, y + 36), reason.left(split), TAlign::Left);
                p.Text(Box(20, y + 36, 20 + width, y + 54), reason.mid(split), TAlign::Left);
            } else {
                p.Text(Box(20, y + 18, 20 + width, y + 36), reason, TAlign::Left);
            }
        } else {
            // Clear of the cut where it can be; else level at the cut at best.
            const QString what =
                place == 1 ? (scenario.AboveCut ? QStringLiteral("優勝する") : QStringLiteral("同率で首位に並ぶ"))
                           : (scenario.AboveCut ? title + QStringLiteral("に入る")
                                                : QStringLiteral("同率で") + title + QStringLiteral("に並ぶ"));
            p.Text(Box(10, y, Extent.width() - 10, y + 18), what + QStringLiteral("結果の例 (全チームの最終成績)"),
                   TAlign::Left);
            int x = 5;
            for (size_t i = 0; i < scenario.Finals.size(); ++i) {
                const TRaceRecord& r = scenario.Finals[i];
                const QRect box = Box(x, y + 19, x + 80, y + 19 + kCellHeight);
                if (!p.C.Shows(box)) { // a district of many teams: only what shows
                    x += kBoxPitch;
                    continue;
                }
                p.C.Frame(box, p.Line1);
                const QString name = Q(View.Pennant->ShortNameBySymbol(r.Symbol));
                FitFontSize(p.C, 70, name);
                if (static_cast<int>(i) == Shown)
                    p.C.SetFontColor(p.Magic);
                p.C.Text(Box(x + 5, y + 19, x + 75, y + 37), name, TAlign::Center);
                p.C.SetFontColor(p.Char1);
                const QString record = NoDraws ? QStringLiteral("%1-%2").arg(r.Wins).arg(r.Losses)
                                               : QStringLiteral("%1-%2-%3").arg(r.Wins).arg(r.Losses).arg(r.Draws);
                p.Centre(Box(x, y + 37, x + 80, y + 19 + kCellHeight), record);
                x += kBoxPitch;
            }
        }
        y += kBlockHeight;
    }
}
