#include "draw/TableCanvas.h"

#include <QCache>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>
#include <QThread>
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <optional>

namespace {

constexpr int kLargestSize = 72;

// The program's face; IPAPGothic stands in for it (metric-compatible).
QFont FontAt(int points) {
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))));
    return font;
}

// A font with its metrics, whole pixels for fitting and exact ones for placing.
struct TFace {
    explicit TFace(const QFont& font) : Font(font), Metrics(font), Exact(font) {}

    // A text's exact advance, measured once: tables repeat their texts row
    // after row. The texts used least lately make room for new ones.
    qreal Advance(const QString& text) const {
        if (const qreal* known = Advances.object(text))
            return *known;
        const qreal advance = Exact.horizontalAdvance(text);
        Advances.insert(text, new qreal(advance));
        return advance;
    }

    QFont Font;
    QFontMetrics Metrics;
    QFontMetricsF Exact;
    mutable QCache<QString, qreal> Advances{20000};
};

// The faces by size, made once: a view measures every text it paints. One
// thread paints at a time.
const TFace& Face(int points) {
    static std::array<std::optional<TFace>, kLargestSize + 1> faces;
    const size_t at = static_cast<size_t>(std::clamp(points, 1, kLargestSize));
    if (!faces[at])
        faces[at].emplace(FontAt(static_cast<int>(at)));
    return *faces[at];
}

} // namespace

TTableCanvas::TTableCanvas(const QRect& area) : PaintArea(area), Font(Face(9).Font) {}

TTableCanvas::~TTableCanvas() = default;

std::pair<int, int> TTableCanvas::VisibleRows(int top, int pitch, int height, int count) const {
    if (count <= 0 || pitch <= 0)
        return {0, 0};
    // Row i covers [top + i * pitch, top + i * pitch + height).
    const long long above = static_cast<long long>(PaintArea.top()) - top - height + 1;
    const long long first = above <= 0 ? 0 : (above + pitch - 1) / pitch;
    const long long below = static_cast<long long>(PaintArea.bottom()) - top; // bottom() is inclusive
    const long long last = below < 0 ? 0 : below / pitch + 1;
    return {static_cast<int>(std::clamp<long long>(first, 0, count)),
            static_cast<int>(std::clamp<long long>(last, 0, count))};
}

void TTableCanvas::SetFontSize(int points) {
    Size = points;
    Font = Face(points).Font;
}

int TTableCanvas::TextWidth(const QString& text) const {
    return Face(Size).Metrics.horizontalAdvance(text);
}

namespace {

// Whether `text`, `advance` pixels wide, drawn in a rectangle `width` wide
// keeps all its ink inside: its advance fits, or what overflows on the
// side(s) the alignment pushes it to is only the glyphs' empty bearing.
bool Fits(const QFontMetrics& metrics, const QString& text, int advance, int width, TAlign align) {
    const int over = advance - width;
    if (over <= 0 || text.isEmpty())
        return over <= 0;
    const int left = std::max(0, metrics.leftBearing(text.front()));
    const int right = std::max(0, metrics.rightBearing(text.back()));
    switch (align) {
    case TAlign::Left:
        return right >= over;
    case TAlign::Right:
        return left >= over;
    case TAlign::Center:
        return left >= (over + 1) / 2 && right >= over / 2;
    }
    return false;
}

} // namespace

void TTableCanvas::Put(const QRect& r, const QString& text, TAlign align, bool top) {
    if (!Shows(r))
        return; // outside what is painted: neither drawn nor recorded
    if (text.isEmpty()) {
        DrawText({text, r, Size, TextColor, align}, nullptr, QPointF());
        return;
    }
    // The largest size from the current one down that fits the width.
    int size = Size;
    qreal width = Face(size).Advance(text);
    while (size > 1 && !Fits(Face(size).Metrics, text, qRound(width), r.width(), align))
        width = Face(--size).Advance(text);
    // Placed as a single line aligned in the rectangle would be.
    const QFontMetricsF& exact = Face(size).Exact;
    const qreal x = align == TAlign::Left    ? r.left()
                    : align == TAlign::Right ? r.left() + r.width() - width
                                             : r.left() + (r.width() - width) / 2;
    const qreal y =
        top ? r.top() + exact.ascent() : r.top() + (r.height() - exact.ascent() - exact.descent()) / 2 + exact.ascent();
    DrawText({text, r, size, TextColor, align}, &Face(size).Font, QPointF(x, y));
}

