// The widget a table window shows its table on, inside a scroll area: as
// large as the table, painting only the rectangle that is exposed when it is
// shown, scrolled or resized. It keeps no picture of the table.
//
// It is also the table for the keyboard and for screen readers: a cell
// cursor moves over the table's grid (the arrows, Home/End, Page Up/Down,
// with Ctrl: to the table's first or last cell) and is drawn as a focus
// frame on the cell's border; Enter activates the cell. Readers see the
// surface as a table (TableAccessible.h) answered from the same grid.
#pragma once

#include "draw/TableCanvas.h"

#include <QWidget>

class TTableSurface : public QWidget {
    Q_OBJECT
public:
    explicit TTableSurface(QWidget* parent = nullptr);

    // Shows `table` (owned by the caller, alive while shown; none shows nothing)
    // and takes its size. Repaints what is visible. The cell cursor stays on
    // its row and column where the new table has them.
    void SetTable(const TTableLayout* table);
    const TTableLayout* Table() const { return Shown; }
    // Lets go of the table without a repaint: its owner is being destroyed
    // (the focus leaves the surface after that, and must not reach the table).
    void Release() {
        Shown = nullptr;
        Row = Column = -1;
    }
    // Repaints one part of the table, after the window changed what it holds.
    void Repaint(const QRect& area) { update(area); }

    // The cell under the cursor; -1, -1 when the table has no cells.
    int CursorRow() const { return Row; }
    int CursorColumn() const { return Column; }
    // Puts the cursor on a cell (clamped to the grid), scrolls it into view
    // and tells the window and the readers.
    void MoveCellCursor(int row, int column);

signals:
    // The cursor came to a cell (by a key, or by MoveCellCursor).
    void CursorMoved(int row, int column);
    // Enter on the cell under the cursor.
    void CellActivated(int row, int column);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The frame around the cursor's cell: its border line and the pixel
    // inside, where no text's ink ever reaches.
    QRect CursorFrame() const;
    // How many rows of the table fit the visible height, at least one.
    int RowsPerPage() const;

    const TTableLayout* Shown = nullptr;
    int Row = -1, Column = -1;
};
