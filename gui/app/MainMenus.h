// TMainMenus: the main window's menus, its tool bar and the tool buttons'
// pop-up lists of views, and which of their commands are enabled.
#pragma once

#include "core/rules/MainRules.h"

#include <QObject>
#include <cstddef>
#include <vector>

class QAction;
class QMenu;
class QToolBar;
class QToolButton;
class TMainForm;
class TPennant;
class TViewOpener;

// The items, each under the name it has always had: menu commands (MI…),
// menus (Menu…), tool bar buttons (Tool…) and the tool buttons' drop-down
// lists (Popup…).
struct TMainItems {
    QAction *MINew, *MIOpen, *MISave, *MISaveAs, *MITorikomi, *MIKakidasi, *MIClear, *MIImage, *MICopy, *MIPrint,
        *MISettei, *MIColor, *MIOption, *MIExit;
    QAction *MITorokuN, *MIKekka;
    QMenu *MenuNittei, *MenuJun, *MenuJuni, *MenuTaisen, *MenuYusho, *MenuOdds, *MenuTeam, *MenuTmJun, *MenuWindow;
    QAction *MIToolBar, *MITileH, *MITileV, *MICascade, *MIArrange, *MICloseAll;
    QAction *MIHelp, *MIVersion, *MIHomePage, *MIMail;
    QMenu *PopupNittei, *PopupJuni, *PopupTaisen, *PopupYusho, *PopupOdds, *PopupTmJun;
    QToolBar* ToolBar1;
    QAction *ToolNew, *ToolOpen, *ToolSave, *ToolTorokuN, *ToolKekka, *ToolTileHorizontal, *ToolTileVertical,
        *ToolCascade, *ToolAllClose, *ToolHelp;
    QToolButton *ToolNittei, *ToolJuni, *ToolTaisen, *ToolYusho, *ToolOdds, *ToolTmJun;
};

class TMainMenus : public QObject {
    Q_OBJECT
public:
    // Builds the menus and the tool bar into `form`; their commands go to the
    // form, the window commands to `views`.
    TMainMenus(TMainForm& form, TViewOpener& views);

    // The commands as the season allows them (`seasonOpen`: a season is open).
    void ApplyStates(const TCommandStates& states, bool seasonOpen);
    // Saving, copying and printing the active table.
    void EnablePublish(bool on);
    // The lists of views from the open season (emptied without one).
    void BuildViewLists();

    const TMainItems& Items() const { return Item; }
    bool ToolBarShown() const;
    void ShowToolBar(bool on);
    int ToolBarWidth() const;

private:
    void BuildMenus();
    void BuildToolBar();
    void EnableViews(bool on);
    static constexpr size_t kMenuGroupSize = 200;
    // The entries [first, end) of one view list, read from the season when they are shown.
    using TEntrySource = std::vector<TViewMenuEntry> (*)(const TPennant&, size_t first, size_t end);
    void AddViewEntries(QMenu* menu, TEntrySource entries, size_t first, size_t end, void (TMainForm::*request)(int),
                        bool enabled);
    void WindowMenuAboutToShow();

    TMainForm& Form;
    TViewOpener& Views;
    TMainItems Item{};
};
