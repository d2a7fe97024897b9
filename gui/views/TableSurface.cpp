#include "gui/views/TableSurface.h"

#include <QPaintEvent>
#include <QPainter>

TTableSurface::TTableSurface(QWidget* parent) : QWidget(parent) {
    // Every pixel is painted in paintEvent: nothing to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TTableSurface::SetTable(const TTableLayout* table) {
    Shown = table;
    const QSize size = table ? table->Size() : QSize(0, 0);
    resize(size.expandedTo(QSize(1, 1)));
    update();
}

void TTableSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    if (!Shown) {
        painter.fillRect(area, palette().window());
        return;
    }
    painter.fillRect(area, Shown->Background());
    TPainterCanvas canvas(painter, area);
    Shown->Paint(canvas);
}
