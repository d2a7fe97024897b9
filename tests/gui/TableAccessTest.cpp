// Every table view read the way a screen reader reads it: through Qt's
// accessibility interfaces, on the sample season.
#include "core/season/BaseballPennant.h"
#include "core/standings/DistrictStandings.h"
#include "core/standings/StandingsText.h"
#include "draw/JuniDrawing.h"
#include "gui/views/TableSurface.h"
#include "gui/views/UJuni.h"
#include "gui/views/UNittei.h"
#include "gui/views/UOdds.h"
#include "gui/views/URace.h"
#include "gui/views/UTaisen.h"
#include "gui/views/UTmJuni.h"
#include "gui/views/UVersus.h"
#include "tests/gui/QtPrint.h"
#include "tests/support/ShownSeason.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

QAccessibleInterface* TableOf(TTableSurface* surface) {
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(surface);
    EXPECT_NE(table, nullptr);
    return table;
}

QString Cell(QAccessibleInterface* table, int row, int column) {
    QAccessibleInterface* cell = table->tableInterface()->cellAt(row, column);
    return cell ? cell->text(QAccessible::Name) : QStringLiteral("<none>");
}

QStringList Headers(QAccessibleInterface* table) {
    QStringList headers;
    for (int c = 0; c < table->tableInterface()->columnCount(); ++c)
        headers << table->tableInterface()->columnDescription(c);
    return headers;
}

QStringList Row(QAccessibleInterface* table, int row) {
    QStringList cells;
    for (int c = 0; c < table->tableInterface()->columnCount(); ++c)
        cells << Cell(table, row, c);
    return cells;
}

// A key pressed on the widget with the focus.
void Press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
}

// What the whole table paints in a cell, read off one recording of the whole
// table: the reader must hear the same, and the same spelled out.
QString PaintedIn(const TRecordingCanvas& whole, const QRect& cell) {
    return SpokenText(whole.TextListIn(cell).join(QLatin1Char(' ')));
}

struct TExpected {
    QString Name;
    QStringList FirstHeaders;
    QStringList FirstRow; // its first cells
};

} // namespace

