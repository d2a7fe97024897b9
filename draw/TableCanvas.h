// The drawing surface of every table view, and the shape every table view
// takes: laid out once per redraw, painted in any part on demand.
//
// A view is a TTableLayout. Building it computes everything that does not
// paint (row positions, hit rectangles, the table's size) in time linear in
// its rows. Paint(canvas) then paints whatever meets canvas.Area(): the window
// paints just the exposed rectangle, tablora-cli render paints the picture in
// bands, and the tests paint the whole table onto a recording canvas that
// keeps what was drawn and paints nothing. No view keeps a picture of its
// whole table.
//
// Rectangles are given by their left, top, right and bottom edges (Box),
// right and bottom exclusive. Font sizes are points at 96 dpi on every
// machine, so layouts do not move. A text never loses a character: one wider
// than its rectangle is drawn at the largest size whose ink fits (the
// FitFontSize rule), never cut at the rectangle's edge. Its ink keeps clear of
// the lines of its cell: 2 pixels of paper between the ink and a line just
// framed at (or within 2 pixels of) the rectangle's edge, and as much from the
// ink of a text just written in the rectangle beside it; the size is fitted
// inside that margin.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <vector>

class QPainter;

enum class TAlign { Left, Center, Right };

// One text as it was drawn: the rectangle asked for, the size it was drawn at.
struct TDrawnText {
    QString Text;
    QRect Rect;
    int Size = 0;
    QColor Color;
    TAlign Align = TAlign::Left;
};

class TTableCanvas {
public:
    virtual ~TTableCanvas();
    TTableCanvas(const TTableCanvas&) = delete;
    TTableCanvas& operator=(const TTableCanvas&) = delete;

    static QRect Box(int left, int top, int right, int bottom) {
        return QRect(QPoint(left, top), QSize(right - left, bottom - top));
    }

    // The part of the table being painted, in table coordinates. Painters
    // skip rows and items outside it; the rest is clipped by the surface.
    const QRect& Area() const { return PaintArea; }
    bool Shows(const QRect& r) const { return PaintArea.intersects(r); }
    // The rows [first, last) of equal `pitch` starting at `top` that meet the area.
    std::pair<int, int> VisibleRows(int top, int pitch, int height, int count) const;

    virtual void Fill(const QRect& r, const QColor& color) = 0;
    // An outline one pixel wide along the rectangle's edges, nothing inside.
    // The texts drawn next keep their ink clear of its lines.
    void Frame(const QRect& r, const QColor& color);
    virtual void Line(int x1, int y1, int x2, int y2, int width, const QColor& color) = 0;
    // The picture stretched to the rectangle; a null picture draws nothing.
    virtual void Stretch(const QRect& r, const QImage& picture) = 0;

    void SetFontSize(int points);
    int FontSize() const { return Size; }
    void SetFontColor(const QColor& color) { TextColor = color; }
    QColor FontColor() const { return TextColor; }
    // Single-line text, vertically centred in the rectangle; at a smaller size
    // when it is wider than the rectangle. The canvas keeps its font size.
    void Text(const QRect& r, const QString& text, TAlign align);
    // Single-line text from the rectangle's top-left corner, fitted the same way.
    void TextTopLeft(const QRect& r, const QString& text);
    int TextWidth(const QString& text) const;

    // Pixels of paper kept between a text's ink and a cell's line.
    static constexpr int kPaper = 2;

protected:
    explicit TTableCanvas(const QRect& area);
    // The device pixels to a table pixel of the surface painted on (2 on a
    // screen at 200%): texts are fitted to their ink as painted there.
    void SetDeviceRatio(qreal ratio) { Ratio = ratio > 0 ? ratio : 1; }
    qreal DeviceRatio() const { return Ratio; }
    virtual void DrawFrame(const QRect& r, const QColor& color) = 0;
    // Draws one text with its baseline's left end at `origin`; no font for
    // an empty text (recorded, nothing to paint).
    virtual void DrawText(const TDrawnText& text, const QFont* font, const QPointF& origin) = 0;

private:
    void Put(const QRect& r, const QString& text, TAlign align, bool top);
    // Where the ink of a text in `r` may lie: columns [Left, Right) and rows
    // [Top, Bottom).
    struct TInkRoom {
        int Left, Right, Top, Bottom;
    };
    TInkRoom InkRoom(const QRect& r) const;

