// TFmJuni: the standings ("勝敗表") of one district, one tab per district.
#pragma once

#include "draw/TablePicture.h"

#include "draw/JuniDrawing.h"
#include "draw/ViewContext.h"
#include "gui/controls/TabStrip.h"

#include <QWidget>
#include <memory>

class QScrollArea;
class TTableSurface;

class TFmJuni : public QWidget, public ITableView {
    Q_OBJECT
public:
    TFmJuni(const TViewContext& view, int districtIndex, QWidget* parent = nullptr);
    // The whole table as one picture, to save, copy or print.
    TTablePicture Picture() const override;

    TTabStrip* TabJuni; // tabs at the bottom, in as many rows as they need
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