// Every view, through the table and cell interfaces: its name, its headers,
// and every cell of its first rows and its last equal to what the canvas
// paints there; marks and arrows spelled, names without their padding.
TEST(TableAccess, EveryViewReadsAsItIsPainted) {
    const std::unique_ptr<TShownSeason> s = LoadSampleSeason();
    ASSERT_NE(s, nullptr);
    TFmJuni juni(s->View(), 0);
    TFmJuni streaks(s->View(), 0);
    streaks.DisplayMode = 1;
    streaks.DrawTable(1);
    TFmJuni week(s->View(), 0);
    week.DisplayMode = 2;
    week.DrawTable(2);
    TFmTmJuni transition(s->View(), 0);
    TFmNittei schedule(s->View(), 0);
    TFmTaisen headToHead(s->View(), 0);
    TFmVersus versus(s->View(), 0, "G", "T", 0);
    TFmRace race(s->View(), 0);
    race.WaitDecided();
    TFmOdds odds(s->View(), 0);

    const QString day = QStringLiteral(" 7月12日(日) 現在");
    const std::vector<std::pair<TTableSurface*, TExpected>> views = {
        {juni.ImgJuni,
         {"セントラルリーグ 勝敗表" + day,
          {"順位", "チーム", "試合", "勝", "負", "分", "勝率", "差 1位 (前)", "残試合 消化率", "ホーム 勝敗 勝率",
           "ビジター 勝敗 勝率", "最新 変動", "調子"},
          {"1", "阪神", "89", "50", "37", "2", ".575", "－", "36 71%", "24-21-0 .533", "26-16-2 .619", "勝 変わらず"}}},
        {streaks.ImgJuni,
         {"セントラルリーグ 勝敗表" + day, {"順位", "チーム", "連勝 MAX NOW"}, {"1", "阪神", "5 ( 2 )"}}},
        {week.ImgJuni,
         {"セントラルリーグ 勝敗表" + day, {"順位", "チーム"}, {"1", "阪神", "－ － C 勝 YB 勝 G 勝 S 負 D 勝 C 勝"}}},
        {transition.ImgTmJuni,
         {"セントラルリーグ 読売ジャイアンツ 順位推移" + day,
          {"日付", "相手", "球場", "勝敗", "スコア", "勝率", "順位"},
          {"3月27日(金)", "横浜", "ホーム", "勝", "4 - 1", "1.000", "1位"}}},
        {schedule.ImgNittei,
         {"セントラルリーグ 日程表" + day,
          {"日付", "試合1", "試合2", "試合3"},
          {"3月27日(金)", "勝 巨人 4 - 1 横浜 負", "負 ヤクルト 4 - 8 阪神 勝"}}},
        {headToHead.ImgTaisen,
         {"セントラルリーグ 対戦成績表" + day,
          {"順位", "チーム", "阪神", "ヤクルト"},
          {"1", "阪神", "＊", "G18 7-11-0 R7 .389"}}},
        {versus.ImgVersus,
         {"セントラルリーグ 読売ジャイアンツ vs 阪神タイガース 対戦成績" + day,
          {"日付", "勝敗", "スコア", "回戦", "球場"},
          {"4月01日(水)", "勝", "5 - 4", "1回戦", "ビジター"}}},
        {race.ImgRace,
         {"セントラルリーグ 優勝・3位以内争い" + day,
          {"順位", "チーム", "勝", "負", "分", "残試合", "マジック (表)", "優勝 状況", "優勝 自力M", "優勝 消滅M"},
          {"1", "阪神", "50", "37", "2", "36", "－", "M31", "31", "25"}}},
        {odds.ImgOdds,
         {"セントラルリーグ 優勝確率" + day, {"順位", "チーム", "勝", "負", "分", "残試合"}, {"1", "阪神"}}},
    };
    for (const auto& [surface, expected] : views) {
        SCOPED_TRACE(expected.Name.toStdString());
        QAccessibleInterface* table = TableOf(surface);
        ASSERT_NE(table, nullptr);
        ASSERT_NE(table->tableInterface(), nullptr);
        EXPECT_EQ(table->role(), QAccessible::Table);
        EXPECT_EQ(table->text(QAccessible::Name), expected.Name);
        const TTableLayout& layout = *surface->Table();
        const int rows = table->tableInterface()->rowCount(), columns = table->tableInterface()->columnCount();
        EXPECT_EQ(rows, layout.GridRows());
        ASSERT_GT(rows, 0);
        EXPECT_EQ(Headers(table).mid(0, expected.FirstHeaders.size()), expected.FirstHeaders);
        EXPECT_EQ(Row(table, 0).mid(0, expected.FirstRow.size()), expected.FirstRow);

        const auto whole = RecordTable(layout);
        for (const int r : {0, 1, 2, rows - 1}) {
            for (int c = 0; c < columns; ++c) {
                QAccessibleInterface* cell = table->tableInterface()->cellAt(r, c);
                ASSERT_NE(cell, nullptr);
                const QString painted = PaintedIn(*whole, layout.GridCell(r, c));
                // A picture (the form, the rank marker) is read as what it shows.
                if (!painted.isEmpty()) {
                    EXPECT_EQ(cell->text(QAccessible::Name), painted) << r << "," << c;
                }
                EXPECT_EQ(cell->role(), QAccessible::Cell);
                QAccessibleTableCellInterface* ci = cell->tableCellInterface();
                ASSERT_NE(ci, nullptr);
                EXPECT_EQ(ci->rowIndex(), r);
                EXPECT_EQ(ci->columnIndex(), c);
                EXPECT_EQ(ci->columnHeaderCells().value(0)->text(QAccessible::Name), Headers(table)[c]);
                EXPECT_EQ(table->indexOfChild(cell), (r + 1) * columns + c);
                EXPECT_EQ(table->child((r + 1) * columns + c), cell); // one interface per cell
                // Where the reader's magnifier looks is where the cell is.
                EXPECT_EQ(cell->rect().topLeft(), surface->mapToGlobal(layout.GridCell(r, c).topLeft()));
                const QPoint inside = cell->rect().center();
                EXPECT_EQ(table->childAt(inside.x(), inside.y()), cell) << r << "," << c;
            }
        }
        // The selected cell is the cursor's.
        surface->MoveCellCursor(rows - 1, columns - 1);
        const QList<QAccessibleInterface*> selected = table->tableInterface()->selectedCells();
        ASSERT_EQ(selected.size(), 1);
        EXPECT_EQ(selected[0], table->tableInterface()->cellAt(rows - 1, columns - 1));
        EXPECT_TRUE(selected[0]->state().selected);
        EXPECT_FALSE(table->tableInterface()->cellAt(0, 0)->state().selected);
    }
}