    QRect PaintArea;
    // The frames and texts drawn last: a view frames a cell, then writes in
    // it, and writes a line of cells left to right.
    struct TInked {
        QRect Rect; // asked for
        QRect Ink;  // the pixels darkened
    };
    static constexpr size_t kRecent = 32;
    std::array<QRect, kRecent> RecentFrames;
    std::array<TInked, kRecent> RecentTexts;
    size_t FramesSeen = 0, TextsSeen = 0;
    QFont Font;
    int Size = 9;
    QColor TextColor = Qt::black;
    qreal Ratio = 1;
};

// Paints through a painter whose origin is the table's top-left corner and
// whose clip is `exposed`. Its area reaches kInkReach pixels further: a
// text's glyphs may stand out of its rectangle, and a part exposed on its own
// (a scrolled strip, a band of a picture) gets those pixels too.
//
// On a surface of more device pixels than table pixels (a screen at 150% or
// 200%, a picture made at twice the size) texts are drawn at the device's
// resolution, fills keep to whole device pixels, and a line one pixel wide
// is one device pixel wide, on the first device pixel of its table pixel.
// Painters with a scale of their own (a printed page) paint as at 100%.
class TPainterCanvas : public TTableCanvas {
public:
    static constexpr int kInkReach = 16;
    TPainterCanvas(QPainter& painter, const QRect& exposed);

    void Fill(const QRect& r, const QColor& color) override;
    void Line(int x1, int y1, int x2, int y2, int width, const QColor& color) override;
    void Stretch(const QRect& r, const QImage& picture) override;

protected:
    void DrawFrame(const QRect& r, const QColor& color) override;
    void DrawText(const TDrawnText& text, const QFont* font, const QPointF& origin) override;

private:
    // Table pixels [left, right) x [top, bottom) as device pixels.
    QRect DeviceBox(int left, int top, int right, int bottom) const;
    void FillDevice(const QRect& device, const QColor& color);

    QPainter& P;
    bool Snapped = false; // painting by device pixels (a ratio other than 1)
    QPointF Shift;        // the painter's translation, in table pixels
};

// Paints nothing and keeps what would have been drawn in its area: every
// text, and the lines, fills and pictures, for the tests to read.
class TRecordingCanvas : public TTableCanvas {
public:
    struct TShape {
        enum TKind { Fill, Frame, Line, Picture } Kind;
        QRect Rect; // for a line: from its first point to its second
        QColor Color;
    };

    explicit TRecordingCanvas(const QRect& area);

    void Fill(const QRect& r, const QColor& color) override;
    void Line(int x1, int y1, int x2, int y2, int width, const QColor& color) override;
    void Stretch(const QRect& r, const QImage& picture) override;

    // In drawing order.
    const std::vector<TDrawnText>& Texts() const { return TextRecord; }
    const std::vector<TShape>& Shapes() const { return ShapeRecord; }
    // The texts whose rectangle's centre lies inside `area`, in drawing order.
    std::vector<TDrawnText> TextsIn(const QRect& area) const;
    QStringList TextListIn(const QRect& area) const;
    // The first text drawn with exactly this content, or none.
    const TDrawnText* Find(const QString& text) const;

protected:
    void DrawFrame(const QRect& r, const QColor& color) override;
    void DrawText(const TDrawnText& text, const QFont* font, const QPointF& origin) override;

private:
    std::vector<TDrawnText> TextRecord;
    std::vector<TShape> ShapeRecord;
};

