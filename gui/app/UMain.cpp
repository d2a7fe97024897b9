#include "gui/app/UMain.h"

#include "core/base/AtomicFile.h"
#include "core/base/DayNumber.h"
#include "core/io/MatchImport.h"
#include "core/io/MatchText.h"
#include "core/io/SeasonFile.h"
#include "core/rules/MainRules.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "core/season/SeasonTemplates.h"
#include "draw/QtText.h"
#include "draw/TablePicture.h"
#include "gui/app/MainMenus.h"
#include "gui/app/TablePrint.h"
#include "gui/app/UDlgNew.h"
#include "gui/app/UHelp.h"
#include "gui/app/ViewOpener.h"
#include "gui/controls/DialogService.h"
#include "gui/controls/URLLabel.h"
#include "gui/controls/UVersion.h"
#include "gui/entry/UKekka.h"
#include "gui/entry/UTorokuN.h"
#include "gui/setup/UColor.h"
#include "gui/setup/UOption.h"
#include "gui/setup/USettei.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <cerrno>
#include <cmath>

const char* const TMainForm::HomePage = "https://tablora.example.org/";
const char* const TMainForm::MailAddress = "author@tablora.example.org";

namespace {

const QString kSeasonFilter = QStringLiteral("QVK File(*.qvk)");
// Export: the match text or a CSV, by the name's suffix (the filter chosen gives it).
const QString kExportFilter = QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.txt);;CSVファイル(*.csv)");
// Import: the format is recognised from the content, so every kind is offered at once.
const QString kImportFilter =
    QStringLiteral("対戦データ(*.txt *.TXT *.csv *.CSV);;ﾃｷｽﾄﾌｧｲﾙ(*.txt);;CSVファイル(*.csv);;ゲームログ(*.txt *.TXT);;"
                   "すべてのファイル(*)");
const QString kPictureFilter = QStringLiteral("PNGファイル(*.png)");

QString U(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

} // namespace

TMainForm::TMainForm(IDialogService& dialogs, const QString& programPath, QWidget* parent)
    : QMainWindow(parent), Dialogs(dialogs) {
    const QFileInfo program(programPath);
    ProgramFolder = program.absolutePath();
    SettingsPath = QDir(ProgramFolder).filePath(program.completeBaseName() + QStringLiteral(".ini"));
    // Where the settings go when the program's folder cannot be written.
    UserSettingsPath = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                           .filePath(QStringLiteral("tablora/") + program.completeBaseName() + QStringLiteral(".ini"));

    setWindowIcon(QIcon(ProgramIcon(32)));
    MdiArea = new QMdiArea(this);
    MdiArea->setBackground(palette().brush(QPalette::Dark)); // the application-workspace color
    setCentralWidget(MdiArea);
    Opener = new TViewOpener(
        *MdiArea, [this] { return SeasonForViews(); }, this);
    Menus = new TMainMenus(*this, *Opener);
    Version = new TFmVersion(this);
    Version->hide();
    connect(Version, &TFmVersion::MailRequested, this, &TMainForm::MIMailClick);

    connect(MdiArea, &QMdiArea::subWindowActivated, this, &TMainForm::EnablePublishCommands);
    connect(Opener, &TViewOpener::ChildrenChanged, this, &TMainForm::EnablePublishCommands);
    PlaceWindow();
    ApplyCommandStates();
    EnablePublishCommands();
    UpdateCaption();

    connect(this, &TMainForm::StandingsRequested, Opener, &TViewOpener::OpenStandings);
    connect(this, &TMainForm::RaceRequested, Opener, &TViewOpener::OpenRace);
    connect(this, &TMainForm::OddsRequested, Opener, &TViewOpener::OpenOdds);
    connect(this, &TMainForm::ScheduleRequested, Opener, &TViewOpener::OpenSchedule);
    connect(this, &TMainForm::HeadToHeadRequested, Opener, &TViewOpener::OpenHeadToHead);
    connect(this, &TMainForm::ScheduleEntryRequested, this, [this] {
        TFmTorokuN dialog(*SeasonPennant, *SeasonFight, AppSettings.Sche, AppSettings.TMax, Dialogs, this);
        Dialogs.Exec(dialog);
    });
    connect(this, &TMainForm::ResultsEntryRequested, this, [this](double startDay) {
        TFmKekka dialog(*SeasonPennant, *SeasonFight, AppSettings, startDay, Dialogs, this);
        Dialogs.Exec(dialog);
    });
    connect(this, &TMainForm::TransitionRequested, Opener, &TViewOpener::OpenTransition);
}

