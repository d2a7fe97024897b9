// What every part of one painting of a table of 36-pixel cells shares: the
// canvas, the view's colors, and the few ways its texts and cells are drawn.
#pragma once

#include "draw/QtText.h"
#include "draw/TableCanvas.h"
#include "draw/ViewContext.h"

class TCellPaint {
public:
    static constexpr int kCellHeight = 36;

    TCellPaint(TTableCanvas& canvas, const TViewContext& view)
        : C(canvas), S(*view.Settings), Char1(view.Color(S.Char1)), Line1(view.Color(S.Line1)),
          Magic(view.Color(S.Magic)), Down(view.Color(S.Down)) {
        C.SetFontColor(Char1);
    }

    void Text(const QRect& b, const QString& text, TAlign align, int size = 9) {
        C.SetFontSize(size);
        C.Text(b, text, align);
    }
    void Centre(const QRect& b, const QString& text, int size = 9) { Text(b, text, TAlign::Center, size); }
    void Colored(const QRect& b, const QString& text, const QColor& color, TAlign align = TAlign::Center) {
        C.SetFontColor(color);
        Text(b, text, align);
        C.SetFontColor(Char1);
    }
    // Outlines a cell at x, moves x to the next one (neighbours share a
    // border) and returns the cell's box.
    QRect Cell(int& x, int y, int width) {
        const QRect box = TTableCanvas::Box(x, y, x + width, y + kCellHeight);
        C.Frame(box, Line1);
        x += width - 1;
        return box;
    }

    // The columns a table of teams opens with, left to right from x: rank,
    // team, wins, losses, draws (where they stand) and games left; the
    // header cells, and one team's.
    static constexpr int kRankWidth = 20, kNameWidth = 90, kNumberWidth = 40;
    void RecordHeader(int& x, int y, bool noDraws) {
        const QRect rank = Cell(x, y, kRankWidth);
        Centre(cellbox::Top(rank), QStringLiteral("順"));
        Centre(cellbox::Bottom(rank), QStringLiteral("位"));
        Centre(Cell(x, y, kNameWidth), QStringLiteral("チ　ー　ム"));
        Centre(Cell(x, y, kNumberWidth), QStringLiteral("勝"));
        Centre(Cell(x, y, kNumberWidth), QStringLiteral("負"));
        if (!noDraws)
            Centre(Cell(x, y, kNumberWidth), QStringLiteral("分"));
        Centre(Cell(x, y, kNumberWidth), QStringLiteral("残試合"), 8);
    }
    void RecordRow(int& x, int y, int rank, const QString& shortName, int wins, int losses, int draws, int remain,
                   bool noDraws) {
        Centre(Cell(x, y, kRankWidth), QString::number(rank));
        const QRect name = Cell(x, y, kNameWidth);
        FitFontSize(C, 80, shortName);
        C.Text(TTableCanvas::Box(name.left() + 5, y, name.left() + 85, y + kCellHeight), shortName, TAlign::Left);
        for (const int value : {wins, losses})
            Text(cellbox::Inset(Cell(x, y, kNumberWidth)), QString::number(value), TAlign::Right);
        if (!noDraws)
            Text(cellbox::Inset(Cell(x, y, kNumberWidth)), QString::number(draws), TAlign::Right);
        Text(cellbox::Inset(Cell(x, y, kNumberWidth)), QString::number(remain), TAlign::Right);
    }

    TTableCanvas& C;
    const TAppSettings& S;
    QColor Char1, Line1, Magic, Down;
};
