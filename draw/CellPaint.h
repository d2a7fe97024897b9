// What every part of one painting of a table of 36-pixel cells shares: the
// canvas, the view's colors, and the few ways its texts and cells are drawn.
#pragma once

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

    TTableCanvas& C;
    const TAppSettings& S;
    QColor Char1, Line1, Magic, Down;
};
