// TMainForm: the program's frame. It owns the open season, its file name and
// the settings, runs the file commands and opens the views and dialogs.
#pragma once

#include "core/io/AppSettings.h"
#include "core/io/SettingsFile.h"
#include "core/rules/MainRules.h"

#include <QColor>
#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <string>

class QAction;
class QMdiArea;
class QMenu;
class QToolBar;
class QToolButton;
class IDialogService;
class TPennant;
class TFight;
class TFmVersion;
class THelpWindow;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // programPath: the program file; the settings file, data/, picture/ and help/ are beside it.
    TMainForm(IDialogService& dialogs, const QString& programPath, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Start-up after construction: reopens `argumentFile` when given (with a
    // message if it cannot be read), else the last file when Zenkai is on (silently).
    void Start(const QString& argumentFile = QString());

    TPennant* Pennant() const { return SeasonPennant.get(); }
    TFight* Fight() const { return SeasonFight.get(); }
    const QString& FileName() const { return SeasonFileName; }
    const TAppSettings& Settings() const { return AppSettings; }
    TAppSettings& Settings() { return AppSettings; }
    QMdiArea* Mdi() const { return MdiArea; }
    QString ProgramDir() const { return ProgramFolder; }
    QString IniPath() const { return SettingsPath; }

    // The commands.
    void MINewClick();
    void MIOpenClick();
    void MISaveClick();
    void MISaveAsClick();
    void MITorikomiClick();
    void MIKakidasiClick();
    void MIClearClick();
    // The active view's table as a PNG picture, on the clipboard, on paper.
    void MIImageClick();
    void MICopyClick();
    void MIPrintClick();
    // Saving, copying and printing are there while a table view is the active child window.
    void EnablePublishCommands();
    void MISetteiClick();
    void MIOptionClick();
    void MIColorClick();
    void MITorokuNClick();
    void MIKekkaClick();
    void MIHelpClick();
    void MIVersionClick();
    void MIHomePageClick();
    void MIMailClick();
    void MIToolBarClick();
    bool CloseSeason(bool keepName);
    void CloseAllViews();
    void BuildViewMenus();
    void EnableViewCommands(bool on);
    void WriteSettingsFile();
    // Child windows one title bar apart from the workspace's top-left, each at
    // least as large as it opened (within the workspace).
    void CascadeChildren();

    // The views, opened as child windows (each returns the window it opened).
    QWidget* OpenStandings(int districtIndex);
    QWidget* OpenTransition(int teamIndex);
    QWidget* OpenRace(int districtIndex);
    QWidget* OpenSchedule(int leagueIndex);
    QWidget* OpenHeadToHead(int districtIndex);
    QWidget* OpenVersus(int districtIndex, const std::string& own, const std::string& opponent, int filter);

    // Menus (MI…, Menu…), tool buttons (Tool…) and the tool buttons' drop-down lists (Popup…).
    QAction *MINew, *MIOpen, *MISave, *MISaveAs, *MITorikomi, *MIKakidasi, *MIClear, *MIImage, *MICopy, *MIPrint,
        *MISettei, *MIColor, *MIOption, *MIExit;
    QAction *MITorokuN, *MIKekka;
    QMenu *MenuNittei, *MenuJun, *MenuJuni, *MenuTaisen, *MenuYusho, *MenuTeam, *MenuTmJun, *MenuWindow;
    QAction *MIToolBar, *MITileH, *MITileV, *MICascade, *MIArrange, *MICloseAll;
    QAction *MIHelp, *MIVersion, *MIHomePage, *MIMail;
    QMenu *PopupNittei, *PopupJuni, *PopupTaisen, *PopupYusho, *PopupTmJun;
    QToolBar* ToolBar1;
    QAction *ToolNew, *ToolOpen, *ToolSave, *ToolTorokuN, *ToolKekka, *ToolTileHorizontal, *ToolTileVertical,
        *ToolCascade, *ToolAllClose, *ToolHelp;
    QToolButton *ToolNittei, *ToolJuni, *ToolTaisen, *ToolYusho, *ToolTmJun;

    static const char* const HomePage;
    static const char* const MailAddress;

signals:
    // A view was asked for; the view windows answer these as they are built.
    void ScheduleRequested(int leagueIndex);
    void StandingsRequested(int districtIndex);
    void HeadToHeadRequested(int districtIndex);
    void RaceRequested(int districtIndex);
    void TransitionRequested(int teamIndex);
    // The registration windows (opened modally as these are sent): schedule,
    // and results from a starting day.
    void ScheduleEntryRequested();
    void ResultsEntryRequested(double startDay);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildToolBar();
    void ApplyCommandStates();
    static constexpr size_t kMenuGroupSize = 200;
    // The entries [first, end) of one view list, read from the season when they are shown.
    using TEntrySource = std::vector<TViewMenuEntry> (*)(const TPennant&, size_t first, size_t end);
    void AddViewEntries(QMenu* menu, TEntrySource entries, size_t first, size_t end, void (TMainForm::*request)(int),
                        bool enabled);
    void UpdateCaption();
    void WindowMenuAboutToShow();
    bool LoadFile(const QString& path);
    bool SaveTo(const QString& path);
    QString DataFolder() const;
    void PlaceWindow();
    QWidget* AddChild(QWidget* view);
    enum class TExportResult { Written, Cancelled, Failed };
    TExportResult ExportMatches();

    IDialogService& Dialogs;
    QString ProgramFolder;
    QString SettingsPath;     // beside the program
    QString UserSettingsPath; // in the user's configuration folder
    TSettingsFiles SettingsFiles() const;
    TAppSettings AppSettings;
    std::unique_ptr<TPennant> SeasonPennant;
    std::unique_ptr<TFight> SeasonFight;
    QString SeasonFileName;
    QMdiArea* MdiArea;
    TFmVersion* Version;
    QList<QPointer<THelpWindow>> HelpWindows;
    bool SettingsWritten = false;
    QColor LastChosenColor = Qt::black; // the color dialog opens on it
};