const TMainItems& TMainForm::Items() const {
    return Menus->Items();
}

TViewContext TMainForm::SeasonForViews() const {
    return {SeasonPennant.get(), SeasonFight.get(), &AppSettings, ProgramFolder, palette()};
}

TMainForm::~TMainForm() {
    // The child windows go with the workspace, after this frame's own part.
    MdiArea->disconnect(this);
    for (const QPointer<THelpWindow>& w : HelpWindows)
        if (w)
            w->close();
}

QString TMainForm::DataFolder() const {
    return QDir(ProgramFolder).filePath(QStringLiteral("data"));
}

void TMainForm::PlaceWindow() {
    TWorkArea area;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->availableGeometry();
        area = {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
    }
    AppSettings = ReadSettings(TIniFile::Load(SettingsFileToRead(SettingsFiles())), area);
    if (!AppSettings.ToolBarVisible)
        Menus->ShowToolBar(false);
    setGeometry(AppSettings.Left, AppSettings.Top, AppSettings.Width, AppSettings.Height);
    if (AppSettings.Max)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TMainForm::Start(const QString& argumentFile) {
    if (!argumentFile.isEmpty()) {
        // A file handed over by the desktop: the user chose it, so say so when it fails.
        if (!LoadFile(argumentFile))
            Dialogs.ShowInfoError(this, QStringLiteral("ファイルの読み込みに失敗しました。"));
        return;
    }
    if (AppSettings.Zenkai && !AppSettings.LastFile.empty())
        LoadFile(QString::fromStdString(LastFilePath(AppSettings.LastFile))); // silent on failure
}

bool TMainForm::LoadFile(const QString& path) {
    std::unique_ptr<TPennant> pennant;
    std::unique_ptr<TFight> fight;
    const std::string file = path.toStdString();
    const std::optional<TFileIdentity> identity = IdentityOf(file); // before the bytes are read
    if (!LoadSeason(file, pennant, fight)) {
        ApplyCommandStates();
        UpdateCaption();
        return false;
    }
    // Another running instance has the season open: this one may read it, and
    // saves it only under another name.
    auto lock = std::make_unique<TSeasonLock>();
    ReadOnly = false;
    if (lock->Acquire(file) == TSeasonLock::TResult::HeldByOther) {
        if (!Dialogs.AskYesNo(this, QStringLiteral("「%1」は別のタブローラ (%2) で開かれています。\r\n"
                                                   "読み取り専用で開きますか？")
                                        .arg(QFileInfo(path).fileName(), U(lock->Holder())))) {
            ApplyCommandStates();
            UpdateCaption();
            return true; // the user's choice: nothing to report
        }
        ReadOnly = true;
    }
    Lock = std::move(lock);
    SeasonIdentity = identity;
    SeasonPennant = std::move(pennant);
    SeasonFight = std::move(fight);
    SeasonFileName = path;
    Menus->BuildViewLists();
    ApplyCommandStates();
    UpdateCaption();
    return true;
}

bool TMainForm::SaveTo(const QString& path) {
    return SaveSeason(path.toStdString(), SeasonPennant.get(), SeasonFight.get());
}

void TMainForm::ApplyCommandStates() {
    const TCommandStates s = CommandStates(SeasonPennant != nullptr, !SeasonFileName.isEmpty(),
                                           SeasonFight && SeasonFight->MatchCount() > 0);
    Menus->ApplyStates(s, SeasonPennant != nullptr);
}

void TMainForm::UpdateCaption() {
    setWindowTitle(U(MainCaption(SeasonPennant.get())) +
                   (SeasonPennant && ReadOnly ? QStringLiteral(" (読み取り専用)") : QString()));
}

TMainForm::TSaveResult TMainForm::SaveSeasonFile() {
    if (SeasonFileName.isEmpty() || ReadOnly)
        return SaveSeasonAs();
    return SaveChecked(SeasonFileName);
}

TMainForm::TSaveResult TMainForm::SaveSeasonAs() {
    const QString path = Dialogs.SaveFileName(this, DataFolder(), kSeasonFilter, QStringLiteral("qvk"));
    if (path.isEmpty())
        return TSaveResult::Cancelled;
    if (path == SeasonFileName && !ReadOnly)
        return SaveChecked(path);
    auto lock = std::make_unique<TSeasonLock>();
    if (lock->Acquire(path.toStdString()) == TSeasonLock::TResult::HeldByOther &&
        !Dialogs.AskYesNo(this, QStringLiteral("「%1」は別のタブローラ (%2) で開かれています。\r\n上書きしますか？")
                                    .arg(QFileInfo(path).fileName(), U(lock->Holder()))))
        return TSaveResult::Cancelled;
    const TSaveResult saved = SaveChecked(path);
    if (saved == TSaveResult::Saved) {
        SeasonFileName = path;
        Lock = std::move(lock);
        ReadOnly = false;
        UpdateCaption();
    }
    return saved;
}

TMainForm::TSaveResult TMainForm::SaveChecked(const QString& path) {
    const std::string file = path.toStdString();
    const QString name = QFileInfo(path).fileName();
    if (path == SeasonFileName && !StillTheFileRead(file, SeasonIdentity)) {
        const int choice = Dialogs.AskChoice(
            this,
            QStringLiteral("「%1」は開いた後にほかで変更されています。\r\n上書きすると、その変更は失われます。")
                .arg(name),
            {QStringLiteral("上書きする"), QStringLiteral("名前を付けて保存"), QStringLiteral("キャンセル")}, 2);
        if (choice == 1)
            return SaveSeasonAs();
        if (choice != 0)
            return TSaveResult::Cancelled;
    }
    if (HardLinkCount(file) > 1 &&
        !Dialogs.AskYesNo(this, QStringLiteral("「%1」にはほかの名前 (ハードリンク) もあります。\r\n"
                                               "保存すると、ほかの名前には今の内容が残ります。保存しますか？")
                                    .arg(name)))
        return TSaveResult::Cancelled;
    if (!SaveTo(path)) {
        Dialogs.ShowInfoError(this,
                              QStringLiteral("ファイルの保存に失敗しました。\r\n(%1)").arg(U(FileErrorText(errno))));
        return TSaveResult::Failed;
    }
    SeasonIdentity = IdentityOf(file);
    return TSaveResult::Saved;
}

bool TMainForm::CloseSeason(bool keepName) {
    if (SeasonPennant && SeasonPennant->Modified) {
        switch (Dialogs.AskYesNoCancel(this, QStringLiteral("編集中のデータを保存しますか？"))) {
        case IDialogService::TAnswer::Cancel:
            return false;
        case IDialogService::TAnswer::Yes:
            if (SaveSeasonFile() != TSaveResult::Saved)
                return false;
            SeasonPennant->Modified = 0;
            break;
        case IDialogService::TAnswer::No:
            break;
        }
    }
    if (SeasonPennant) {
        SeasonPennant.reset();
        SeasonFight.reset();
        if (!keepName)
            SeasonFileName.clear();
        Lock.reset(); // another instance may have it now
        SeasonIdentity.reset();
        ReadOnly = false;
    }
    Menus->BuildViewLists();
    ApplyCommandStates();
    return true;
}

void TMainForm::MINewClick() {
    Opener->CloseAll();
    if (!CloseSeason(false))
        return;
    UpdateCaption();
    TDlgNew type(this);
    if (Dialogs.Exec(type) != QDialog::Accepted)
        return;
    auto pennant = std::make_unique<TPennant>();
    auto fight = std::make_unique<TFight>();
    fight->LastUpdate = 0;
    pennant->Checker = MakeChecker(8);
    BuildTemplate(type.SelectedTemplate(), *pennant);
    SeasonPennant = std::move(pennant);
    SeasonFight = std::move(fight);
    TFmSettei editor(*SeasonPennant, *SeasonFight, Dialogs, ProgramFolder, this);
    if (Dialogs.Exec(editor) != QDialog::Accepted) {
        SeasonPennant.reset();
        SeasonFight.reset();
        ApplyCommandStates();
        UpdateCaption();
        return;
    }
    SeasonFileName.clear();
    Menus->BuildViewLists();
    ApplyCommandStates();
    UpdateCaption();
}

void TMainForm::MIOpenClick() {
    Opener->CloseAll();
    if (!CloseSeason(false))
        return;
    UpdateCaption();
    const QString path = Dialogs.OpenFileName(this, DataFolder(), kSeasonFilter);
    if (path.isEmpty())
        return;
    if (!LoadFile(path))
        Dialogs.ShowInfoError(this, QStringLiteral("ファイルの読み込みに失敗しました。"));
}

void TMainForm::MISaveClick() {
    if (SeasonFileName.isEmpty() || !SeasonPennant)
        return;
    if (SaveSeasonFile() == TSaveResult::Saved) {
        SeasonPennant->Modified = 0;
        ApplyCommandStates();
    }
}

void TMainForm::MISaveAsClick() {
    if (!SeasonPennant)
        return;
    if (SaveSeasonAs() != TSaveResult::Saved)
        return;
    SeasonPennant->Modified = 0;
    ApplyCommandStates();
}

TMainForm::TExportResult TMainForm::ExportMatches() {
    const QString path = Dialogs.SaveFileName(this, DataFolder(), kExportFilter, QStringLiteral("txt"));
    if (path.isEmpty())
        return TExportResult::Cancelled;
    const bool csv = path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
    const std::string file = path.toStdString();
    if (csv ? !ExportMatchCsv(file, *SeasonPennant, *SeasonFight)
            : !ExportMatchText(file, *SeasonPennant, *SeasonFight)) {
        Dialogs.ShowInfoError(
            this, QStringLiteral("ファイルの書き出しに失敗しました。\r\n(%1)").arg(U(FileErrorText(errno))));
        return TExportResult::Failed;
    }
    return TExportResult::Written;
}

void TMainForm::MIKakidasiClick() {
    if (SeasonPennant)
        ExportMatches();
}

void TMainForm::MITorikomiClick() {
    if (!SeasonPennant)
        return;
    Opener->CloseAll();
    const QString path = Dialogs.OpenFileName(this, DataFolder(), kImportFilter);
    if (path.isEmpty())
        return;
    TImportFile file;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    TFileProblem problem = TFileProblem::None;
    const bool read = ReadImportFile(path.toStdString(), *SeasonPennant, std::nullopt, file, &problem);
    const int why = errno;
    QGuiApplication::restoreOverrideCursor();
    if (!read) {
        Dialogs.ShowInfoError(
            this, QStringLiteral("ファイルの読み込みに失敗しました。\r\n(%1)").arg(U(ReadProblemText(problem, why))));
        return;
    }
    const QString notImported = QStringLiteral("\r\n対戦データは取り込みませんでした。");
    if (!file.Refusal.empty()) {
        Dialogs.ShowEntryError(this, U(file.Refusal) + notImported);
        return;
    }
    TMatchText& text = file.Text;
    switch (CheckImport(*SeasonPennant, *SeasonFight, text)) {
    case TImportCheck::OtherChecker:
        Dialogs.ShowEntryError(this, QStringLiteral("チェッカーが異なります。\r\n該当データは取り込めません。"));
        return;
    case TImportCheck::Unreadable: {
        QString message = U(UnreadableLinesText(text)) + QStringLiteral("。");
        for (const std::string& line : UnreadableLineReasons(text))
            message += QStringLiteral("\r\n") + U(line);
        Dialogs.ShowEntryError(this, message + notImported);
        return;
    }
    case TImportCheck::Older:
        if (!Dialogs.AskYesNo(this, QStringLiteral("取り込みデータが古い可能性があります\r\n処理を続行しますか？")))
            return;
        break;
    case TImportCheck::Ok:
        break;
    }
    // A season with games chooses: the file's games for all of them, or only
    // for the days the file holds (a daily results file keeps a season current).
    bool merge = false;
    if (SeasonFight->MatchCount() > 0) {
        const int choice = Dialogs.AskChoice(
            this,
            QStringLiteral("取り込む試合をどう入れますか？\r\n"
                           "置き換え: シーズンの試合をすべてファイルの試合にします。\r\n"
                           "追加: ファイルにある日の試合だけを入れ替え、ほかの日はそのままにします。"),
            {QStringLiteral("置き換え"), QStringLiteral("追加"), QStringLiteral("キャンセル")}, 0);
        if (choice != 0 && choice != 1)
            return;
        merge = choice == 1;
    }
    ApplyImport(*SeasonPennant, *SeasonFight, std::move(text), merge);
    SeasonPennant->Modified = 1;
    ApplyCommandStates();
}

void TMainForm::MIClearClick() {
    if (!SeasonPennant)
        return;
    Opener->CloseAll();
    switch (
        Dialogs.AskYesNoCancel(this, QStringLiteral("対戦データをクリアします。\r\n現在のデータを保存しますか？"))) {
    case IDialogService::TAnswer::Cancel:
        return;
    case IDialogService::TAnswer::Yes:
        // A cancelled export still clears; a failed one keeps the data the user wanted kept.
        if (ExportMatches() == TExportResult::Failed)
            return;
        break;
    case IDialogService::TAnswer::No:
        break;
    }
    SeasonFight->Clear();
    SeasonFight->LastUpdate = 0;
    SeasonPennant->Modified = 1;
    ApplyCommandStates();
}

void TMainForm::MISetteiClick() {
    if (!SeasonPennant)
        return;
    TFmSettei editor(*SeasonPennant, *SeasonFight, Dialogs, ProgramFolder, this);
    editor.BtOk->setText(QStringLiteral("ＯＫ"));
    if (Dialogs.Exec(editor) == QDialog::Accepted)
        Opener->CloseAll();
    Menus->BuildViewLists();
    ApplyCommandStates();
    UpdateCaption();
}

// The options and colors take effect the next time the part that reads them
// runs or draws; open views are not told.
void TMainForm::MIOptionClick() {
    TFmOption dialog(this);
    dialog.Load(AppSettings);
    if (Dialogs.Exec(dialog) == QDialog::Accepted)
        dialog.Store(AppSettings);
}

void TMainForm::MIColorClick() {
    TFmColor dialog(Dialogs, LastChosenColor, this);
    dialog.Load(AppSettings);
    const bool accepted = Dialogs.Exec(dialog) == QDialog::Accepted;
    LastChosenColor = dialog.LastChosen();
    if (accepted)
        dialog.Store(AppSettings);
}

void TMainForm::MITorokuNClick() {
    if (!SeasonPennant)
        return;
    Opener->CloseAll();
    emit ScheduleEntryRequested();
    ApplyCommandStates();
}

void TMainForm::MIKekkaClick() {
    if (!SeasonPennant)
        return;
    Opener->CloseAll();
    emit ResultsEntryRequested(ResultsStartDay(*SeasonFight, std::floor(days::Now())));
    ApplyCommandStates();
}

void TMainForm::MIHelpClick() {
    auto* help = new THelpWindow(QDir(ProgramFolder).filePath(QStringLiteral("help")));
    HelpWindows.append(help);
    help->show();
}

void TMainForm::MIVersionClick() {
    Version->URLLabel1->setText(QString::fromLatin1(HomePage));
    Version->URLLabel1->adjustSize();
    Version->URLLabel1->Opener = &Dialogs;
    Version->URLLabel2->setText(QString::fromLatin1(MailAddress));
    Version->URLLabel2->adjustSize();
    Dialogs.Exec(*Version);
}

void TMainForm::MIHomePageClick() {
    Dialogs.OpenUrl(QString::fromLatin1(HomePage));
}

void TMainForm::MIMailClick() {
    Dialogs.OpenUrl(QStringLiteral("mailto:") + QString::fromLatin1(MailAddress));
}

void TMainForm::WriteSettingsFile() {
    const QRect bounds = isMaximized() ? normalGeometry() : geometry();
    AppSettings.Max = isMaximized();
    AppSettings.Top = bounds.top();
    AppSettings.Left = bounds.left();
    AppSettings.Width = bounds.width();
    AppSettings.Height = bounds.height();
    AppSettings.ToolBarVisible = Menus->ToolBarShown();
    AppSettings.Bands = {{"ToolBar1", true, Menus->ToolBarWidth()}};
    const TIniFile previous = TIniFile::Load(SettingsFileToRead(SettingsFiles()));
    std::string writtenTo, reason;
    if (!SaveSettingsFile(WriteSettings(AppSettings, previous), SettingsFiles(), writtenTo, reason))
        Dialogs.ShowInfoError(this, QStringLiteral("設定ファイルの保存に失敗しました。\n%1\n(%2)")
                                        .arg(QString::fromStdString(writtenTo), QString::fromStdString(reason)));
    SettingsWritten = true;
}

TSettingsFiles TMainForm::SettingsFiles() const {
    return {SettingsPath.toStdString(), UserSettingsPath.toStdString()};
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!CloseSeason(true)) {
        event->ignore();
        return;
    }
    AppSettings.LastFile = StoredLastFile(SeasonFileName.toStdString());
    WriteSettingsFile();
    for (const QPointer<THelpWindow>& w : HelpWindows)
        if (w)
            w->close();
    event->accept();
}