// The parts of a table cell the views share: the upper and lower line of a
// two-line cell (36 pixels high), and a number's box, right-aligned 8 pixels
// inside the right border.
namespace cellbox {
inline QRect Top(const QRect& b) {
    return TTableCanvas::Box(b.left(), b.top(), b.left() + b.width(), b.top() + 18);
}
inline QRect Bottom(const QRect& b) {
    return TTableCanvas::Box(b.left(), b.top() + 18, b.left() + b.width(), b.top() + 36);
}
inline QRect Inset(const QRect& b) {
    return TTableCanvas::Box(b.left(), b.top(), b.left() + b.width() - 8, b.top() + b.height());
}
} // namespace cellbox

// The line above a table that is published, in the view's text color.
struct TTableTitle {
    QString Text;
    QColor Color = Qt::black;
};

// One column of a table as a reader meets it: the part of the table's width
// it covers, [Left, Right), and its header cell (none for a column whose
// header the table does not paint; then Name says what the column holds).
struct TGridColumn {
    int Left = 0, Right = 0;
    QRect Header;
    QString Name;
};

// A table view: laid out when built, painted in any part on demand.
//
// It is also read cell by cell, by screen readers and the keyboard's cell
// cursor: rows of cells under one line of column headers. The layout says
// where its rows and columns lie; what a cell says is read off a recording
// of the paint of that cell, so the reader hears what the eye sees.
class TTableLayout {
public:
    virtual ~TTableLayout();
    // What the view shows, where and when, for the line above the table on a
    // saved picture, a copy and every printed page; none by default.
    virtual TTableTitle Title() const;
    // On a printed page that starts at `top` inside the table, paints what the
    // page's first line needs from the lines above it (the schedule: the
    // day's label beside the day's later games). Nothing by default.
    virtual void PaintPageHead(TTableCanvas& canvas, int top) const;
    // The whole table, for the scroll range and the picture's size.
    virtual QSize Size() const = 0;
    // The color under everything; painted by the surface before Paint.
    virtual QColor Background() const = 0;
    // Paints every part of the table that meets canvas.Area().
    virtual void Paint(TTableCanvas& canvas) const = 0;

    // What a reader hears the table called: its title by default.
    virtual QString GridName() const { return Title().Text; }
    // The rows a reader can move through, top to bottom; none by default.
    virtual int GridRows() const { return 0; }
    // The band of row `row` across the table (its left and right edges unused).
    virtual QRect GridRow(int row) const;
    int GridColumnCount() const { return static_cast<int>(GridColumns.size()); }
    const TGridColumn& GridColumn(int column) const { return GridColumns[static_cast<size_t>(column)]; }
    // Where a cell lies: its row's band across its column. Empty out of range.
    virtual QRect GridCell(int row, int column) const;
    // The cell (row, column) at a point of the table; -1, -1 for none.
    std::pair<int, int> GridCellAt(const QPoint& at) const;
    // What a column's header says: the texts painted in its header cell, or its name.
    QString GridHeader(int column) const;
    // What a cell says: its texts in drawing order, marks spelled out (SpokenText).
    virtual QString GridText(int row, int column) const;
    // The texts painted inside `r` (their rectangles' centres in it), joined by spaces.
    QString TextsIn(const QRect& r) const;

protected:
    std::vector<TGridColumn> GridColumns;
    // The columns of a table whose header is a line of framed cells: one per
    // frame painted in `band`, left to right, headed by that frame.
    void ColumnsFromFrames(const QRect& band);
};

// A text as a reader should hear it: the result marks as words (○ 勝, ● 負,
// △ 分), the rank arrows too (↑ 上昇, ↓ 下降, → 変わらず), names without
// their full-width padding (巨　　人 is 巨人).
QString SpokenText(const QString& text);

// The whole table painted onto a recording canvas (for the tests).
std::unique_ptr<TRecordingCanvas> RecordTable(const TTableLayout& table);

// The first of `rows` (rectangles top to bottom, as a table's rows are) that
// contains `at`, or -1. A binary search: tables can have many rows.
int RowAt(const std::vector<QRect>& rows, const QPoint& at);

// The size at which `text` fits `width` pixels: 9, lowered one point at a
// time, not below 1. Leaves the canvas at that size.
int FitFontSize(TTableCanvas& canvas, int width, const QString& text);
