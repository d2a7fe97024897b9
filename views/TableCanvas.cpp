#include "TableCanvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>

namespace {

// The program's face; IPAPGothic stands in for it (metric-compatible).
QFont BaseFont() {
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setStyleHint(QFont::SansSerif);
    return font;
}

int PixelsFor(int points) {
    return std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0)));
}

} // namespace

TTableCanvas::TTableCanvas(int width, int height, const QColor& background)
    : Image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32), Background(background), Font(BaseFont()) {
    Image.fill(background);
    SetFontSize(9);
}

TTableCanvas::TTableCanvas(const QRect& area, const QColor& background)
    : TTableCanvas(area.width(), area.height(), background) {
    Origin = area.topLeft();
}

TTableCanvas::~TTableCanvas() {
    EndPaint();
}

QPainter& TTableCanvas::Paint() {
    if (!Painter) {
        Painter = std::make_unique<QPainter>(&Image);
        Painter->translate(-Origin);
    }
    return *Painter;
}

void TTableCanvas::EndPaint() const {
    Painter.reset();
}

const QImage& TTableCanvas::Picture() const {
    EndPaint();
    return Image;
}

void TTableCanvas::Fill(const QRect& r, const QColor& color) {
    Paint().fillRect(r, color);
}

void TTableCanvas::Frame(const QRect& r, const QColor& color) {
    if (r.width() <= 0 || r.height() <= 0)
        return;
    QPainter& p = Paint();
    p.setPen(QPen(color, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

void TTableCanvas::Line(int x1, int y1, int x2, int y2, int width, const QColor& color) {
    QPainter& p = Paint();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(x1, y1, x2, y2);
    p.restore();
}

void TTableCanvas::SetFontSize(int points) {
    Size = points;
    Font.setPixelSize(PixelsFor(points));
}

void TTableCanvas::Record(const QRect& r, const QString& text, TAlign align) {
    Drawn.push_back({text, r, Size, TextColor, align});
}

void TTableCanvas::Text(const QRect& r, const QString& text, TAlign align) {
    Record(r, text, align);
    const Qt::Alignment h = align == TAlign::Left     ? Qt::AlignLeft
                            : align == TAlign::Center ? Qt::AlignHCenter
                                                      : Qt::AlignRight;
    DrawClipped(r, text, int(h | Qt::AlignVCenter | Qt::TextSingleLine));
}

void TTableCanvas::TextTopLeft(const QRect& r, const QString& text) {
    Record(r, text, TAlign::Left);
    DrawClipped(r, text, int(Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine));
}

void TTableCanvas::DrawClipped(const QRect& r, const QString& text, int flags) {
    if (text.isEmpty() || r.width() <= 0 || r.height() <= 0)
        return;
    const QFontMetrics metrics(Font);
    if (metrics.horizontalAdvance(text) <= r.width() && metrics.height() <= r.height()) {
        // It fits: no clipping needed. (A clip costs in proportion to the
        // surface's height, and a season's table can be very tall.)
        QPainter& p = Paint();
        p.setFont(Font);
        p.setPen(TextColor);
        p.drawText(r, flags | Qt::TextDontClip, text);
        return;
    }
    // Too large: draw it on a tile of the rectangle's size, which clips it.
    QImage tile(r.size(), QImage::Format_ARGB32_Premultiplied);
    tile.fill(Qt::transparent);
    QPainter t(&tile);
    t.setFont(Font);
    t.setPen(TextColor);
    t.drawText(tile.rect(), flags, text);
    t.end();
    Paint().drawImage(r.topLeft(), tile);
}

int TTableCanvas::TextWidth(const QString& text) const {
    return QFontMetrics(Font).horizontalAdvance(text);
}

void TTableCanvas::Stretch(const QRect& r, const QImage& picture) {
    if (picture.isNull())
        return;
    QPainter& p = Paint();
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(r, picture);
    p.restore();
}

void TTableCanvas::Copy(const QRect& target, const TTableCanvas& source, const QPoint& sourceTopLeft) {
    Paint().drawImage(target.topLeft(), source.Picture(), QRect(sourceTopLeft, target.size()));
    // The copied area now shows the source's texts, moved to their new place.
    const QRect visible = target.intersected(Image.rect());
    std::erase_if(Drawn,
                  [&](const TDrawnText& t) { return visible.intersects(t.Rect) && visible.contains(t.Rect.center()); });
    const QPoint shift = target.topLeft() - sourceTopLeft;
    for (const TDrawnText& t : source.Drawn) {
        const QRect moved = t.Rect.translated(shift);
        if (QRect(target.topLeft(), target.size()).contains(moved.center()))
            Drawn.push_back({t.Text, moved, t.Size, t.Color, t.Align});
    }
}

void TTableCanvas::Resize(int width, int height) {
    EndPaint();
    QImage resized(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    resized.fill(Background);
    QPainter p(&resized);
    p.drawImage(0, 0, Image);
    p.end();
    Image = resized;
}

std::vector<TDrawnText> TTableCanvas::TextsIn(const QRect& area) const {
    std::vector<TDrawnText> found;
    for (const TDrawnText& t : Drawn)
        if (area.contains(t.Rect.center()))
            found.push_back(t);
    return found;
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
