// A table read cell by cell: what the reader hears is recorded from the paint
// of the cell itself, so it can never drift from what the table shows.
#include "draw/TableCanvas.h"

#include <algorithm>

QRect TTableLayout::GridRow(int) const {
    return {};
}

QRect TTableLayout::GridCell(int row, int column) const {
    if (row < 0 || row >= GridRows() || column < 0 || column >= GridColumnCount())
        return {};
    const QRect band = GridRow(row);
    const TGridColumn& c = GridColumn(column);
    return TTableCanvas::Box(c.Left, band.top(), c.Right, band.top() + band.height());
}

std::pair<int, int> TTableLayout::GridCellAt(const QPoint& at) const {
    // Columns and rows run left to right and top to bottom, sharing a border
    // with their neighbours: the first that reaches past the point.
    const auto column = std::partition_point(GridColumns.begin(), GridColumns.end(),
                                             [&](const TGridColumn& c) { return c.Right <= at.x(); });
    if (column == GridColumns.end() || column->Left > at.x())
        return {-1, -1};
    int lo = 0, hi = GridRows();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        const QRect band = GridRow(mid);
        if (band.top() + band.height() <= at.y())
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo >= GridRows() || GridRow(lo).top() > at.y())
        return {-1, -1};
    return {lo, static_cast<int>(column - GridColumns.begin())};
}

QString TTableLayout::TextsIn(const QRect& r) const {
    if (r.isEmpty())
        return {};
    TRecordingCanvas canvas(r);
    Paint(canvas);
    return canvas.TextListIn(r).join(QLatin1Char(' '));
}

QString TTableLayout::GridHeader(int column) const {
    if (column < 0 || column >= GridColumnCount())
        return {};
    const TGridColumn& c = GridColumn(column);
    if (c.Header.isEmpty())
        return c.Name;
    // The header's own texts, and a group's title that spans it and its neighbours.
    TRecordingCanvas canvas(c.Header);
    Paint(canvas);
    QStringList texts;
    for (const TDrawnText& t : canvas.Texts()) {
        const int centre = t.Rect.left() + t.Rect.width() / 2;
        const bool own = centre >= c.Left && centre < c.Right && c.Header.contains(t.Rect.center());
        const bool spans = t.Rect.left() <= c.Left && t.Rect.left() + t.Rect.width() >= c.Right &&
                           t.Rect.top() >= c.Header.top() && t.Rect.bottom() <= c.Header.bottom();
        if ((own || spans) && !t.Text.isEmpty())
            texts << t.Text;
    }
    // Characters stacked one to a line (順 over 位) make one word.
    const bool stacked =
        texts.size() > 1 && std::all_of(texts.begin(), texts.end(), [](const QString& t) { return t.size() == 1; });
    const QString painted = SpokenText(texts.join(stacked ? QString() : QStringLiteral(" ")));
    return painted.isEmpty() ? c.Name : painted;
}

QString TTableLayout::GridText(int row, int column) const {
    return SpokenText(TextsIn(GridCell(row, column)));
}

void TTableLayout::ColumnsFromFrames(const QRect& band) {
    TRecordingCanvas canvas(band);
    Paint(canvas);
    // The header's lowest cells: the frames reaching the band's foot. A group's
    // title above some of them is read with each (GridHeader).
    const int foot = band.top() + band.height();
    std::vector<QRect> frames;
    for (const TRecordingCanvas::TShape& s : canvas.Shapes())
        if (s.Kind == TRecordingCanvas::TShape::Frame && s.Rect.top() >= band.top() &&
            s.Rect.top() + s.Rect.height() == foot)
            frames.push_back(s.Rect);
    std::sort(frames.begin(), frames.end(), [](const QRect& a, const QRect& b) { return a.left() < b.left(); });
    GridColumns.clear();
    for (const QRect& f : frames) {
        // Neighbouring frames share their border line.
        if (!GridColumns.empty() && f.left() < GridColumns.back().Right - 1)
            continue; // drawn twice
        const int right = f.left() + f.width();
        GridColumns.push_back({f.left(), right, TTableCanvas::Box(f.left(), band.top(), right, foot), {}});
    }
}

QString SpokenText(const QString& text) {
    static const std::pair<QChar, QString> kWords[] = {
        {QChar(0x25CB), QStringLiteral("勝")},       // ○
        {QChar(0x25CF), QStringLiteral("負")},       // ●
        {QChar(0x25B3), QStringLiteral("分")},       // △
        {QChar(0x2191), QStringLiteral("上昇")},     // ↑
        {QChar(0x2193), QStringLiteral("下降")},     // ↓
        {QChar(0x2192), QStringLiteral("変わらず")}, // →
    };
    QString spoken;
    spoken.reserve(text.size());
    for (const QChar ch : text) {
        if (ch == QChar(0x3000))
            continue; // the padding of names such as 巨　　人

        const auto* word =
            std::find_if(std::begin(kWords), std::end(kWords), [&](const auto& w) { return w.first == ch; });
        if (word != std::end(kWords))
            spoken += word->second;
        else
            spoken += ch;
    }
    return spoken;
}
