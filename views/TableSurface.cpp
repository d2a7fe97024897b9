#include "TableSurface.h"

#include <QPaintEvent>
#include <QPainter>

TTableSurface::TTableSurface(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TTableSurface::SetTable(const QSize& size, const QColor& background, TPaint paint) {
    Paint = std::move(paint);
    Background = background;
    resize(size.expandedTo(QSize(1, 1)));
    update();
}

void TTableSurface::paintEvent(QPaintEvent* event) {
    QPainter screen(this);
    for (const QRect& area : event->region()) {
        TTableCanvas canvas(area, Background);
        if (Paint)
            Paint(canvas, area);
        screen.drawImage(area.topLeft(), canvas.Picture());
        Painted += static_cast<long long>(area.width()) * area.height();
    }
}