// An independent reading: the standings' figures as the calculator has them,
// every row, and the form picture read as its level when the program has one.
TEST(TableAccess, StandingsFiguresAreTheCalculators) {
    const std::unique_ptr<TShownSeason> s = LoadSampleSeason();
    ASSERT_NE(s, nullptr);
    TFmJuni juni(s->View(), 0);
    QAccessibleInterface* table = TableOf(juni.ImgJuni);
    const TRkCalc& calc = *juni.Drawing().Calc();
    ASSERT_EQ(table->tableInterface()->rowCount(), calc.Count());
    for (int r = 0; r < calc.Count(); ++r) {
        const TTmRec& t = calc.Items(r);
        const QStringList row = Row(table, r);
        EXPECT_EQ(row.mid(2, 5),
                  (QStringList{QString::number(t.Games()), QString::number(t.Wins()), QString::number(t.Losses()),
                               QString::number(t.Draws()), QString::fromStdString(FormatRate(t.WinRate()))}));
        EXPECT_EQ(row.last(), QString::number(t.ConditionLevel()));
    }
}

// The keyboard: the cursor moves, scrolls into view, is drawn without
// covering a figure, and Enter does what a click on the cell does.
TEST(TableAccess, TheCellCursor) {
    const std::unique_ptr<TShownSeason> s = LoadSampleSeason();
    ASSERT_NE(s, nullptr);
    TFmTmJuni transition(s->View(), 0);
    transition.setAttribute(Qt::WA_DeleteOnClose, false);
    transition.resize(500, 300);
    transition.show();
    QApplication::setActiveWindow(&transition);
    TTableSurface* surface = transition.ImgTmJuni;
    surface->setFocus();
    QApplication::processEvents();
    const int rows = surface->Table()->GridRows();
    ASSERT_GT(rows, 100);
    EXPECT_EQ(surface->CursorRow(), 0);
    const auto visible = [&] {
        const QRect cell = surface->Table()->GridCell(surface->CursorRow(), surface->CursorColumn());
        const QRect shown(-surface->pos(), transition.ScrollBox1->viewport()->size());
        // All its height; its width, or as much of it as the view has room for.
        const QRect seen = shown.intersected(cell);
        return seen.height() == cell.height() && seen.width() >= std::min(cell.width(), shown.width() / 2);
    };
    struct TStep {
        int Key;
        Qt::KeyboardModifiers Modifiers;
        int Row, Column;
    };
    Press(surface, Qt::Key_Down);
    Press(surface, Qt::Key_Right);
    EXPECT_EQ(surface->CursorRow(), 1);
    EXPECT_EQ(surface->CursorColumn(), 1);
    Press(surface, Qt::Key_PageDown);
    const int perPage = surface->CursorRow() - 1;
    EXPECT_GE(perPage, 5); // most of a 300-pixel window of 18-pixel rows
    EXPECT_TRUE(visible());
    const int columns = surface->Table()->GridColumnCount();
    const TStep steps[] = {
        {Qt::Key_End, Qt::NoModifier, 1 + perPage, columns - 1},
        {Qt::Key_Right, Qt::NoModifier, 1 + perPage, columns - 1}, // stays at the edge
        {Qt::Key_Home, Qt::NoModifier, 1 + perPage, 0},
        {Qt::Key_End, Qt::ControlModifier, rows - 1, columns - 1},
        {Qt::Key_Down, Qt::NoModifier, rows - 1, columns - 1},
        {Qt::Key_PageUp, Qt::NoModifier, rows - 1 - perPage, columns - 1},
        {Qt::Key_Home, Qt::ControlModifier, 0, 0},
        {Qt::Key_Up, Qt::NoModifier, 0, 0},
    };
    for (const TStep& step : steps) {
        Press(surface, step.Key, step.Modifiers);
        EXPECT_EQ(surface->CursorRow(), step.Row) << step.Key;
        EXPECT_EQ(surface->CursorColumn(), step.Column) << step.Key;
        EXPECT_TRUE(visible()) << step.Key;
    }

    // The focus frame lies on the cell's border and the pixel inside it: the
    // rest of the cell, its figures, is painted as without the cursor.
    surface->MoveCellCursor(2, 4); // a score
    QApplication::processEvents();
    ASSERT_TRUE(surface->hasFocus());
    const QRect cell = surface->Table()->GridCell(2, 4);
    const QImage focused = surface->grab(cell.adjusted(-3, -3, 3, 3)).toImage();
    surface->clearFocus();
    QApplication::processEvents();
    const QImage plain = surface->grab(cell.adjusted(-3, -3, 3, 3)).toImage();
    ASSERT_EQ(focused.size(), plain.size());
    int changed = 0;
    for (int y = 0; y < focused.height(); ++y)
        for (int x = 0; x < focused.width(); ++x) {
            if (focused.pixel(x, y) == plain.pixel(x, y))
                continue;
            ++changed;
            const QPoint at(x + cell.left() - 3, y + cell.top() - 3);
            EXPECT_FALSE(cell.adjusted(2, 2, -2, -2).contains(at)) << at.x() << "," << at.y();
        }
    EXPECT_GT(changed, 2 * cell.width()); // the frame is there to see
}

