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
constexpr int kUnbounded = 1 << 28; // no line above or below
constexpr int kLineHeight = 18;     // a table's line of text

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

    // The pixels a text's ink darkens, drawn with its baseline's left end at
    // (0, 0) as the canvas draws it: found by drawing it, since hinting moves
    // the edges of the outlines by up to a pixel (and the font's own glyph
    // boxes are whole ems for the Japanese glyphs). Empty for a text of blanks.
    //
    // On a surface of `ratio` device pixels to a table pixel the glyphs are
    // drawn at the device's size, and hinted there: the ink is found at that
    // ratio, in device pixels, and given as the table pixels it touches. A
    // whole-pixel origin lands between device pixels at a ratio like 1.5, so
    // there every position a glyph can be drawn at counts.
    QRect Ink(const QString& text, qreal ratio) const {
        const std::pair<int, QString> key(RatioKey(ratio), text);
        if (const QRect* known = Inks.object(key))
            return *known;
        QTextLayout layout(text, Font);
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        QRect ink;
        if (line.isValid()) {
            const bool whole = std::abs(ratio - std::round(ratio)) < 1e-6;
            const std::array<qreal, 4> phases{0, 0.25, 0.5, 0.75};
            int left = kUnbounded, right = -kUnbounded, top = kUnbounded, bottom = -kUnbounded;
            for (size_t i = 0; i < (whole ? 1 : phases.size()); ++i) {
                const TInkSpan span = InkAt(line, ratio, phases[i]);
                if (span.Right <= span.Left)
                    break; // blanks
                left = std::min(left, span.Left);
                right = std::max(right, span.Right);
                top = std::min(top, span.Top);
                bottom = std::max(bottom, span.Bottom);
            }
            if (right > left)
                ink = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
        }
        Inks.insert(key, new QRect(ink));
        return ink;
    }

    // Ratios as the cache tells them apart.
    static int RatioKey(qreal ratio) { return static_cast<int>(std::lround(ratio * 64)); }

    // The table pixels [Left, Right) x [Top, Bottom) around the origin that
    // the ink touches, drawn at `ratio` with the origin `phase` of a device
    // pixel past a device pixel's edge.
    struct TInkSpan {
        int Left = 0, Right = 0, Top = 0, Bottom = 0;
    };
    TInkSpan InkAt(const QTextLine& line, qreal ratio, qreal phase) const {
        // Room around the line for glyphs standing out of it.
        const int pad = static_cast<int>(std::ceil(Metrics.height() * ratio));
        QImage image(static_cast<int>(std::ceil(line.naturalTextWidth() * ratio)) + 2 * pad + 1,
                     static_cast<int>(std::ceil(line.height() * ratio)) + 2 * pad + 1, QImage::Format_Alpha8);
        image.fill(0);
        image.setDevicePixelRatio(ratio);
        const qreal ox = pad + phase, oy = pad + std::ceil(line.ascent() * ratio) + phase; // device pixels
        {
            QPainter painter(&image);
            painter.setPen(Qt::black);
            for (const QGlyphRun& run : line.glyphRuns())
                painter.drawGlyphRun(QPointF(ox / ratio, oy / ratio - line.ascent()), run);
        }
        const int width = image.width(), height = image.height();
        int first = width, last = -1, high = height, low = -1;
        for (int y = 0; y < height; ++y) {
            const uchar* row = image.constScanLine(y);
            for (int x = 0; x < width; ++x)
                if (row[x] != 0) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                    high = std::min(high, y);
                    low = std::max(low, y);
                }
        }
        if (last < 0)
            return {};
        // Device pixel d covers table pixels [d / ratio, (d + 1) / ratio) from the origin.
        constexpr qreal kSlack = 1e-6;
        auto down = [&](qreal d, qreal o) { return static_cast<int>(std::floor((d - o) / ratio + kSlack)); };
        auto up = [&](qreal d, qreal o) { return static_cast<int>(std::ceil((d - o) / ratio - kSlack)); };
        return {down(first, ox), up(last + 1, ox), down(high, oy), up(low + 1, oy)};
    }

    QFont Font;
    QFontMetrics Metrics;
    QFontMetricsF Exact;
    mutable QCache<QString, qreal> Advances{20000};
    mutable QCache<std::pair<int, QString>, QRect> Inks{20000};
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

void TTableCanvas::Frame(const QRect& r, const QColor& color) {
    RecentFrames[FramesSeen++ % kRecent] = r;
    DrawFrame(r, color);
}

