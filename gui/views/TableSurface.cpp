#include "gui/views/TableSurface.h"

#include "gui/views/TableAccessible.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <algorithm>

TTableSurface::TTableSurface(QWidget* parent) : QWidget(parent) {
    // Every pixel is painted in paintEvent: nothing to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    InstallTableAccessibility();
}

void TTableSurface::SetTable(const TTableLayout* table) {
    Shown = table;
    const QSize size = table ? table->Size() : QSize(0, 0);
    resize(size.expandedTo(QSize(1, 1)));
    if (table && table->GridRows() > 0 && table->GridColumnCount() > 0) {
        Row = std::clamp(Row, 0, table->GridRows() - 1);
        Column = std::clamp(Column, 0, table->GridColumnCount() - 1);
    } else {
        Row = Column = -1;
    }
    TableAccessibleReset(this);
    update();
}

void TTableSurface::MoveCellCursor(int row, int column) {
    if (!Shown || Shown->GridRows() <= 0 || Shown->GridColumnCount() <= 0)
        return;
    row = std::clamp(row, 0, Shown->GridRows() - 1);
    column = std::clamp(column, 0, Shown->GridColumnCount() - 1);
    update(CursorFrame());
    Row = row;
    Column = column;
    const QRect cell = CursorFrame();
    update(cell);
    // Into view, with a margin; a cell wider than the view shows its left end.
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* box = qobject_cast<QScrollArea*>(w)) {
            box->ensureVisible(cell.center().x(), cell.center().y(), std::min(cell.width() / 2 + 4, 200),
                               cell.height() / 2 + 4);
            break;
        }
    TableAccessibleCursorMoved(this);
    emit CursorMoved(Row, Column);
}

QRect TTableSurface::CursorFrame() const {
    if (!Shown || Row < 0 || Column < 0)
        return {};
    return Shown->GridCell(Row, Column);
}

int TTableSurface::RowsPerPage() const {
    if (!Shown || Shown->GridRows() <= 0)
        return 1;
    const int pitch = std::max(Shown->GridRow(0).height() - 1, 1);
    QWidget* viewport = parentWidget();
    const int visible = viewport ? viewport->height() : height();
    return std::max(visible / pitch - 1, 1);
}

void TTableSurface::keyPressEvent(QKeyEvent* event) {
    if (Row < 0 || !Shown) {
        QWidget::keyPressEvent(event);
        return;
    }
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int lastRow = Shown->GridRows() - 1, lastColumn = Shown->GridColumnCount() - 1;
    switch (event->key()) {
    case Qt::Key_Up:
        MoveCellCursor(Row - 1, Column);
        break;
    case Qt::Key_Down:
        MoveCellCursor(Row + 1, Column);
        break;
    case Qt::Key_Left:
        MoveCellCursor(Row, Column - 1);
        break;
    case Qt::Key_Right:
        MoveCellCursor(Row, Column + 1);
        break;
    case Qt::Key_Home:
        MoveCellCursor(ctrl ? 0 : Row, 0);
        break;
    case Qt::Key_End:
        MoveCellCursor(ctrl ? lastRow : Row, lastColumn);
        break;
    case Qt::Key_PageUp:
        MoveCellCursor(Row - RowsPerPage(), Column);
        break;
    case Qt::Key_PageDown:
        MoveCellCursor(Row + RowsPerPage(), Column);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit CellActivated(Row, Column);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TTableSurface::focusInEvent(QFocusEvent* event) {
    update(CursorFrame());
    TableAccessibleCursorMoved(this);
    QWidget::focusInEvent(event);
}

void TTableSurface::focusOutEvent(QFocusEvent* event) {
    update(CursorFrame());
    QWidget::focusOutEvent(event);
}

void TTableSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    if (!Shown) {
        painter.fillRect(area, palette().window());
        return;
    }
    painter.fillRect(area, Shown->Background());
    {
        TPainterCanvas canvas(painter, area);
        Shown->Paint(canvas);
    }
    const QRect frame = CursorFrame();
    if (hasFocus() && frame.intersects(area)) {
        // Two pixels wide, on the cell's border and just inside it: texts keep
        // their ink further in, so the frame never covers a figure. Filled
        // pixel by pixel, it stays inside the cell on a screen at 150% or
        // 200% (a pen there straddles the edge, and moving the cursor away
        // would leave a sliver of it outside the part repainted).
        const QColor highlight = palette().color(QPalette::Highlight);
        for (const QRect& r : {frame, frame.adjusted(1, 1, -1, -1)}) {
            painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), highlight);
            painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), highlight);
            painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), highlight);
            painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), highlight);
        }
    }
}
