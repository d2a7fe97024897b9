// Paper between the figures and the grid: every view of a real season is
// painted whole, and beside every line of every cell that holds a text the
// pixels are read. Two columns inside a cell's side line, and the rows inside
// its top and bottom lines where the text's ink reaches, are the cell's plain
// paper; in the schedule, a score and the name beside it stand two columns of
// paper apart.

#include "core/base/DayNumber.h"
#include "core/io/AppSettings.h"
#include "core/io/IniFile.h"
#include "core/io/SeasonFile.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "core/season/SeasonTemplates.h"
#include "draw/JuniDrawing.h"
#include "draw/NitteiDrawing.h"
#include "draw/TablePicture.h"
#include "draw/TaisenDrawing.h"
#include "draw/TmJuniDrawing.h"
#include "draw/VersusDrawing.h"
#include "tests/support/MatchBuilder.h"
#include "tests/support/ShownSeason.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The major-league template, its first district played out: ツインズ won
// every game (1.000, 100%), one of them 3-11 as visitor, and ten-run games
// on both sides of the dash.
std::unique_ptr<TShownSeason> Major() {
    auto s = std::make_unique<TShownSeason>();
    s->Pennant = std::make_unique<TPennant>();
    s->Fight = std::make_unique<TFight>();
    BuildTemplate(TemplateMajor, *s->Pennant);
    const double day = days::Encode(2026, 7, 12);
    TFight& f = *s->Fight;
    const char* rivals[] = {"CWS", "CLE", "KC", "DET"};
    for (int i = 0; i < 4; ++i) {
        AddGame(f, Game(rivals[i], "MIN", day + i).Score(3, 11).Number(1));
        AddGame(f, Game("MIN", rivals[i], day + i + 4).Score(10, 8).Number(1));
    }
    AddGame(f, Game("CWS", "CLE", day).Score(12, 10).Number(1));
    AddGame(f, Game("KC", "DET", day + 1).Score(1, 0).Number(1));
    AddGame(f, Game("NYY", "BOS", day + 9).Number(1)); // another district still plays
    f.SortMatches();
    return s;
}

struct TFault {
    std::string Where;
};

// A picture of `table` with what it recorded.
struct TPainted {
    explicit TPainted(const TTableLayout& table) : Record(RecordTable(table)) {
        if (table.Size().isEmpty())
            return;
        Image = QImage(table.Size(), QImage::Format_RGB32);
        Image.fill(table.Background());
        QPainter painter(&Image);
        TPainterCanvas canvas(painter, Image.rect());
        table.Paint(canvas);
    }
    std::unique_ptr<TRecordingCanvas> Record;
    QImage Image;
};

// The cell a text is written in: the smallest frame holding its rectangle's
// centre. The standings' mode switches, 11 pixels high, are buttons, not
// cells: a digit there has no room for paper above and below.
const QRect* CellOf(const TRecordingCanvas& record, const TDrawnText& text) {
    const QRect* cell = nullptr;
    for (const TRecordingCanvas::TShape& s : record.Shapes())
        if (s.Kind == TRecordingCanvas::TShape::Frame && s.Rect.height() >= 18 && s.Rect.contains(text.Rect.center()) &&
            (!cell || s.Rect.width() * s.Rect.height() < cell->width() * cell->height()))
            cell = &s.Rect;
    return cell;
}

bool HoldsPicture(const TRecordingCanvas& record, const QRect& cell) {
    for (const TRecordingCanvas::TShape& s : record.Shapes())
        if (s.Kind == TRecordingCanvas::TShape::Picture && cell.contains(s.Rect.center()))
            return true;
    return false;
}

// Whether every pixel of the strip is the same paper.
bool Plain(const QImage& image, const QRect& strip) {
    const QRect inside = strip.intersected(image.rect());
    if (inside.isEmpty())
        return true;
    const QRgb paper = image.pixel(inside.topLeft());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (image.pixel(x, y) != paper)
                return false;
    return true;
}

// The cells of `table` whose paper beside a line is not plain.
std::vector<std::string> Touching(const std::string& view, const TTableLayout& table) {
    const TPainted p(table);
    std::vector<std::string> faults;
    std::vector<QRect> seen;
    for (const TDrawnText& text : p.Record->Texts()) {
        const QRect* cell = CellOf(*p.Record, text);
        if (!cell || text.Text.trimmed().isEmpty() || HoldsPicture(*p.Record, *cell))
            continue;
        if (std::find(seen.begin(), seen.end(), *cell) != seen.end())
            continue;
        seen.push_back(*cell);
        const QRect& c = *cell;
        const int l = c.left(), r = c.right(), t = c.top(), b = c.bottom();
        // Two columns inside each side line, two rows inside the top and bottom lines.
        const QRect strips[] = {
            QRect(QPoint(l + 1, t + 1), QPoint(l + 2, b - 1)), QRect(QPoint(r - 2, t + 1), QPoint(r - 1, b - 1)),
            QRect(QPoint(l + 1, t + 1), QPoint(r - 1, t + 2)), QRect(QPoint(l + 1, b - 2), QPoint(r - 1, b - 1))};
        const char* sides[] = {"left", "right", "top", "bottom"};
        for (int i = 0; i < 4; ++i)
            if (!Plain(p.Image, strips[i])) {
                QStringList inside = p.Record->TextListIn(c);
                faults.push_back(view + ": " + sides[i] + " line of " + inside.join(' ').toStdString() + " at " +
                                 std::to_string(l) + "," + std::to_string(t));
            }
    }
    return faults;
}

