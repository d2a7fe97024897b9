// TFmJuni: the standings ("勝敗表") of one district, one tab per district.
#pragma once

#include "JuniDrawing.h"
#include "ViewContext.h"
#include "controls/TabStrip.h"

#include <QWidget>

class QLabel;
class QScrollArea;

class TFmJuni : public QWidget {
    Q_OBJECT
public:
    TFmJuni(const TViewContext& view, int districtIndex, QWidget* parent = nullptr);

    TTabStrip* TabJuni; // tabs at the bottom, in as many rows as they need
    QScrollArea* ScrollBox1;
    QLabel* ImgJuni;

    int DisplayMode = 0;
    const TJuniDrawing& Drawing() const { return Current; }
    int TableDrawings() const { return DrawCount; } // how often the table was drawn
    const QImage& Image() const { return Current.Canvas->Picture(); }

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
    void ShowImage();

    TViewContext View;
    TJuniDrawing Current;
    int DrawCount = 0;
};
