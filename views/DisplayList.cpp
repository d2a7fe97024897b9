#include "DisplayList.h"

void TDisplayList::Add(TDrawItem item) {
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
    for (const TDrawItem& item : List) {
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
