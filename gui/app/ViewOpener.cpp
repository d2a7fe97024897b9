#include "gui/app/ViewOpener.h"

#include "core/rules/MainRules.h"
#include "draw/TablePicture.h"
#include "gui/views/UJuni.h"
#include "gui/views/UNittei.h"
#include "gui/views/URace.h"
#include "gui/views/UTaisen.h"
#include "gui/views/UTmJuni.h"
#include "gui/views/UVersus.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {
// The size a child window opened with: cascading gives it back to a window tiled smaller.
const char* const kOpeningSize = "openingSize";
} // namespace

TViewOpener::TViewOpener(QMdiArea& area, std::function<TViewContext()> season, QObject* parent)
    : QObject(parent), Workspace(area), Season(std::move(season)) {}

QWidget* TViewOpener::OpenStandings(int districtIndex) {
    const TViewContext season = Season();
    if (!season.Pennant)
        return nullptr;
    auto* view = new TFmJuni(season, districtIndex);
    connect(view, &TFmJuni::TransitionRequested, this, &TViewOpener::OpenTransition);
    return AddChild(view);
}

QWidget* TViewOpener::OpenRace(int districtIndex) {
    const TViewContext season = Season();
    return season.Pennant ? AddChild(new TFmRace(season, districtIndex)) : nullptr;
}

QWidget* TViewOpener::OpenTransition(int teamIndex) {
    const TViewContext season = Season();
    return season.Pennant ? AddChild(new TFmTmJuni(season, teamIndex)) : nullptr;
}

QWidget* TViewOpener::OpenSchedule(int leagueIndex) {
    const TViewContext season = Season();
    return season.Pennant ? AddChild(new TFmNittei(season, leagueIndex)) : nullptr;
}

QWidget* TViewOpener::OpenHeadToHead(int districtIndex) {
    const TViewContext season = Season();
    if (!season.Pennant)
        return nullptr;
    auto* view = new TFmTaisen(season, districtIndex);
    connect(view, &TFmTaisen::VersusRequested, this, &TViewOpener::OpenVersus);
    return AddChild(view);
}

QWidget* TViewOpener::OpenVersus(int districtIndex, const std::string& own, const std::string& opponent, int filter) {
    const TViewContext season = Season();
    return season.Pennant ? AddChild(new TFmVersus(season, districtIndex, own, opponent, filter)) : nullptr;
}

QWidget* TViewOpener::AddChild(QWidget* view) {
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
    const auto windows = Workspace.subWindowList();
    if (windows.isEmpty())
        return;
    const int h = Workspace.viewport()->height() / static_cast<int>(windows.size());
    for (int i = 0; i < windows.size(); ++i) {
        windows[i]->showNormal();
        windows[i]->setGeometry(0, i * h, Workspace.viewport()->width(), h);
    }
}

void TViewOpener::TileVertically() {
    const auto windows = Workspace.subWindowList();
    if (windows.isEmpty())
        return;
    const int w = Workspace.viewport()->width() / static_cast<int>(windows.size());
    for (int i = 0; i < windows.size(); ++i) {
        windows[i]->showNormal();
        windows[i]->setGeometry(i * w, 0, w, Workspace.viewport()->height());
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
