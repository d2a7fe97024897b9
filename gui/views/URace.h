// TFmRace: the title race ("優勝争い") of one district, one tab per district:
// who has clinched first place or the top-K cut, who can still reach it and
// with how many wins, who is out and why.
#pragma once

#include "draw/RaceDrawing.h"
#include "draw/TablePicture.h"
#include "draw/ViewContext.h"
#include "gui/controls/TabStrip.h"

#include <QWidget>
#include <memory>

class QScrollArea;
class QSpinBox;
class TTableSurface;

class TFmRace : public QWidget, public ITableView {
    Q_OBJECT
public:
    TFmRace(const TViewContext& view, int districtIndex, QWidget* parent = nullptr);
    // The table as saved, copied and printed.
    TTablePicture Picture() const override;

    QSpinBox* UDCut;
    TTabStrip* TabRace; // tabs at the bottom, in as many rows as they need
    QScrollArea* ScrollBox1;
    TTableSurface* ImgRace;

    // The table shown (one once the window has a district).
    const TRaceTable* Drawing() const { return Current.get(); }

    void TabRaceChange(int index);
    void UDCutChange(int place);
    void DrawTable();
    void ImgRaceMouseMove(const QPoint& at);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    TViewContext View;
    std::unique_ptr<TRaceTable> Current;
};
