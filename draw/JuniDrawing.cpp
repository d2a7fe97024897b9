#include "draw/JuniDrawing.h"

#include "core/base/DayNumber.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "core/standings/StandingsText.h"
#include "draw/Pictures.h"
#include "draw/QtText.h"
#include "draw/ViewPictures.h"

#include <QFileInfo>

namespace {

constexpr int kHeaderTop = 27;
constexpr int kRowsTop = kHeaderTop + 35;
constexpr int kRowPitch = 35; // rows overlap their neighbours' borders by one pixel
constexpr int kCellHeight = 36;
constexpr int kPanelPitch = 79;     // panel boxes overlap by one pixel too
constexpr int kPanelLinePitch = 54; // a wrapped panel's lines: names and records

using cellbox::Bottom;
using cellbox::Inset;
using cellbox::Top;

QRect Box(int l, int t, int r, int b) {
    return TTableCanvas::Box(l, t, r, b);
}
// The left `w` pixels of a box.
QRect LeftPart(const QRect& b, int w) {
    return Box(b.left(), b.top(), b.left() + w, b.top() + b.height());
}
QRect RightPart(const QRect& b, int w) {
    return Box(b.left() + b.width() - w, b.top(), b.left() + b.width(), b.top() + b.height());
}

QString N(long long value) {
    return QString::number(value);
}

QString WeekdayLabel(double day) {
    return QStringLiteral("（%1）").arg(QString::fromStdString(days::WeekdayName(day)));
}

QString WinLossText(long long wins, long long losses, long long draws, bool noDraws) {
    return noDraws ? QStringLiteral("%1-%2").arg(wins).arg(losses)
                   : QStringLiteral("%1-%2-%3").arg(wins).arg(losses).arg(draws);
}

} // namespace

// The cells of one table line, left to right; neighbouring borders overlap.
class TCells {
public:
    TCells(TTableCanvas& canvas, const QColor& line, int x, int y) : X(x), C(canvas), Line(line), Y(y) {}

