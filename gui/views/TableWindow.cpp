#include "gui/views/TableWindow.h"

#include "core/season/BaseballPennant.h"
#include "draw/QtText.h"
#include "gui/controls/TabStrip.h"
#include "gui/controls/WheelMessage.h"
#include "gui/views/TableSurface.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

TTableWindow::TTableWindow(const TViewContext& view, QWidget* parent) : QWidget(parent), View(view) {
    setAttribute(Qt::WA_DeleteOnClose);
}

TTableWindow::~TTableWindow() {
    for (QScrollArea* box : Boxes)
        if (auto* surface = qobject_cast<TTableSurface*>(box->widget()))
            surface->Release();
}

TTablePicture TTableWindow::Picture() const {
    const TTableLayout* shown = Table ? Table->Table() : nullptr;
    if (!shown)
        return TTablePicture{};
    TTablePicture picture = SingleTablePicture(*shown);
    // A table that does not name itself is named by the window's caption.
    if (picture.Title.Text.isEmpty())
        picture.Title = {windowTitle(), View.Color(View.Settings->Char1)};
    return picture;
}

TTableSurface* TTableWindow::AddTable(QWidget* parent) {
    ScrollBox1 = new QScrollArea(parent);
    ScrollBox1->setWidgetResizable(false);
    Table = new TTableSurface;
    ScrollBox1->setWidget(Table);
    // The wheel over the table or the box's margins scrolls a line per notch.
    ScrollBox1->viewport()->installEventFilter(this);
    Boxes.push_back(ScrollBox1);
    // The keyboard lands on the table when the window is activated; the box
    // around it scrolls to the cell cursor and needs no focus of its own.
    ScrollBox1->setFocusPolicy(Qt::NoFocus);
    setFocusProxy(Table);
    connect(Table, &TTableSurface::CursorMoved, this, &TTableWindow::CellCursorMoved);
    connect(Table, &TTableSurface::CellActivated, this, &TTableWindow::CellActivated);
    Table->installEventFilter(this);
    return Table;
}

TTableSurface* TTableWindow::AddPane(QScrollArea*& box) {
    auto* surface = new TTableSurface;
    surface->setFocusPolicy(Qt::NoFocus); // a pane is looked at, not walked through
    box = new QScrollArea;
    box->setFocusPolicy(Qt::NoFocus);
    box->setWidget(surface);
    Boxes.push_back(box);
    return surface;
}

QSplitter* TTableWindow::SplitBelow(QScrollArea* summary) {
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setHandleWidth(3);
    splitter->addWidget(summary);
    splitter->addWidget(ScrollBox1);
    splitter->setChildrenCollapsible(false);
    // The summary keeps its height whatever the window does: growing or
    // shrinking, maximized or restored, the table below takes the difference.
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    summary->setMinimumHeight(1);
    return splitter;
}

void TTableWindow::FitSummary(QSplitter* splitter, int height) {
    const QList<int> sizes = splitter->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    if (total > height)
        splitter->setSizes({height, total - height});
}

void TTableWindow::TrackMouse(TTableSurface* surface) {
    Tracked = surface;
    surface->setMouseTracking(true);
    surface->installEventFilter(this);
}

TTabStrip* TTableWindow::AddTabs(const QStringList& captions, int index) {
    auto* tabs = new TTabStrip(this);
    for (const QString& caption : captions)
        tabs->addTab(caption);
    tabs->setCurrentIndex(std::clamp(index, 0, std::max(tabs->count() - 1, 0)));
    Tabs = tabs;
    return tabs;
}

QStringList TTableWindow::DistrictCaptions() const {
    QStringList captions;
    const TPennant& p = *View.Pennant;
    for (int l = 0; l < p.LeagueCount(); ++l)
        for (int d = 0; d < p.GetLeague(l).DistrictCount(); ++d)
            captions << Q(p.GetLeague(l).Name + p.GetLeague(l).GetDistrict(d).Name);
    return captions;
}

void TTableWindow::LayOut(QLayout* bar, QWidget* body, TTabStrip* tabs) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    if (bar)
        column->addLayout(bar);
    column->addWidget(body);
    if (tabs)
        column->addWidget(tabs);
    // The table is where the keyboard starts when the window first gets it.
    if (Table)
        Table->setFocus();
}

void TTableWindow::PaintBackground() {
    for (QScrollArea* box : Boxes) {
        QPalette pal = box->palette();
        pal.setColor(QPalette::Window, View.Background());
        box->setPalette(pal);
        box->setBackgroundRole(QPalette::Window);
    }
}

void TTableWindow::SurfaceMouseMove(const QPoint&) {}

bool TTableWindow::SurfaceMouseUp(Qt::MouseButton, const QPoint&) {
    return false;
}

void TTableWindow::CellCursorMoved(int row, int column) {
    if (const TTableLayout* shown = Table ? Table->Table() : nullptr)
        SurfaceMouseMove(shown->GridCell(row, column).center());
}

void TTableWindow::CellActivated(int row, int column) {
    if (const TTableLayout* shown = Table ? Table->Table() : nullptr)
        SurfaceMouseUp(Qt::LeftButton, shown->GridCell(row, column).center());
}

bool TTableWindow::TurnTab(const QKeyEvent& key) {
    const bool ctrl = key.modifiers() & Qt::ControlModifier;
    const bool tab = key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
    if (!ctrl || !tab || !Tabs || Tabs->count() < 2)
        return false;
    const bool back = key.key() == Qt::Key_Backtab || (key.modifiers() & Qt::ShiftModifier);
    const int n = Tabs->count();
    Tabs->setCurrentIndex((Tabs->currentIndex() + (back ? n - 1 : 1)) % n);
    return true;
}

void TTableWindow::keyPressEvent(QKeyEvent* event) {
    if (TurnTab(*event))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

namespace {

// The multiple-document area takes Ctrl+Tab for itself, ahead of every
// window, to step through its windows. A table window with tabs of its own
// takes it back while the keyboard is in it: this filter on the application
// stands before the area's (the last one installed is asked first).
class TTabKeys : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        for (auto* w = static_cast<QWidget*>(watched); w; w = w->parentWidget())
            if (auto* window = qobject_cast<TTableWindow*>(w))
                return window->TurnTab(*static_cast<QKeyEvent*>(event));
        return false;
    }
    static void PutFirst() {
        static TTabKeys* keys = new TTabKeys(qApp); // lives as long as the application
        qApp->removeEventFilter(keys);
        qApp->installEventFilter(keys);
    }
    using QObject::QObject;
};

} // namespace

bool TTableWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Table && event->type() == QEvent::FocusIn)
        TTabKeys::PutFirst();
    if (watched == Tracked && Tracked) {
        if (event->type() == QEvent::MouseMove) {
            SurfaceMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
            return false;
        }
        if (event->type() == QEvent::MouseButtonPress && Tracked == Table && Table->Table()) {
            // The keyboard goes on from the cell clicked.
            const auto [row, column] =
                Table->Table()->GridCellAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            if (row >= 0)
                Table->MoveCellCursor(row, column);
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (SurfaceMouseUp(mouse->button(), mouse->position().toPoint()))
                return true;
        }
    }
    if (event->type() == QEvent::Wheel || event->type() == MsWheelRollMsg())
        return ScrollOneLine(event, ScrollBox1);
    return QWidget::eventFilter(watched, event);
}

bool TTableWindow::event(QEvent* event) {
    if ((event->type() == QEvent::Wheel || event->type() == MsWheelRollMsg()) && ScrollBox1)
        return ScrollOneLine(event, ScrollBox1);
    return QWidget::event(event);
}
