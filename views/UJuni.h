// TFmJuni: the standings ("勝敗表") of one district, one tab per district.
#pragma once

#include "JuniDrawing.h"
#include "ViewContext.h"

#include <QWidget>
#include <memory>

class QScrollArea;
class QTabBar;
class TTableSurface;

class TFmJuni : public QWidget {
    Q_OBJECT
public:
    TFmJuni(const TViewContext& view, int districtIndex, QWidget* parent = nullptr);

    QTabBar* TabJuni;
    QScrollArea* ScrollBox1;
    TTableSurface* ImgJuni;

    int DisplayMode = 0;
    // The table shown (always one once the window has a district).
    const TJuniTable& Drawing() const { return *Current; }
    int TableDrawings() const { return DrawCount; } // how often the table was laid out anew

    void TabJuniChange(int index);
    void DrawTable(int mode);
    void ImgJuniMouseMove(const QPoint& at);
    void ImgJuniMouseUp(Qt::MouseButton button, const QPoint& at);

signals:
    // A team's picture or name was clicked: its index over the whole season.
    void TransitionRequested(int teamIndex);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    TViewContext View;
    std::unique_ptr<TJuniTable> Current;
    int DrawCount = 0;
};