void TTableCanvas::Text(const QRect& r, const QString& text, TAlign align) {
    Put(r, text, align, false);
}

void TTableCanvas::TextTopLeft(const QRect& r, const QString& text) {
    Put(r, text, TAlign::Left, true);
}

// Painting.

namespace {

// The pixels a line of this width may touch.
QRect LineExtent(int x1, int y1, int x2, int y2, int width) {
    return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)))
        .adjusted(-width, -width, width, width);
}

} // namespace

TPainterCanvas::TPainterCanvas(QPainter& painter, const QRect& exposed)
    : TTableCanvas(exposed.adjusted(-kInkReach, -kInkReach, kInkReach, kInkReach)), P(painter) {}

void TPainterCanvas::Fill(const QRect& r, const QColor& color) {
    if (Shows(r))
        P.fillRect(r, color);
}

void TPainterCanvas::Frame(const QRect& r, const QColor& color) {
    if (r.width() <= 0 || r.height() <= 0 || !Shows(r))
        return;
    P.setPen(QPen(color, 1));
    P.setBrush(Qt::NoBrush);
    P.drawRect(r.adjusted(0, 0, -1, -1));
}

void TPainterCanvas::Line(int x1, int y1, int x2, int y2, int width, const QColor& color) {
    if (!Shows(LineExtent(x1, y1, x2, y2, width)))
        return;
    P.save();
    P.setRenderHint(QPainter::Antialiasing);
    P.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
    P.drawLine(x1, y1, x2, y2);
    P.restore();
}

void TPainterCanvas::Stretch(const QRect& r, const QImage& picture) {
    if (picture.isNull() || !Shows(r))
        return;
    P.save();
    P.setRenderHint(QPainter::SmoothPixmapTransform);
    P.drawImage(r, picture);
    P.restore();
}

namespace {

// A text shaped once into glyphs, with the baseline's height in its layout.
struct TShaped {
    QList<QGlyphRun> Runs;
    qreal Ascent = 0;
};

// Shaping is most of what drawing a text costs, and a table draws the same
// few hundred texts (names, scores, marks, dates) over and over. The cache
// counts what it holds in glyphs, and the texts drawn least lately make room
// for new ones. Glyph runs hold fonts of the thread that made them, so every
// painting thread keeps its own: a painting thread's go when it ends, the
// main thread's are dropped with the application, while its fonts still exist.
using TShapedCache = QCache<std::pair<int, QString>, TShaped>;
constexpr qsizetype kShapedGlyphs = 200000;

TShapedCache& ShapedCache() {
    thread_local TShapedCache cache(kShapedGlyphs);
    thread_local const bool dropped = [] {
        const QCoreApplication* app = QCoreApplication::instance();
        if (app && app->thread() == QThread::currentThread())
            qAddPostRoutine([] { ShapedCache().clear(); });
        return true;
    }();
    (void)dropped;
    return cache;
}

TShaped Shape(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    TShaped shaped;
    if (line.isValid()) {
        shaped.Runs = line.glyphRuns();
        shaped.Ascent = line.ascent();
    }
    return shaped;
}

// The text at `size` shaped, from the cache or shaped now and kept there; a
// text with more glyphs than the whole cache holds is shaped into `spare`.
const TShaped& Shaped(const QString& text, int size, const QFont& font, TShaped& spare) {
    TShapedCache& cache = ShapedCache();
    std::pair<int, QString> key(size, text);
    if (const TShaped* known = cache.object(key))
        return *known;
    auto shaped = std::make_unique<TShaped>(Shape(text, font));
    qsizetype glyphs = 1;
    for (const QGlyphRun& run : shaped->Runs)
        glyphs += run.glyphIndexes().size();
    if (glyphs > cache.maxCost()) {
        spare = std::move(*shaped);
        return spare;
    }
    TShaped* kept = shaped.release();
    cache.insert(std::move(key), kept, glyphs); // takes it, and drops others to make room
    return *kept;
}

} // namespace

