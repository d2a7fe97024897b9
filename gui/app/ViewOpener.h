// TViewOpener: the views of the open season as child windows of the main
// window's workspace. It opens each one where it belongs and arranges them.
#pragma once

#include "draw/ViewContext.h"

#include <QObject>
#include <functional>
#include <string>

class ITableView;
class QMdiArea;
class QWidget;

class TViewOpener : public QObject {
    Q_OBJECT
public:
    // `season` gives the views the open season; while none is open its
    // Pennant is null and nothing opens.
    TViewOpener(QMdiArea& area, std::function<TViewContext()> season, QObject* parent = nullptr);

    // Each returns the window it opened (null without a season).
    QWidget* OpenStandings(int districtIndex);
    QWidget* OpenTransition(int teamIndex);
    QWidget* OpenRace(int districtIndex);
    QWidget* OpenOdds(int districtIndex);
    QWidget* OpenSchedule(int leagueIndex);
    QWidget* OpenHeadToHead(int districtIndex);
    QWidget* OpenVersus(int districtIndex, const std::string& own, const std::string& opponent, int filter);

    void CloseAll();
    // One above the other at full width, or side by side at full height.
    void TileHorizontally();
    void TileVertically();
    // Child windows one title bar apart from the workspace's top-left, each at
    // least as large as it opened (within the workspace).
    void Cascade();
    // Minimized windows in a row along the bottom.
    void ArrangeIcons();

    // The active child window's table view, if a table view is active.
    ITableView* ActiveTableView() const;

signals:
    // A child window opened or went: the active one may have changed.
    void ChildrenChanged();

private:
    // Shows a new view as the active child window (nothing for none).
    QWidget* AddChild(QWidget* view);
    // Equal shares of the workspace: one above the other (`stacked`) or side by side.
    void Tile(bool stacked);

    QMdiArea& Workspace;
    std::function<TViewContext()> Season;
};