// The standings in every mode, the head-to-head tables, the schedules and the
// first teams' transitions of the season.
std::vector<std::string> EveryView(const TShownSeason& s) {
    const TViewContext view = s.View();
    std::vector<std::string> faults;
    auto add = [&](const std::string& name, const TTableLayout& table) {
        for (std::string& f : Touching(name, table))
            faults.push_back(std::move(f));
    };
    const TPennant& pennant = *s.Pennant;
    for (int d = 0; d < pennant.TotalDistrictCount(); ++d) {
        for (int mode = 0; mode < 3; ++mode)
            add("standings " + std::to_string(d) + "/" + std::to_string(mode), TJuniTable(view, d, mode));
        const std::vector<int> pages = TaisenPages(pennant, d);
        for (int page = 0; page < static_cast<int>(pages.size()); ++page)
            add("head-to-head " + std::to_string(d), LayoutTaisen(view, d, pages, 0, page).Table);
    }
    for (int l = 0; l < pennant.LeagueCount(); ++l)
        add("schedule " + std::to_string(l), LayoutNittei(view, l));
    for (int t = 0; t < std::min(pennant.TotalTeamCount(), 6); ++t) {
        const TTmJuniPanes panes = LayOutTmJuni(view, t);
        add("transition " + std::to_string(t), *panes.Table);
        if (panes.Head)
            add("transition head " + std::to_string(t), *panes.Head);
    }
    return faults;
}

} // namespace

TEST(InkMargin, NoTextComesWithinTwoPixelsOfItsCellsLines) {
    const std::unique_ptr<TShownSeason> sample = LoadSampleSeason();
    ASSERT_TRUE(sample);
    const std::unique_ptr<TShownSeason> major = Major();
    for (const TShownSeason* s : {sample.get(), major.get()}) {
        const std::vector<std::string> faults = EveryView(*s);
        EXPECT_TRUE(faults.empty()) << faults.size() << " cells, the first: " << (faults.empty() ? "" : faults.front());
    }
}

// The columns of `strip` holding ink (any pixel not the paper), first and last; none: {0, -1}.
std::pair<int, int> InkedColumns(const QImage& image, const QRect& strip, QRgb paper) {
    int first = 0, last = -1;
    for (int x = strip.left(); x <= strip.right(); ++x)
        for (int y = strip.top(); y <= strip.bottom(); ++y)
            if (image.pixel(x, y) != paper) {
                if (last < 0)
                    first = x;
                last = x;
                break;
            }
    return {first, last};
}

// "3-11ツインズ": the scores stand clear of the names beside them and of the
// dash, and the marks of the names.
TEST(InkMargin, ScoresStandClearOfTheNamesBesideThem) {
    for (const std::unique_ptr<TShownSeason>& s : {Major(), LoadSampleSeason()}) {
        ASSERT_TRUE(s);
        const TNitteiLayout schedule = LayoutNittei(s->View(), 0);
        const TPainted p(schedule);
        const QRgb paper = schedule.Background().rgb();
        int checked = 0;
        for (const TNitteiLine& line : schedule.Lines)
            for (int g = 0; g < line.Count; ++g) {
                const TMatchRec& m = s->Fight->GetMatch(line.Games[g].Match);
                if (m.Status != StatusFinished)
                    continue;
                const int nw = schedule.NameWidth;
                const int x0 = 100 + g * schedule.ColumnPitch;
                // Home mark, home name, home score, dash, visitor score, visitor name and mark, side by side.
                const int edges[] = {x0,           x0 + 12,      x0 + 12 + nw,     x0 + 26 + nw,
                                     x0 + 36 + nw, x0 + 50 + nw, x0 + 50 + 2 * nw, x0 + 62 + 2 * nw};
                for (int i = 0; i + 2 < 8; ++i) {
                    const int top = line.Y - 2, bottom = line.Y + 14;
                    const int leftEnds =
                        InkedColumns(p.Image, QRect(QPoint(edges[i], top), QPoint(edges[i + 1] - 1, bottom)), paper)
                            .second;
                    const int rightStarts =
                        InkedColumns(p.Image, QRect(QPoint(edges[i + 1], top), QPoint(edges[i + 2] - 1, bottom)), paper)
                            .first;
                    EXPECT_GE(rightStarts - leftEnds - 1, 2)
                        << int(m.HomeScore) << "-" << int(m.VisitorScore) << " at " << edges[i + 1];
                    ++checked;
                }
            }
        EXPECT_GE(checked, 6 * 10);
    }
}