TTableCanvas::TInkRoom TTableCanvas::InkRoom(const QRect& r) const {
    TInkRoom room{r.left(), r.left() + r.width(), -kUnbounded, kUnbounded};
    // A line of a cell at (or within two pixels of) an edge: the paper is counted from it.
    const QPoint middle = r.center();
    for (size_t i = 0; i < std::min(FramesSeen, kRecent); ++i) {
        const QRect& f = RecentFrames[i];
        if (middle.y() >= f.top() && middle.y() <= f.bottom())
            for (const int line : {f.left(), f.right()}) {
                if (std::abs(line - r.left()) <= kPaper)
                    room.Left = std::max(room.Left, line + 1 + kPaper);
                if (std::abs(line - r.right()) <= kPaper)
                    room.Right = std::min(room.Right, line - kPaper);
            }
        // A frame lower than a line of text is a switch whose digit fills it.
        if (f.height() >= kLineHeight && middle.x() >= f.left() && middle.x() <= f.right())
            for (const int line : {f.top(), f.bottom()}) {
                if (std::abs(line - r.top()) <= kPaper)
                    room.Top = std::max(room.Top, line + 1 + kPaper);
                if (std::abs(line - r.bottom()) <= kPaper)
                    room.Bottom = std::min(room.Bottom, line - kPaper);
            }
    }
    // A text written just before in the rectangle beside this one, on the same
    // line: its ink is a line too.
    for (size_t i = 0; i < std::min(TextsSeen, kRecent); ++i) {
        const TInked& t = RecentTexts[i];
        if (t.Ink.isEmpty() || t.Ink.top() > r.bottom() || t.Ink.bottom() < r.top())
            continue;
        if (t.Rect.left() + t.Rect.width() == r.left())
            room.Left = std::max(room.Left, t.Ink.right() + 1 + kPaper);
        if (t.Rect.left() == r.left() + r.width())
            room.Right = std::min(room.Right, t.Ink.left() - kPaper);
    }
    return room;
}

namespace {

// Where a text `advance` pixels wide starts in `r`, on a whole pixel.
int AlignedLeft(const QRect& r, qreal advance, TAlign align) {
    const qreal x = align == TAlign::Left    ? r.left()
                    : align == TAlign::Right ? r.left() + r.width() - advance
                                             : r.left() + (r.width() - advance) / 2;
    return static_cast<int>(std::floor(x + 0.5));
}

// The pixels [first, last) of `ink` (a span of `Ink`) drawn from `at`.
std::pair<int, int> Pixels(int first, int last, int at) {
    return last > first ? std::pair(at + first, at + last) : std::pair(at, at);
}

// How far to move pixels [first, last) to lie inside [from, to): the start
// wins when they cannot.
int Into(int first, int last, int from, int to) {
    if (first < from || last - first > to - from)
        return from - first;
    return last > to ? to - last : 0;
}

} // namespace

