#include "draw/DisplayList.h"

#include <algorithm>

void TDisplayList::Add(TDrawItem item) {
    if (item.Rect.isEmpty())
        return;
    const size_t first = static_cast<size_t>(std::max(item.Rect.top(), 0) / kBand);
    const size_t last = static_cast<size_t>(std::max(item.Rect.bottom(), 0) / kBand);
    if (Bands.size() <= last)
        Bands.resize(last + 1);
    for (size_t b = first; b <= last; ++b)
        Bands[b].push_back(static_cast<int>(List.size()));
    List.push_back(std::move(item));
}

void TDisplayList::Fill(const QRect& r, const QColor& color) {
    Add({TDrawItem::TKind::Fill, TAlign::Left, 0, -1, r, color, {}});
}

void TDisplayList::Frame(const QRect& r, const QColor& color) {
    Add({TDrawItem::TKind::Frame, TAlign::Left, 0, -1, r, color, {}});
}

void TDisplayList::Text(const QRect& r, const QString& text, int size, const QColor& color, TAlign align) {
    if (!text.isEmpty())
        Add({TDrawItem::TKind::Text, align, static_cast<int8_t>(size), -1, r, color, text});
}

void TDisplayList::Picture(const QRect& r, const QImage& picture) {
    if (picture.isNull())
        return;
    Pictures.push_back(picture);
    Add({TDrawItem::TKind::Picture, TAlign::Left, 0, static_cast<int>(Pictures.size()) - 1, r, {}, {}});
}

void TDisplayList::Paint(TTableCanvas& canvas) const {
    const QRect& area = canvas.Area();
    if (area.isEmpty() || Bands.empty())
        return;
    // The items of the bands the area meets, once each, in drawing order.
    const size_t first = static_cast<size_t>(std::max(area.top(), 0) / kBand);
    const size_t last = std::min(static_cast<size_t>(std::max(area.bottom(), 0) / kBand), Bands.size() - 1);
    std::vector<int> items;
    for (size_t b = first; b <= last; ++b)
        items.insert(items.end(), Bands[b].begin(), Bands[b].end());
    std::sort(items.begin(), items.end());
    items.erase(std::unique(items.begin(), items.end()), items.end());
    for (int index : items) {
        const TDrawItem& item = List[static_cast<size_t>(index)];
        if (!canvas.Shows(item.Rect))
            continue;
        switch (item.Kind) {
        case TDrawItem::TKind::Fill:
            canvas.Fill(item.Rect, item.Color);
            break;
        case TDrawItem::TKind::Frame:
            canvas.Frame(item.Rect, item.Color);
            break;
        case TDrawItem::TKind::Text:
            canvas.SetFontSize(item.Size);
            canvas.SetFontColor(item.Color);
            canvas.Text(item.Rect, item.Text, item.Align);
            break;
        case TDrawItem::TKind::Picture:
            canvas.Stretch(item.Rect, Pictures[static_cast<size_t>(item.Picture)]);
            break;
        }
    }
}
