// The widget a table view shows its table in, inside a scroll box: as large
// as the table, and painting only the part that is exposed, on demand. It
// keeps no picture of the table, so a long season costs what the screen shows.
#pragma once

#include "TableCanvas.h"

#include <QWidget>
#include <functional>

class TTableSurface : public QWidget {
    Q_OBJECT
public:
    // Paints the part `area` of the table (table coordinates) on the canvas.
    using TPaint = std::function<void(TTableCanvas& canvas, const QRect& area)>;

    explicit TTableSurface(QWidget* parent = nullptr);
    // Shows a new table of this size on this background.
    void SetTable(const QSize& size, const QColor& background, TPaint paint);
    // Every pixel painted so far (for the tests: what scrolling costs).
    long long PaintedPixels() const { return Painted; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TPaint Paint;
    QColor Background;
    long long Painted = 0;
};