TEST(TableAccess, EnterDoesWhatAClickDoes) {
    const std::unique_ptr<TShownSeason> s = LoadSampleSeason();
    ASSERT_NE(s, nullptr);
    // The standings: Enter anywhere on a row opens its team's rank transition.
    TFmJuni juni(s->View(), 0);
    QSignalSpy transition(&juni, &TFmJuni::TransitionRequested);
    Press(juni.ImgJuni, Qt::Key_Down);
    Press(juni.ImgJuni, Qt::Key_End);
    EXPECT_EQ(juni.Drawing().PanelTeam(), 1); // the cursor's row shows its panel, as the pointer's does
    Press(juni.ImgJuni, Qt::Key_Return);
    ASSERT_EQ(transition.count(), 1);
    const std::string symbol = juni.Drawing().Calc()->Items(1).Symbol;
    EXPECT_EQ(s->Pennant->TeamBySymbol(symbol), s->Pennant->TeamAt(transition[0][0].toInt()));

    // The head-to-head table: Enter on a cell with games asks for the pairing;
    // on the row's name, nothing.
    TFmTaisen taisen(s->View(), 0);
    QSignalSpy versus(&taisen, &TFmTaisen::VersusRequested);
    Press(taisen.ImgTaisen, Qt::Key_Enter);
    EXPECT_EQ(versus.count(), 0);
    Press(taisen.ImgTaisen, Qt::Key_Right);
    Press(taisen.ImgTaisen, Qt::Key_Right);
    Press(taisen.ImgTaisen, Qt::Key_Right); // ヤクルト's column
    Press(taisen.ImgTaisen, Qt::Key_Enter);
    ASSERT_EQ(versus.count(), 1);
    EXPECT_EQ(versus[0][1].value<std::string>(), taisen.Layout().Table.RowSymbols[0]);
    EXPECT_EQ(versus[0][2].value<std::string>(), "S");

    // Ctrl+Tab and Ctrl+Shift+Tab turn the tabs, round at either end.
    TFmNittei schedule(s->View(), 0);
    ASSERT_EQ(schedule.TabLeague->count(), 2);
    Press(schedule.ImgNittei, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(schedule.TabLeague->currentIndex(), 1);
    Press(schedule.ImgNittei, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(schedule.TabLeague->currentIndex(), 0);
    Press(schedule.ImgNittei, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(schedule.TabLeague->currentIndex(), 1);
    EXPECT_EQ(TableOf(schedule.ImgNittei)->text(QAccessible::Name),
              QStringLiteral("パシフィックリーグ 日程表 7月12日(日) 現在"));
}

// A reader may hold a cell while the window changes its table: the cell of
// a row the new table lacks, or of no table at all, answers as gone.
TEST(TableAccess, CellsOfATableGoneAnswerAsGone) {
    const std::unique_ptr<TShownSeason> s = LoadSampleSeason();
    ASSERT_NE(s, nullptr);
    TFmJuni juni(s->View(), 0);
    QAccessibleInterface* table = TableOf(juni.ImgJuni);
    QAccessibleInterface* last = table->tableInterface()->cellAt(5, 12);
    ASSERT_NE(last, nullptr);
    EXPECT_TRUE(last->isValid());
    juni.DisplayMode = 2; // fewer columns
    juni.DrawTable(2);
    EXPECT_FALSE(last->isValid());
    EXPECT_TRUE(last->text(QAccessible::Name).isEmpty());
    juni.ImgJuni->SetTable(nullptr);
    EXPECT_FALSE(last->isValid());
    EXPECT_FALSE(last->state().selected);
    EXPECT_EQ(table->tableInterface()->rowCount(), 0);
    EXPECT_EQ(table->childCount(), 0);
    EXPECT_EQ(table->tableInterface()->cellAt(0, 0), nullptr);
    EXPECT_EQ(table->text(QAccessible::Name), juni.windowTitle());
    juni.DrawTable(0); // the window's table again, before it goes
}