    // Outlines the next cell and returns its box.
    QRect Next(int width) {
        const QRect box = Box(X, Y, X + width, Y + kCellHeight);
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

// What every part of one painting shares: the canvas, the table and its colors.
class TJuniPaint {
public:
    TJuniPaint(TTableCanvas& canvas, const TJuniTable& table)
        : C(canvas), T(table), V(table.Context()), S(*V.Settings), Char1(V.Color(S.Char1)), Line1(V.Color(S.Line1)),
          Line2(V.Color(S.Line2)) {
        C.SetFontColor(Char1);
    }

    void Text(const QRect& b, const QString& text, TAlign align, int size = 9) {
        C.SetFontSize(size);
        C.Text(b, text, align);
    }
    void Centre(const QRect& b, const QString& text, int size = 9) { Text(b, text, TAlign::Center, size); }
    void Right(const QRect& b, const QString& text, int size = 9) { Text(b, text, TAlign::Right, size); }
    void Colored(const QRect& b, const QString& text, const QColor& color) {
        C.SetFontColor(color);
        Centre(b, text);
        C.SetFontColor(Char1);
    }
    // Two lines in one cell, centred.
    void TwoLines(const QRect& b, const QString& top, const QString& bottom, int size) {
        Centre(Top(b), top, size);
        Centre(Bottom(b), bottom, size);
    }
    TCells Cells(int x, int y) { return TCells(C, Line1, x, y); }

    TTableCanvas& C;
    const TJuniTable& T;
    const TViewContext& V;
    const TAppSettings& S;
    QColor Char1, Line1, Line2;
};

// The columns of one display mode, to the right of the rank and team columns.
class TJuniColumns {
public:
    virtual ~TJuniColumns() = default;
    // How far the mode's cells reach to the right of where they start.
    virtual int Width() const = 0;
    virtual void Header(TJuniPaint& p, TCells& cells) const = 0;
    virtual void Row(TJuniPaint& p, TCells& cells, int row) const = 0;
};

namespace {

// Mode 0: the standings proper.
class TStandingsColumns : public TJuniColumns {
public:
    TStandingsColumns(bool noDraws, bool allPlayed) : NoDraws(noDraws), AllPlayed(allPlayed) {}

    int Width() const override { return 39 * (NoDraws ? 6 : 7) + 69 * 2 + (AllPlayed ? 0 : 39 * 2); }

    void Header(TJuniPaint& p, TCells& h) const override {
        for (const QString& title : {QStringLiteral("試合"), QStringLiteral("勝"), QStringLiteral("負")})
            p.Centre(h.Next(40), title);
        if (!NoDraws)
            p.Centre(h.Next(40), QStringLiteral("分"));
        p.Centre(h.Next(40), QStringLiteral("勝率"));
        const QRect behind = h.Next(40);
        p.Centre(LeftPart(behind, 20), QStringLiteral("差"));
        p.TwoLines(RightPart(behind, 20), QStringLiteral("1位"), QStringLiteral("(前)"), 8);
        p.TwoLines(h.Next(40), QStringLiteral("残試合"), QStringLiteral("消化率"), 8);
        for (const QString& place : {QStringLiteral("ホーム"), QStringLiteral("ビジター")}) {
            const QRect cell = h.Next(70);
            p.Centre(LeftPart(cell, 46), place);
            p.TwoLines(RightPart(cell, 24), QStringLiteral("勝敗"), QStringLiteral("勝率"), 8);
        }
        if (!AllPlayed) {
            p.TwoLines(h.Next(40), QStringLiteral("最新"), QStringLiteral("変動"), 9);
            p.Centre(h.Next(40), QStringLiteral("調子"));
        }
    }

    void Row(TJuniPaint& p, TCells& cells, int row) const override {
        const TDistrictStandings& s = *p.T.Standings();
        const TTmRec& r = s.Calc->Items(row);
        p.Right(Inset(cells.Next(40)), N(NoDraws ? r.Games() - r.Draws() : r.Games()));
        p.Right(Inset(cells.Next(40)), N(r.Wins()));
        p.Right(Inset(cells.Next(40)), N(r.Losses()));
        if (!NoDraws)
            p.Right(Inset(cells.Next(40)), N(r.Draws()));
        p.Right(Inset(cells.Next(40)), QString::fromStdString(FormatRate(r.WinRate())));
        Behind(p, cells.Next(40), r, row);

        const QRect rest = cells.Next(40);
        p.Right(Top(LeftPart(rest, 32)), N(r.Remain()));
        const long long all = static_cast<long long>(r.Games()) + r.Remain();
        p.Right(Bottom(LeftPart(rest, 32)), all == 0 ? QStringLiteral("-") : N(r.Games() * 100LL / all) + "%");
        for (const TSideRecord& side : {r.Home, r.Visitor}) {
            const QRect cell = cells.Next(70);
            p.Right(Top(LeftPart(cell, 60)), WinLossText(side.Wins, side.Losses, side.Draws, NoDraws));
            p.Right(Bottom(LeftPart(cell, 60)), QString::fromStdString(FormatRatio(side.Wins, side.Decided())));
        }
        if (AllPlayed)
            return;
        const QRect latest = cells.Next(40);
        p.Centre(Top(latest), Q(r.DayResult(s.Keys.LastResultDay).Marks));
        const int before = s.PreviousRanks.empty() ? r.RankNo : s.PreviousRanks[static_cast<size_t>(row)];
        if (r.RankNo < before)
            p.Colored(Bottom(latest), QStringLiteral("↑"), p.V.Color(p.S.Up));
        else if (r.RankNo > before)
            p.Colored(Bottom(latest), QStringLiteral("↓"), p.V.Color(p.S.Down));
        else
            p.Centre(Bottom(latest), QStringLiteral("→"));
        const QRect form = cells.Next(40);
        const int level = r.ConditionLevel();
        const QImage& picture = p.T.LevelImage(level);
        if (!picture.isNull())
            p.C.Stretch(form.adjusted(1, 1, -1, -1), picture); // inside the cell's border
        else
            p.Centre(form, N(level));
    }

private:
    // The "差" cell: the magic number, or the games behind the top and the team above.
    void Behind(TJuniPaint& p, const QRect& cell, const TTmRec& r, int row) const {
        const bool byWins = p.T.ByWins;
        const int magic = p.T.Standings()->Calc->Magic(row, byWins);
        if (magic >= 0) {
            p.Colored(cell, Q(MagicText(magic)), p.V.Color(p.S.Magic));
        } else if (row == 0 || r.BehindPrev < 0) {
            p.Centre(cell, QStringLiteral("－"));
        } else if (byWins) {
            p.Right(Top(LeftPart(cell, 32)), N(r.BehindTop / 10));
            p.Right(Bottom(LeftPart(cell, 35)), QStringLiteral("( %1)").arg(r.BehindPrev / 10));
        } else {
            p.Right(Top(LeftPart(cell, 32)), QString::fromStdString(FormatTenths(r.BehindTop)));
            p.Right(Bottom(LeftPart(cell, 35)),
                    QStringLiteral("( %1)").arg(QString::fromStdString(FormatTenths(r.BehindPrev))));
        }
    }

    bool NoDraws, AllPlayed;
};

// Mode 1: streaks and runs.
class TStreaksColumns : public TJuniColumns {
public:
    int Width() const override { return 49 * 12; }

    void Header(TJuniPaint& p, TCells& h) const override {
        const QString places[] = {QString(), QStringLiteral("ホーム"), QStringLiteral("ビジター")};
        for (const QString& kind : {QStringLiteral("連勝"), QStringLiteral("連敗")})
            for (const QString& place : places) {
                const QRect cell = h.Next(50);
                const QRect label = LeftPart(cell, 25);
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
            for (int place = 1; place < 3; ++place) {
                const QRect cell = h.Next(50);
                p.Centre(LeftPart(cell, 25), places[place], 5);
                p.TwoLines(RightPart(cell, 25), kinds[k][1], kinds[k][2], 8);
            }
        }
    }

    void Row(TJuniPaint& p, TCells& cells, int row) const override {
        const TTmRec& r = p.T.Standings()->Calc->Items(row);
        const TStreaks st = r.GetStreaks();
        const int32_t pairs[][2] = {
            {st.WinMax, st.WinNow},   {st.HomeWinMax, st.HomeWinNow},   {st.VisitorWinMax, st.VisitorWinNow},
            {st.LoseMax, st.LoseNow}, {st.HomeLoseMax, st.HomeLoseNow}, {st.VisitorLoseMax, st.VisitorLoseNow}};
        for (const auto& pair : pairs) {
            const QRect cell = cells.Next(50);
            p.Right(Top(LeftPart(cell, 34)), N(pair[0]));
            p.Right(Bottom(LeftPart(cell, 42)), QStringLiteral("( %1 )").arg(pair[1]));
        }
        const long long runs[][2] = {
            {r.RunsFor(), r.Games()},     {r.Home.RunsFor, r.Home.Games},     {r.Visitor.RunsFor, r.Visitor.Games},
            {r.RunsAgainst(), r.Games()}, {r.Home.RunsAgainst, r.Home.Games}, {r.Visitor.RunsAgainst, r.Visitor.Games}};
        for (const auto& pair : runs) {
            const QRect cell = cells.Next(50);
            p.Right(Top(LeftPart(cell, 38)), N(pair[0]));
            p.Right(Bottom(LeftPart(cell, 38)), QString::fromStdString(FormatAverage(pair[0], pair[1])));
        }
    }
};

// Mode 2: the results of the last seven days and the games of the next seven.
class TWeekColumns : public TJuniColumns {
public:
    int Width() const override { return 273 * 2; }

    void Header(TJuniPaint& p, TCells& h) const override {
        const double last = p.T.Standings()->Keys.LastResultDay;
        const QString titles[] = {QStringLiteral("最　　近　　一　　週　　間"),
                                  QStringLiteral("今　　後　　一　　週　　間")};
        for (int block = 0; block < 2; ++block) {
            const int bx = h.X + 273 * block;
            const QRect whole = Box(bx, kHeaderTop, bx + 274, kHeaderTop + kCellHeight);
            p.C.Frame(whole, p.Line1);
            p.Centre(Top(whole), titles[block]);
            if (days::WholeDay(last) != 0)
                for (int i = 0; i < 7; ++i)
                    p.Centre(Box(bx + 39 * i, kHeaderTop + 18, bx + 39 * i + 39, kHeaderTop + 36),
                             WeekdayLabel(Day(last, block, i)), 8);
        }
    }

    void Row(TJuniPaint& p, TCells& cells, int row) const override {
        const TTmRec& r = p.T.Standings()->Calc->Items(row);
        const double last = p.T.Standings()->Keys.LastResultDay;
        const int y = kRowsTop + kRowPitch * row;
        for (int block = 0; block < 2; ++block) {
            const int bx = cells.X;
            TCells days(p.C, p.Line2, bx, y);
            for (int i = 0; i < 7; ++i) {
                const TDayResult result = r.DayResult(Day(last, block, i));
                const QRect cell = days.Next(40);
                p.Centre(Top(cell), Q(result.Opponent));
                p.Centre(Bottom(cell), Q(result.Marks));
            }
            p.C.Frame(Box(bx, y, bx + 274, y + kCellHeight), p.Line1);
            cells.X = bx + 273;
        }
    }

private:
    // Block 0: the last result day - 6 to the last result day; block 1: the seven days after it.
    static double Day(double last, int block, int i) { return block == 0 ? last - 6 + i : last + 1 + i; }
};

} // namespace

TJuniTable::TJuniTable(const TViewContext& view, int districtIndex, int mode) : View(view), DisplayMode(mode) {
    Standing = BuildDistrictStandings(*View.Pennant, *View.Fight, districtIndex);
    const int teams = Standing ? Standing->Calc->Count() : 0;
    if (Standing) {
        AddPreviousRanks(*Standing, *View.Fight);
        ByWins = Standing->ByWins;
        DrawRule = Standing->League->DrawRule;
        const TDistrict& district = *Standing->District;
        Heading = {TitleLine(DistrictTitle(*View.Pennant, districtIndex), QStringLiteral("勝敗表"),
                             Q(StandingsStateText(Standing->AllPlayed(), Standing->Keys))),
                   View.Color(View.Settings->Char1)};
        for (int t = 0; t < district.TeamCount(); ++t)
            Pictures = Pictures || !district.GetTeam(t).Picture.empty();
        // The season may be edited while the window stays open: keep nothing of it.
        Standing->League = nullptr;
        Standing->District = nullptr;
    }
    if (mode == 0)
        Columns = std::make_unique<TStandingsColumns>(DrawRule == 2, !Standing || Standing->AllPlayed());
    else if (mode == 1)
        Columns = std::make_unique<TStreaksColumns>();
    else
        Columns = std::make_unique<TWeekColumns>();

    // The rank, rate rank, picture and name columns, then the mode's.
    const int teamLeft = 5 + 19 + (ByWins ? 19 : 0);
    const int nameRight = teamLeft + (Pictures ? 53 + 90 : 90);
    const int right = teamLeft + (Pictures ? 142 : 89) + Columns->Width();
    for (int m = 0; m < 3; ++m)
        ModeRects[static_cast<size_t>(m)] = Box(400 + 20 * m, 6, 415 + 20 * m, 17);
    if (Standing) {
        TeamRects.reserve(static_cast<size_t>(teams));
        RowRects.reserve(static_cast<size_t>(teams));
        for (int row = 0; row < teams; ++row) {
            const int y = kRowsTop + kRowPitch * row;
            TeamRects.push_back(Box(teamLeft, y, nameRight, y + kCellHeight));
            RowRects.push_back(Box(5, y, right + 1, y + kRowPitch));
        }
    }
    const int width = std::max(teams <= 10 ? 809 : 889, right + 6);
    PanelTop = kRowsTop + kRowPitch * teams + 30;
    Extent = QSize(width, PanelTop); // the panel's height needs the width
    const int rivals = std::max(teams - 1, 0);
    const int lines = std::max(1, (rivals + PanelBoxesPerLine() - 1) / PanelBoxesPerLine());
    Extent.setHeight(PanelTop + 18 + kPanelLinePitch * lines - 1 + 39);
    if (teams > 0)
        PanelRow = 0;
    if (Standing)
        ColumnsFromFrames(Box(0, kHeaderTop, width, kHeaderTop + kCellHeight));
}

TJuniTable::~TJuniTable() = default;

QString TJuniTable::GridText(int row, int column) const {
    QString text = TTableLayout::GridText(row, column);
    // The form is a picture when the program has one: read as its level.
    if (text.isEmpty() && DisplayMode == 0 && column == GridColumnCount() - 1 && row >= 0 &&
        row < static_cast<int>(RowRects.size()) && GridHeader(column) == QStringLiteral("調子"))
        text = N(Standing->Calc->Items(row).ConditionLevel());
    return text;
}

QColor TJuniTable::Background() const {
    return View.Background();
}

int TJuniTable::PanelBoxesPerLine() const {
    // Boxes wrap to further lines rather than run past the table's width.
    return std::max(1, (Extent.width() - 6) / kPanelPitch);
}

QRect TJuniTable::PanelRect() const {
    return Box(0, PanelTop, Extent.width(), Extent.height());
}

QRect TJuniTable::ShowPanel(int row) {
    const TRkCalc* calc = Calc();
    if (!calc || row < 0 || row >= calc->Count() || row == PanelRow)
        return QRect();
    PanelRow = row;
    return PanelRect();
}

const QImage& TJuniTable::TeamPicture(const std::string& reference) const {
    auto found = TeamPictures.find(reference);
    if (found == TeamPictures.end())
        found = TeamPictures.emplace(reference, LoadPicture(reference, View.ProgramDir)).first;
    return found->second;
}

const QImage& TJuniTable::LevelImage(int level) const {
    static const QImage none;
    if (level < 1 || level > 11)
        return none;
    std::optional<QImage>& image = LevelImages[static_cast<size_t>(level)];
    if (!image) {
        const QString file = LevelPicturePath(View.ProgramDir, level);
        image = QFileInfo(file).isFile() ? QImage(file) : QImage();
    }
    return *image;
}

void TJuniTable::Paint(TTableCanvas& canvas) const {
    if (!Standing)
        return;
    TJuniPaint p(canvas, *this);
    if (canvas.Shows(Box(0, 0, Extent.width(), kHeaderTop)))
        PaintBand(p);
    if (canvas.Shows(Box(0, kHeaderTop, Extent.width(), kHeaderTop + kCellHeight)))
        PaintHeader(p);
    const auto [first, last] = canvas.VisibleRows(kRowsTop, kRowPitch, kCellHeight, Calc()->Count());
    for (int row = first; row < last; ++row)
        PaintRow(p, row);
    if (PanelRow >= 0 && canvas.Shows(PanelRect()))
        PaintPanel(p);
}

void TJuniTable::PaintBand(TJuniPaint& p) const {
    const TDistrictStandings& s = *Standing;
    TTableCanvas& c = p.C;
    c.SetFontSize(10);
    c.TextTopLeft(Box(10, 5, 120, 17), Q(StandingsStateText(s.AllPlayed(), s.Keys)));
    p.Text(Box(155, 5, 190, 19), QStringLiteral("消化率"), TAlign::Left);
    const int rate = s.CompletionRate();
    const QRect bar = Box(195, 5, 195 + rate, 17);
    c.Fill(bar, View.Color(p.S.Ritu));
    c.Frame(bar, Background());
    c.Frame(Box(195, 5, 295, 17), p.Line1);
    p.Text(Box(300, 5, 335, 19), N(rate) + "%", TAlign::Left);
    p.Text(Box(368, 5, 395, 19), QStringLiteral("切替"), TAlign::Left);
    for (int m = 0; m < 3; ++m) {
        const QRect& square = ModeRects[static_cast<size_t>(m)];
        c.Fill(square, View.Color(m == DisplayMode ? p.S.Active : p.S.UnActive));
        c.Frame(square, p.Line1);
        p.Centre(Box(square.left() + 3, square.top() + 1, square.left() + square.width(), 17), N(m + 1), 8);
    }
}

void TJuniTable::PaintHeader(TJuniPaint& p) const {
    TCells h = p.Cells(5, kHeaderTop);
    p.TwoLines(h.Next(20), QStringLiteral("順"), QStringLiteral("位"), 9);
    if (ByWins)
        p.TwoLines(h.Next(20), QStringLiteral("率"), QStringLiteral("順"), 9);
    if (Pictures)
        p.Centre(h.Next(143), QStringLiteral("チ　　ー　　ム"));
    else
        p.Centre(h.Next(90), QStringLiteral("チ　ー　ム"));
    Columns->Header(p, h);
}

void TJuniTable::PaintRow(TJuniPaint& p, int row) const {
    const TDistrictStandings& s = *Standing;
    const TTmRec& r = s.Calc->Items(row);
    const TTeam* team = View.Pennant->TeamBySymbol(r.Symbol);
    TCells cells = p.Cells(5, kRowsTop + kRowPitch * row);
    p.Centre(cells.Next(20), N(r.RankNo));
    if (ByWins)
        p.Centre(cells.Next(20), N(s.RateRanks[static_cast<size_t>(row)]));
    if (Pictures) {
        const QRect cell = cells.Next(54);
        if (team)
            p.C.Stretch(cell.adjusted(1, 1, -1, -1), TeamPicture(team->Picture));
    }
    const QRect name = cells.Next(90);
    const QString shortName = team ? Q(team->ShortName) : QString();
    FitFontSize(p.C, 80, shortName);
    p.C.Text(Box(name.left() + 5, name.top(), name.left() + 85, name.top() + kCellHeight), shortName, TAlign::Left);
    Columns->Row(p, cells, row);
}

void TJuniTable::PaintPanel(TJuniPaint& p) const {
    const TRkCalc& calc = *Calc();
    const TTmRec& team = calc.Items(PanelRow);
    TTableCanvas& c = p.C;
    const QColor back = Background();
    c.SetFontSize(10);
    c.TextTopLeft(Box(10, PanelTop, 200, PanelTop + 18),
                  Q(View.Pennant->ShortNameBySymbol(team.Symbol)) + QStringLiteral(" vs"));
    // The rivals in standings order: their names, then T's record against each.
    const int perLine = PanelBoxesPerLine();
    auto boxOf = [&](int k) {
        const int x = 5 + kPanelPitch * (k % perLine), y = PanelTop + 18 + kPanelLinePitch * (k / perLine);
        return Box(x, y, x + 80, y + 53);
    };
    for (int i = 0, k = 0; i < calc.Count(); ++i) {
        if (i == PanelRow)
            continue;
        const QRect box = boxOf(k++);
        if (!c.Shows(box))
            continue;
        const QRect names = Box(box.left(), box.top(), box.right() + 1, box.top() + 18);
        c.Fill(names, back);
        c.Frame(names, p.Line1);
        const QString name = Q(View.Pennant->ShortNameBySymbol(calc.Items(i).Symbol));
        FitFontSize(c, 70, name);
        c.Text(names.adjusted(5, 0, -5, 0), name, TAlign::Center);
    }
    c.SetFontSize(9);
    for (int i = 0, k = 0; i < calc.Count(); ++i) {
        if (i == PanelRow)
            continue;
        const QRect box = boxOf(k++);
        if (!c.Shows(box))
            continue;
        const TSideRecord vs = team.GetVersus(calc.Items(i).Symbol).Total();
        const int x = box.left(), y = box.top() + 17;
        c.Frame(Box(x, y, x + 80, y + 36), p.Line1);
        c.Text(Box(x, y, x + 60, y + 18), WinLossText(vs.Wins, vs.Losses, vs.Draws, DrawRule == 2), TAlign::Right);
        c.Text(Box(x, y + 18, x + 60, y + 36), QString::fromStdString(FormatRatio(vs.Wins, vs.Decided())),
               TAlign::Right);
    }
}
