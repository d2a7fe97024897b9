// TMainForm: the program's frame. It owns the open season, its file name and
// the settings, and runs the file commands and the dialogs; its menus and
// tool bar are TMainMenus, the views' child windows TViewOpener.
#pragma once

#include "core/io/AppSettings.h"
#include "core/io/SeasonLock.h"
#include "core/io/SettingsFile.h"

#include <QColor>
#include <QMainWindow>
#include <QPointer>
#include <memory>

class QMdiArea;
class IDialogService;
class TPennant;
class TFight;
class TFmVersion;
class THelpWindow;
class TMainMenus;
struct TMainItems;
class TViewOpener;
struct TViewContext;

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

    // The open season's views as child windows of the workspace.
    TViewOpener& Views() const { return *Opener; }
    // The menus' and the tool bar's items.
    const TMainItems& Items() const;

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
    void MISetteiClick();
    void MIOptionClick();
    void MIColorClick();
    void MITorokuNClick();
    void MIKekkaClick();
    void MIHelpClick();
    void MIVersionClick();
    void MIHomePageClick();
    void MIMailClick();
    bool CloseSeason(bool keepName);
    void WriteSettingsFile();

    static const char* const HomePage;
    static const char* const MailAddress;

signals:
    // A view was asked for; the view windows answer these as they are built.
    void ScheduleRequested(int leagueIndex);
    void StandingsRequested(int districtIndex);
    void HeadToHeadRequested(int districtIndex);
    void RaceRequested(int districtIndex);
    void OddsRequested(int districtIndex);
    void TransitionRequested(int teamIndex);
    // The registration windows (opened modally as these are sent): schedule,
    // and results from a starting day.
    void ScheduleEntryRequested();
    void ResultsEntryRequested(double startDay);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Saving, copying and printing are there while a table view is the active child window.
    void EnablePublishCommands();
    void ApplyCommandStates();
    void UpdateCaption();
    bool LoadFile(const QString& path);
    bool SaveTo(const QString& path);
    // Saving the season: over the file read only after asking when it changed
    // since (or when it has several names); read-only seasons and new ones
    // through the save dialog. The message for a failure is shown here.
    enum class TSaveResult { Saved, Failed, Cancelled };
    TSaveResult SaveSeasonFile();
    TSaveResult SaveSeasonAs();
    TSaveResult SaveChecked(const QString& path);
    QString DataFolder() const;
    void PlaceWindow();
    // The open season as the views see it (no pennant while none is open).
    TViewContext SeasonForViews() const;
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
    // The season file as it was read or last saved, to know whether another
    // window or program changed it since; the lock that says this instance has
    // it open; read-only when another instance had it first.
    std::optional<TFileIdentity> SeasonIdentity;
    std::unique_ptr<TSeasonLock> Lock;
    bool ReadOnly = false;
    QMdiArea* MdiArea;
    TViewOpener* Opener;
    TMainMenus* Menus;
    TFmVersion* Version;
    QList<QPointer<THelpWindow>> HelpWindows;
    bool SettingsWritten = false;
    QColor LastChosenColor = Qt::black; // the color dialog opens on it
};
