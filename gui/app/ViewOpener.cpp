#include "gui/app/ViewOpener.h"

#include "core/rules/MainRules.h"
#include "draw/TablePicture.h"
#include "gui/views/UJuni.h"
#include "gui/views/UNittei.h"
#include "gui/views/UOdds.h"
#include "gui/views/URace.h"
#include "gui/views/UTaisen.h"
#include "gui/views/UTmJuni.h"
#include "gui/views/UVersus.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {
// The size a child window opened with: cascading gives it back to a window tiled smaller.
const char* const kOpeningSize = "openingSize";

// A view of the open season, or none while no season is open.
template <typename TView, typename... TArgs> TView* MakeView(const TViewContext& season, const TArgs&... args) {
    return season.Pennant ? new TView(season, args...) : nullptr;
}
} // namespace

TViewOpener::TViewOpener(QMdiArea& area, std::function<TViewContext()> season, QObject* parent)
    : QObject(parent), Workspace(area), Season(std::move(season)) {}

QWidget* TViewOpener::OpenStandings(int districtIndex) {
    auto* view = MakeView<TFmJuni>(Season(), districtIndex);
    if (view)
        connect(view, &TFmJuni::TransitionRequested, this, &TViewOpener::OpenTransition);
    return AddChild(view);
}

QWidget* TViewOpener::OpenRace(int districtIndex) {
    return AddChild(MakeView<TFmRace>(Season(), districtIndex));
}

QWidget* TViewOpener::OpenOdds(int districtIndex) {
    return AddChild(MakeView<TFmOdds>(Season(), districtIndex));
}

QWidget* TViewOpener::OpenTransition(int teamIndex) {
    return AddChild(MakeView<TFmTmJuni>(Season(), teamIndex));
}

QWidget* TViewOpener::OpenSchedule(int leagueIndex) {
    return AddChild(MakeView<TFmNittei>(Season(), leagueIndex));
}

QWidget* TViewOpener::OpenHeadToHead(int districtIndex) {
    auto* view = MakeView<TFmTaisen>(Season(), districtIndex);
    if (view)
        connect(view, &TFmTaisen::VersusRequested, this, &TViewOpener::OpenVersus);
    return AddChild(view);
}

QWidget* TViewOpener::OpenVersus(int districtIndex, const std::string& own, const std::string& opponent, int filter) {
    return AddChild(MakeView<TFmVersus>(Season(), districtIndex, own, opponent, filter));
}

QWidget* TViewOpener::AddChild(QWidget* view) {
    if (!view)
        return nullptr;
    QMdiSubWindow* child = Workspace.addSubWindow(view);
    child->setAttribute(Qt::WA_DeleteOnClose);
    const QSize size = view->size().grownBy(child->contentsMargins()); // the frame and title bar around it
    child->setProperty(kOpeningSize, size);
    const int position = static_cast<int>(Workspace.subWindowList().size()) - 1;
    const QSize work = Workspace.viewport()->size();
    const TChildBox box =
        CascadeBox(position, child->contentsMargins().top(), size.width(), size.height(), work.width(), work.height());
    child->setGeometry(box.Left, box.Top, box.Width, box.Height);
    view->show();
    child->show();
    Workspace.setActiveSubWindow(child);
    emit ChildrenChanged();
    // Once the child is gone (a lambda: the frame itself may be the one going).
    connect(
        child, &QObject::destroyed, this, [this] { emit ChildrenChanged(); }, Qt::QueuedConnection);
    return view;
}

void TViewOpener::CloseAll() {
    Workspace.closeAllSubWindows();
}

void TViewOpener::TileHorizontally() {
    Tile(true);
}

void TViewOpener::TileVertically() {
    Tile(false);
}

void TViewOpener::Tile(bool stacked) {
    const auto windows = Workspace.subWindowList();
    if (windows.isEmpty())
        return;
    const int count = static_cast<int>(windows.size());
    const int share = (stacked ? Workspace.viewport()->height() : Workspace.viewport()->width()) / count;
    for (int i = 0; i < count; ++i) {
        windows[i]->showNormal();
        if (stacked)
            windows[i]->setGeometry(0, i * share, Workspace.viewport()->width(), share);
        else
            windows[i]->setGeometry(i * share, 0, share, Workspace.viewport()->height());
    }
}

void TViewOpener::Cascade() {
    int position = 0;
    QMdiSubWindow* last = nullptr;
    const QSize work = Workspace.viewport()->size();
    for (QMdiSubWindow* w : Workspace.subWindowList(QMdiArea::CreationOrder)) {
        if (w->isMinimized())
            continue;
        if (w->isMaximized())
            w->showNormal();
        const QSize size = w->size().expandedTo(w->property(kOpeningSize).toSize());
        const TChildBox box = CascadeBox(position++, w->contentsMargins().top(), size.width(), size.height(),
                                         work.width(), work.height());
        w->setGeometry(box.Left, box.Top, box.Width, box.Height);
        w->raise();
        last = w;
    }
    if (last)
        Workspace.setActiveSubWindow(last);
}

void TViewOpener::ArrangeIcons() {
    int x = 0;
    for (QMdiSubWindow* w : Workspace.subWindowList())
        if (w->isMinimized()) {
            w->move(x, Workspace.viewport()->height() - w->height());
            x += w->width();
        }
}

ITableView* TViewOpener::ActiveTableView() const {
    // The current child is the active one, and stays known while another program has the focus.
    QMdiSubWindow* active = Workspace.currentSubWindow();
    return active ? dynamic_cast<ITableView*>(active->widget()) : nullptr;
}
