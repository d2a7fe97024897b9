// The widget a table window shows its table on, inside a scroll area: as
// large as the table, painting only the rectangle that is exposed when it is
// shown, scrolled or resized. It keeps no picture of the table.
#pragma once

#include "draw/TableCanvas.h"

#include <QWidget>

class TTableSurface : public QWidget {
    Q_OBJECT
public:
    explicit TTableSurface(QWidget* parent = nullptr);

    // Shows `table` (owned by the caller, alive while shown; none shows nothing)
    // and takes its size. Repaints what is visible.
    void SetTable(const TTableLayout* table);
    const TTableLayout* Table() const { return Shown; }
    // Repaints one part of the table, after the window changed what it holds.
    void Repaint(const QRect& area) { update(area); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TTableLayout* Shown = nullptr;
};