void TPainterCanvas::DrawText(const TDrawnText& text, const QFont* font, const QPointF& origin) {
    if (!font)
        return;
    P.setPen(text.Color);
    // It fits its width; glyphs reaching a little above or below stay whole.
    TShaped spare;
    const TShaped& shaped = Shaped(text.Text, text.Size, *font, spare);
    const QPointF at(origin.x(), origin.y() - shaped.Ascent);
    for (const QGlyphRun& run : shaped.Runs)
        P.drawGlyphRun(at, run);
}

// Recording.

TRecordingCanvas::TRecordingCanvas(const QRect& area) : TTableCanvas(area) {}

void TRecordingCanvas::Fill(const QRect& r, const QColor& color) {
    if (Shows(r))
        ShapeRecord.push_back({TShape::Fill, r, color});
}

void TRecordingCanvas::Frame(const QRect& r, const QColor& color) {
    if (Shows(r))
        ShapeRecord.push_back({TShape::Frame, r, color});
}

void TRecordingCanvas::Line(int x1, int y1, int x2, int y2, int width, const QColor& color) {
    if (Shows(LineExtent(x1, y1, x2, y2, width)))
        ShapeRecord.push_back({TShape::Line, QRect(QPoint(x1, y1), QPoint(x2, y2)), color});
}

void TRecordingCanvas::Stretch(const QRect& r, const QImage& picture) {
    if (!picture.isNull() && Shows(r))
        ShapeRecord.push_back({TShape::Picture, r, QColor()});
}

void TRecordingCanvas::DrawText(const TDrawnText& text, const QFont*, const QPointF&) {
    TextRecord.push_back(text);
}

std::vector<TDrawnText> TRecordingCanvas::TextsIn(const QRect& area) const {
    std::vector<TDrawnText> found;
    for (const TDrawnText& t : TextRecord)
        if (area.contains(t.Rect.center()))
            found.push_back(t);
    return found;
}

QStringList TRecordingCanvas::TextListIn(const QRect& area) const {
    QStringList texts;
    for (const TDrawnText& t : TextsIn(area))
        texts << t.Text;
    return texts;
}

const TDrawnText* TRecordingCanvas::Find(const QString& text) const {
    for (const TDrawnText& t : TextRecord)
        if (t.Text == text)
            return &t;
    return nullptr;
}

TTableLayout::~TTableLayout() = default;

std::unique_ptr<TRecordingCanvas> RecordTable(const TTableLayout& table) {
    auto canvas = std::make_unique<TRecordingCanvas>(QRect(QPoint(0, 0), table.Size()));
    table.Paint(*canvas);
    return canvas;
}

int RowAt(const std::vector<QRect>& rows, const QPoint& at) {
    // The first row reaching below the point; rows may overlap by a border.
    const auto below =
        std::partition_point(rows.begin(), rows.end(), [&](const QRect& r) { return r.top() + r.height() <= at.y(); });
    for (auto it = below; it != rows.end() && it->top() <= at.y(); ++it)
        if (it->contains(at))
            return static_cast<int>(it - rows.begin());
    return -1;
}

int FitFontSize(TTableCanvas& canvas, int width, const QString& text) {
    canvas.SetFontSize(9);
    while (canvas.TextWidth(text) > width) {
        canvas.SetFontSize(canvas.FontSize() - 1);
        if (canvas.FontSize() <= 1)
            break;
    }
    return canvas.FontSize();
}