void TMainForm::EnablePublishCommands() {
    Menus->EnablePublish(Opener->ActiveTableView() != nullptr);
}

void TMainForm::MIImageClick() {
    ITableView* view = Opener->ActiveTableView();
    if (!view)
        return;
    const QString path = Dialogs.SaveFileName(this, DataFolder(), kPictureFilter, QStringLiteral("png"));
    if (path.isEmpty())
        return;
    // Made exactly as tablora-cli render makes it, and written like a season:
    // a failure leaves an older picture at that path as it was.
    std::string why;
    if (!SaveTablePicture(view->Picture(), path.toStdString(), why))
        Dialogs.ShowInfoError(this, QStringLiteral("ファイルの保存に失敗しました。\r\n(%1)").arg(U(why)));
}

void TMainForm::MICopyClick() {
    ITableView* view = Opener->ActiveTableView();
    if (!view)
        return;
    const QImage image = TablePictureImage(view->Picture());
    if (image.isNull()) {
        Dialogs.ShowInfoError(this, QStringLiteral("表が大きすぎるため、画像にできません。"));
        return;
    }
    QGuiApplication::clipboard()->setImage(image);
}

void TMainForm::MIPrintClick() {
    ITableView* view = Opener->ActiveTableView();
    if (!view)
        return;
    const TTablePicture picture = view->Picture();
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("印刷プレビュー"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&picture](QPrinter* target) { PrintTablePicture(*target, picture); });
    Dialogs.Exec(preview);
}
