// The drawing surface of every table view: a QImage with exactly the
// operations the views need. Rectangles are given by their left, top, right
// and bottom edges, right and bottom exclusive. Font sizes are points at
// 96 dpi on every machine, so layouts do not move. Every text drawn is
// recorded, so tests can read what a view shows instead of guessing from pixels.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <memory>
#include <vector>

class QPainter;

enum class TAlign { Left, Center, Right };

struct TDrawnText {
    QString Text;
    QRect Rect;
    int Size = 0;
    QColor Color;
    TAlign Align = TAlign::Left;
};

class TTableCanvas {
public:
    TTableCanvas(int width, int height, const QColor& background);
    // A canvas for one part of a larger table: drawing takes the table's
    // coordinates, and only `area` is kept (the window paints what is exposed).
    TTableCanvas(const QRect& area, const QColor& background);
    ~TTableCanvas();
    TTableCanvas(const TTableCanvas&) = delete;
    TTableCanvas& operator=(const TTableCanvas&) = delete;

    int Width() const { return Image.width(); }
    int Height() const { return Image.height(); }
    // The part of the table this canvas holds, in table coordinates.
    QRect Area() const { return QRect(Origin, Image.size()); }
    // The finished picture (drawing goes on afterwards if asked to).
    const QImage& Picture() const;

    static QRect Box(int left, int top, int right, int bottom) {
        return QRect(QPoint(left, top), QSize(right - left, bottom - top));
    }

    void Fill(const QRect& r, const QColor& color);
    // An outline one pixel wide along the rectangle's edges, nothing inside.
    void Frame(const QRect& r, const QColor& color);
    void Line(int x1, int y1, int x2, int y2, int width, const QColor& color);

    void SetFontSize(int points);
    int FontSize() const { return Size; }
    void SetFontColor(const QColor& color) { TextColor = color; }
    QColor FontColor() const { return TextColor; }
    // Single-line text, vertically centred and clipped to the rectangle.
    void Text(const QRect& r, const QString& text, TAlign align);
    // Single-line text from the rectangle's top-left corner, clipped to it.
    void TextTopLeft(const QRect& r, const QString& text);
    int TextWidth(const QString& text) const;

    void Stretch(const QRect& r, const QImage& picture);
    void Copy(const QRect& target, const TTableCanvas& source, const QPoint& sourceTopLeft);
    // Keeps the top-left part of this size (growing fills with the background).
    void Resize(int width, int height);

    // What was drawn, in drawing order.
    const std::vector<TDrawnText>& Texts() const { return Drawn; }
    // The texts whose rectangle lies inside `area` (a copy replaces them, see Copy).
    std::vector<TDrawnText> TextsIn(const QRect& area) const;

private:
    void Record(const QRect& r, const QString& text, TAlign align);
    void DrawClipped(const QRect& r, const QString& text, int flags);
    // One painter for the whole drawing: starting a painter costs in
    // proportion to the surface, and a season's table can be tall.
    QPainter& Paint();
    void EndPaint() const;

    QImage Image;
    QPoint Origin;
    mutable std::unique_ptr<QPainter> Painter;
    QColor Background;
    QFont Font;
    int Size = 9;
    QColor TextColor = Qt::black;
    std::vector<TDrawnText> Drawn;
};

// The size at which `text` fits `width` pixels: 9, lowered one point at a
// time, not below 1. Leaves the canvas at that size.
int FitFontSize(TTableCanvas& canvas, int width, const QString& text);