void TTableCanvas::Put(const QRect& r, const QString& text, TAlign align, bool top) {
    if (!Shows(r))
        return; // outside what is painted: neither drawn nor recorded
    if (text.isEmpty()) {
        DrawText({text, r, Size, TextColor, align}, nullptr, QPointF());
        return;
    }
    // Where the text starts and where its baseline lies at a size, as a
    // single line aligned in the rectangle would be placed.
    auto placed = [&](const TFace& face) {
        const QFontMetricsF& exact = face.Exact;
        const qreal centred = r.top() + (r.height() - exact.ascent() - exact.descent()) / 2 + exact.ascent();
        return QPoint(AlignedLeft(r, face.Advance(text), align),
                      static_cast<int>(std::floor((top ? r.top() + exact.ascent() : centred) + 0.5)));
    };
    // The pixels its ink takes there: columns and rows.
    struct TSpans {
        std::pair<int, int> Columns, Rows;
    };
    auto inked = [&](const TFace& face, const QPoint& at) {
        const QRect ink = face.Ink(text, Ratio);
        return TSpans{Pixels(ink.left(), ink.left() + ink.width(), at.x()),
                      Pixels(ink.top(), ink.top() + ink.height(), at.y())};
    };
    // The largest size from the current one down whose ink fits the room.
    const TInkRoom room = InkRoom(r);
    int size = Size;
    QPoint at;
    TSpans ink;
    for (;; --size) {
        at = placed(Face(size));
        ink = inked(Face(size), at);
        if (size <= 1 || (ink.Columns.second - ink.Columns.first <= room.Right - room.Left &&
                          ink.Rows.second - ink.Rows.first <= room.Bottom - room.Top))
            break;
    }
    // Then moved inside the room (its start wins when even the smallest size
    // is too wide; a text too tall stays centred).
    const TFace& face = Face(size);
    const int x = at.x() + Into(ink.Columns.first, ink.Columns.second, room.Left, room.Right);
    const bool low = ink.Rows.second - ink.Rows.first <= room.Bottom - room.Top;
    const int y = at.y() + (low ? Into(ink.Rows.first, ink.Rows.second, room.Top, room.Bottom) : 0);
    RecentTexts[TextsSeen++ % kRecent] = {
        r, QRect(QPoint(ink.Columns.first, ink.Rows.first) + QPoint(x - at.x(), y - at.y()),
                 QPoint(ink.Columns.second - 1, ink.Rows.second - 1) + QPoint(x - at.x(), y - at.y()))};
    DrawText({text, r, size, TextColor, align}, &face.Font, QPointF(x, y));
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
    : TTableCanvas(exposed.adjusted(-kInkReach, -kInkReach, kInkReach, kInkReach)), P(painter) {
    // The device's own ratio, under a painter that only moves the origin.
    const QTransform& world = P.worldTransform();
    const qreal ratio = P.device() ? P.device()->devicePixelRatio() : 1;
    if (world.type() <= QTransform::TxTranslate && !P.viewTransformEnabled() && ratio > 0 &&
        std::abs(ratio - 1) > 1e-6) {
        SetDeviceRatio(ratio);
        Snapped = true;
        Shift = QPointF(world.dx(), world.dy());
    }
}

QRect TPainterCanvas::DeviceBox(int left, int top, int right, int bottom) const {
    // The device pixel a table pixel's edge falls on, rounded the same way
    // for every edge: boxes that share an edge share its device pixel.
    const qreal ratio = DeviceRatio();
    auto x = [&](int v) { return static_cast<int>(std::floor((v + Shift.x()) * ratio + 0.5)); };
    auto y = [&](int v) { return static_cast<int>(std::floor((v + Shift.y()) * ratio + 0.5)); };
    return Box(x(left), y(top), x(right), y(bottom));
}

void TPainterCanvas::FillDevice(const QRect& device, const QColor& color) {
    if (device.isEmpty())
        return;
    P.save();
    P.resetTransform();
    P.scale(1 / DeviceRatio(), 1 / DeviceRatio()); // device pixels
    P.fillRect(device, color);
    P.restore();
}

void TPainterCanvas::Fill(const QRect& r, const QColor& color) {
    if (!Shows(r))
        return;
    if (Snapped)
        FillDevice(DeviceBox(r.left(), r.top(), r.left() + r.width(), r.top() + r.height()), color);
    else
        P.fillRect(r, color);
}

void TPainterCanvas::DrawFrame(const QRect& r, const QColor& color) {
    if (r.width() <= 0 || r.height() <= 0 || !Shows(r))
        return;
    if (Snapped) {
        // Each edge one device pixel wide, from corner to corner of the frame.
        const QRect whole = DeviceBox(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
        const QRect last =
            DeviceBox(r.left() + r.width() - 1, r.top() + r.height() - 1, r.left() + r.width(), r.top() + r.height());
        const int right = std::max(last.left(), whole.left()), bottom = std::max(last.top(), whole.top());
        FillDevice(Box(whole.left(), whole.top(), right + 1, whole.top() + 1), color);
        FillDevice(Box(whole.left(), bottom, right + 1, bottom + 1), color);
        FillDevice(Box(whole.left(), whole.top(), whole.left() + 1, bottom + 1), color);
        FillDevice(Box(right, whole.top(), right + 1, bottom + 1), color);
        return;
    }
    P.setPen(QPen(color, 1));
    P.setBrush(Qt::NoBrush);
    P.drawRect(r.adjusted(0, 0, -1, -1));
}

void TPainterCanvas::Line(int x1, int y1, int x2, int y2, int width, const QColor& color) {
    if (!Shows(LineExtent(x1, y1, x2, y2, width)))
        return;
    if (width <= 1 && (x1 == x2 || y1 == y2)) {
        // Across or down the pixels from one end to the other, one device
        // pixel wide: crisp, where a pen would spread over two rows.
        const int left = std::min(x1, x2), top = std::min(y1, y2);
        const int right = std::max(x1, x2) + 1, bottom = std::max(y1, y2) + 1;
        if (!Snapped) {
            P.fillRect(x1 == x2 ? Box(left, top, left + 1, bottom) : Box(left, top, right, top + 1), color);
            return;
        }
        const QRect ends = DeviceBox(left, top, right, bottom);
        FillDevice(x1 == x2 ? Box(ends.left(), ends.top(), ends.left() + 1, ends.bottom() + 1)
                            : Box(ends.left(), ends.top(), ends.right() + 1, ends.top() + 1),
                   color);
        return;
    }
    if (Snapped && width <= 1) {
        P.save();
        P.setRenderHint(QPainter::Antialiasing);
        P.setPen(QPen(color, 0)); // cosmetic: one device pixel
        P.drawLine(x1, y1, x2, y2);
        P.restore();
        return;
    }
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

void TRecordingCanvas::DrawFrame(const QRect& r, const QColor& color) {
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

TTableTitle TTableLayout::Title() const {
    return {};
}

void TTableLayout::PaintPageHead(TTableCanvas&, int) const {}

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
