// TTableWindow: what every table window is made of. The table sits on a
// surface (TTableSurface) inside the scroll area ScrollBox1, with the tab strip
// below it; a window may put a summary pane above the table, in a splitter.
// The wheel, and the registered wheel message, scroll ScrollBox1 one line per
// notch wherever they turn over the window. The scroll areas take the view's
// background, and the picture to save, copy or print is the table shown,
// under the line that says what it is.
//
// A window adds what is its own: the layout it shows, what its tabs mean and
// what a click on the table does (SurfaceMouseMove, SurfaceMouseUp). The
// keyboard reaches the same: the table takes the focus with the window, its
// cell cursor's moves and Enter act as the pointer over and a click on the
// cell's centre (CellCursorMoved, CellActivated), and Ctrl+Tab turns the tabs.
#pragma once

#include "draw/TablePicture.h"
#include "draw/ViewContext.h"

#include <QStringList>
#include <QWidget>
#include <vector>

class QKeyEvent;
class QLayout;
class QScrollArea;
class QSplitter;
class TTabStrip;
class TTableSurface;

class TTableWindow : public QWidget, public ITableView {
    Q_OBJECT
public:
    // The table shown on ScrollBox1, as one picture; an empty one before any.
    // Its title is the table's own (TTableLayout::Title), or the window's
    // caption for a table that gives none.
    TTablePicture Picture() const override;

    QScrollArea* ScrollBox1 = nullptr; // the table

    // The tables the window made are gone by now: the surfaces let go of them.
    ~TTableWindow() override;

    // Ctrl+Tab and Ctrl+Shift+Tab: the next or previous tab of the window's
    // strip, round at either end. False for any other key, or without tabs.
    bool TurnTab(const QKeyEvent& key);

protected:
    // Deleted when it is closed.
    TTableWindow(const TViewContext& view, QWidget* parent);

    // ScrollBox1 and the surface of the table inside it. `parent` is the
    // window, or none when the box goes into a splitter.
    TTableSurface* AddTable(QWidget* parent);
    // A pane that is not the table (a summary): `box` and the surface in it.
    // The wheel over it is the pane's own.
    TTableSurface* AddPane(QScrollArea*& box);
    // `summary` above ScrollBox1, split by a thin bar; neither ever collapses.
    QSplitter* SplitBelow(QScrollArea* summary);
    // The summary pane takes `height` and ScrollBox1 the rest, when the two
    // have more than `height` between them.
    static void FitSummary(QSplitter* splitter, int height);
    // The pointer's moves over `surface` and the releases on it reach
    // SurfaceMouseMove and SurfaceMouseUp.
    void TrackMouse(TTableSurface* surface);

    // The tab strip at the bottom, with a tab per caption and tab `index`
    // (clamped to the tabs) current.
    TTabStrip* AddTabs(const QStringList& captions, int index);
    // League and district name of every district of the season, in order.
    QStringList DistrictCaptions() const;
    // The window's column: `bar` (none: no bar) above `body`, the tabs (none:
    // no tabs) below.
    void LayOut(QLayout* bar, QWidget* body, TTabStrip* tabs);

    // Every scroll area takes the view's background as the settings give it now.
    void PaintBackground();

    virtual void SurfaceMouseMove(const QPoint& at);
    // True when the window took the release (nothing under the surface sees it).
    virtual bool SurfaceMouseUp(Qt::MouseButton button, const QPoint& at);
    // The keyboard's cell cursor on the table came to a cell: by default what
    // the pointer coming to the cell's centre does.
    virtual void CellCursorMoved(int row, int column);
    // Enter on a cell of the table: by default what a click on its centre does.
    virtual void CellActivated(int row, int column);
    void keyPressEvent(QKeyEvent* event) override;

    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

    TViewContext View;

private:
    TTableSurface* Table = nullptr;   // the surface in ScrollBox1
    TTabStrip* Tabs = nullptr;        // the strip at the bottom, if any
    TTableSurface* Tracked = nullptr; // the surface whose mouse the window follows
    std::vector<QScrollArea*> Boxes;  // ScrollBox1 and the panes
};
