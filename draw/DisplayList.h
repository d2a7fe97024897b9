// What a table view shows, laid out once as plain data: fills, frames, texts
// and pictures with their rectangles, in drawing order. Painting any part of
// the table then only walks the items that touch that part: they are filed by
// bands of rows, so a tall table painted band by band costs what it holds.
#pragma once

#include "draw/TableCanvas.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <cstdint>
#include <vector>

struct TDrawItem {
    enum class TKind : uint8_t { Fill, Frame, Text, Picture };
    TKind Kind = TKind::Fill;
    TAlign Align = TAlign::Left;
    int8_t Size = 9;  // points, for texts
    int Picture = -1; // index into the list's pictures
    QRect Rect;
    QColor Color;
    QString Text;
};

class TDisplayList {
public:
    void Fill(const QRect& r, const QColor& color);
    void Frame(const QRect& r, const QColor& color);
    void Text(const QRect& r, const QString& text, int size, const QColor& color, TAlign align);
    // A picture stretched to the rectangle; a null picture draws nothing.
    void Picture(const QRect& r, const QImage& picture);

    // Paints, in order, every item that touches the canvas's area.
    void Paint(TTableCanvas& canvas) const;
    const std::vector<TDrawItem>& Items() const { return List; }

private:
    static constexpr int kBand = 128;
    void Add(TDrawItem item);

    std::vector<TDrawItem> List;
    std::vector<QImage> Pictures;
    std::vector<std::vector<int>> Bands; // the items meeting each band of kBand rows
};

// A table that is a display list: its size and background set by its maker.
class TDisplayTable : public TTableLayout {
public:
    TDisplayList List;
    QSize TableSize;
    QColor Back;

    QSize Size() const override { return TableSize; }
    QColor Background() const override { return Back; }
    void Paint(TTableCanvas& canvas) const override { List.Paint(canvas); }

    // Read as rows of equal pitch from the top (a list); none until set.
    void SetGrid(int rows, int pitch, int height, std::vector<TGridColumn> columns) {
        GridRowCount = rows;
        RowPitch = pitch;
        RowHeight = height;
        GridColumns = std::move(columns);
    }
    int GridRows() const override { return GridRowCount; }
    // A list read without its title on top is named by the one it is listed under.
    QString Name;
    QString GridName() const override { return Name; }
    QRect GridRow(int row) const override { return QRect(0, row * RowPitch, TableSize.width(), RowHeight); }

private:
    int GridRowCount = 0, RowPitch = 0, RowHeight = 0;
};

// Measures texts for a layout, at the sizes the canvas draws them.
class TTextMeasure {
public:
    TTextMeasure() : Canvas(QRect(0, 0, 1, 1)) {}
    int Width(const QString& text, int size) {
        Canvas.SetFontSize(size);
        return Canvas.TextWidth(text);
    }
    // FitFontSize without a surface to draw on.
    int Fit(int width, const QString& text) { return FitFontSize(Canvas, width, text); }

private:
    TRecordingCanvas Canvas;
};
