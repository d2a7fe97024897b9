#include "gui/app/UMain.h"

#include "core/base/AtomicFile.h"
#include "core/base/DayNumber.h"
#include "core/io/MatchText.h"
#include "core/io/SeasonFile.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "core/season/SeasonTemplates.h"
#include "draw/QtText.h"
#include "gui/app/TablePrint.h"
#include "gui/app/UDlgNew.h"
#include "gui/app/UHelp.h"
#include "gui/controls/DialogService.h"
#include "gui/controls/URLLabel.h"
#include "gui/controls/UVersion.h"
#include "gui/entry/UKekka.h"
#include "gui/entry/UTorokuN.h"
#include "gui/setup/UColor.h"
#include "gui/setup/UOption.h"
#include "gui/setup/USettei.h"
#include "gui/views/UJuni.h"
#include "gui/views/UNittei.h"
#include "gui/views/URace.h"
#include "gui/views/UTaisen.h"
#include "gui/views/UTmJuni.h"
#include "gui/views/UVersus.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QToolBar>
#include <QToolButton>
#include <cmath>

const char* const TMainForm::HomePage = "https://tablora.example.org/";
const char* const TMainForm::MailAddress = "author@tablora.example.org";

namespace {

const QString kSeasonFilter = QStringLiteral("QVK File(*.qvk)");
const QString kMatchTextFilter = QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.txt)");

// Tool bar pictures: a colored tile with one character, drawn at run time.
QIcon GlyphIcon(const QString& glyph, const QColor& color) {
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(color.darker(140));
    p.setBrush(color);
    p.drawRoundedRect(QRectF(0.5, 0.5, 19, 19), 4, 4);
    QFont f = QApplication::font();
    f.setPixelSize(glyph.size() > 1 ? 9 : 13);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 20, 20), Qt::AlignCenter, glyph);
    return QIcon(pixmap);
}

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
    BuildMenus();
    BuildToolBar();
    Version = new TFmVersion(this);
    Version->hide();
    connect(Version, &TFmVersion::MailRequested, this, &TMainForm::MIMailClick);

    connect(MdiArea, &QMdiArea::subWindowActivated, this, &TMainForm::EnablePublishCommands);
    PlaceWindow();
    ApplyCommandStates();
    EnablePublishCommands();
    UpdateCaption();

    connect(this, &TMainForm::StandingsRequested, this, &TMainForm::OpenStandings);
    connect(this, &TMainForm::RaceRequested, this, &TMainForm::OpenRace);
    connect(this, &TMainForm::ScheduleRequested, this, &TMainForm::OpenSchedule);
    connect(this, &TMainForm::HeadToHeadRequested, this, &TMainForm::OpenHeadToHead);
    connect(this, &TMainForm::ScheduleEntryRequested, this, [this] {
        TFmTorokuN dialog(*SeasonPennant, *SeasonFight, AppSettings.Sche, AppSettings.TMax, Dialogs, this);
        Dialogs.Exec(dialog);
    });
    connect(this, &TMainForm::ResultsEntryRequested, this, [this](double startDay) {
        TFmKekka dialog(*SeasonPennant, *SeasonFight, AppSettings, startDay, Dialogs, this);
        Dialogs.Exec(dialog);
    });
    connect(this, &TMainForm::TransitionRequested, this, &TMainForm::OpenTransition);
}

namespace {
// The size a child window opened with: cascading gives it back to a window tiled smaller.
const char* const kOpeningSize = "openingSize";
} // namespace

QWidget* TMainForm::AddChild(QWidget* view) {
    QMdiSubWindow* child = MdiArea->addSubWindow(view);
    child->setAttribute(Qt::WA_DeleteOnClose);
    const QSize size = view->size().grownBy(child->contentsMargins()); // the frame and title bar around it
    child->setProperty(kOpeningSize, size);
    const int position = static_cast<int>(MdiArea->subWindowList().size()) - 1;
    const QSize work = MdiArea->viewport()->size();
    const TChildBox box =
        CascadeBox(position, child->contentsMargins().top(), size.width(), size.height(), work.width(), work.height());
    child->setGeometry(box.Left, box.Top, box.Width, box.Height);
    view->show();
    child->show();
    MdiArea->setActiveSubWindow(child);
    EnablePublishCommands();
    // Once the child is gone (a lambda: the frame itself may be the one going).
    connect(
        child, &QObject::destroyed, this, [this] { EnablePublishCommands(); }, Qt::QueuedConnection);
    return view;
}

void TMainForm::CascadeChildren() {
    int position = 0;
    QMdiSubWindow* last = nullptr;
    const QSize work = MdiArea->viewport()->size();
    for (QMdiSubWindow* w : MdiArea->subWindowList(QMdiArea::CreationOrder)) {
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
        MdiArea->setActiveSubWindow(last);
}

QWidget* TMainForm::OpenStandings(int districtIndex) {
    if (!SeasonPennant)
        return nullptr;
    auto* view =
        new TFmJuni({SeasonPennant.get(), SeasonFight.get(), &AppSettings, ProgramFolder, palette()}, districtIndex);
    connect(view, &TFmJuni::TransitionRequested, this, &TMainForm::OpenTransition);
    return AddChild(view);
}

QWidget* TMainForm::OpenRace(int districtIndex) {
    if (!SeasonPennant)
        return nullptr;
    return AddChild(
        new TFmRace({SeasonPennant.get(), SeasonFight.get(), &AppSettings, ProgramFolder, palette()}, districtIndex));
}

QWidget* TMainForm::OpenTransition(int teamIndex) {
    if (!SeasonPennant)
        return nullptr;
    return AddChild(
        new TFmTmJuni({SeasonPennant.get(), SeasonFight.get(), &AppSettings, ProgramFolder, palette()}, teamIndex));
}

QWidget* TMainForm::OpenSchedule(int leagueIndex) {
    if (!SeasonPennant)
        return nullptr;
    return AddChild(
        new TFmNittei({SeasonPennant.get(), SeasonFight.get(), &AppSettings, ProgramFolder, palette()}, leagueIndex));
}

QWidget* TMainForm::OpenHeadToHead(int districtIndex) {
    if (!SeasonPennant)
        return nullptr;
    auto* view =
        new TFmTaisen({SeasonPennant.get(), SeasonFight.get(), &AppSettings, ProgramFolder, palette()}, districtIndex);
    connect(view, &TFmTaisen::VersusRequested, this, &TMainForm::OpenVersus);
    return AddChild(view);
}

QWidget* TMainForm::OpenVersus(int districtIndex, const std::string& own, const std::string& opponent, int filter) {
    if (!SeasonPennant)
        return nullptr;
    return AddChild(new TFmVersus({SeasonPennant.get(), SeasonFight.get(), &AppSettings, ProgramFolder, palette()},
                                  districtIndex, own, opponent, filter));
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

void TMainForm::BuildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
    MINew = file->addAction(QStringLiteral("新規作成(&N)"), this, &TMainForm::MINewClick);
    MIOpen = file->addAction(QStringLiteral("開く(&O)"), this, &TMainForm::MIOpenClick);
    file->addSeparator();
    MISave = file->addAction(QStringLiteral("上書き保存(&S)"), this, &TMainForm::MISaveClick);
    MISaveAs = file->addAction(QStringLiteral("名前を付けて保存(&A)"), this, &TMainForm::MISaveAsClick);
    file->addSeparator();
    MITorikomi = file->addAction(QStringLiteral("対戦データ取り込み(&R)"), this, &TMainForm::MITorikomiClick);
    MIKakidasi = file->addAction(QStringLiteral("対戦データ書き出し(&W)"), this, &TMainForm::MIKakidasiClick);
    MIClear = file->addAction(QStringLiteral("対戦データクリア(&C)"), this, &TMainForm::MIClearClick);
    file->addSeparator();
    MIImage = file->addAction(QStringLiteral("表を画像で保存(&I)..."), this, &TMainForm::MIImageClick);
    MICopy = file->addAction(QStringLiteral("表をコピー(&Y)"), this, &TMainForm::MICopyClick);
    MIPrint = file->addAction(QStringLiteral("印刷(&P)..."), this, &TMainForm::MIPrintClick);
    file->addSeparator();
    MISettei = file->addAction(QStringLiteral("チーム情報設定(&P)"), this, &TMainForm::MISetteiClick);
    MIColor = file->addAction(QStringLiteral("色の設定(&L)"), this, &TMainForm::MIColorClick);
    MIOption = file->addAction(QStringLiteral("オプション(&Q)"), this, &TMainForm::MIOptionClick);
    file->addSeparator();
    MIExit = file->addAction(QStringLiteral("終了(&X)"), this, &QWidget::close);

    QMenu* entry = bar->addMenu(QStringLiteral("登録(&A)"));
    MITorokuN = entry->addAction(QStringLiteral("日程登録(&S)"), this, &TMainForm::MITorokuNClick);
    MIKekka = entry->addAction(QStringLiteral("結果登録(&R)"), this, &TMainForm::MIKekkaClick);

    MenuNittei = bar->addMenu(QStringLiteral("日程(&D)"));
    MenuJun = bar->addMenu(QStringLiteral("順位(&R)"));
    MenuJuni = MenuJun->addMenu(QStringLiteral("勝敗表(&J)"));
    MenuTaisen = MenuJun->addMenu(QStringLiteral("対戦成績表(&B)"));
    MenuYusho = MenuJun->addMenu(QStringLiteral("優勝争い(&Y)"));
    MenuTeam = bar->addMenu(QStringLiteral("チーム(&T)"));
    MenuTmJun = MenuTeam->addMenu(QStringLiteral("順位推移(&K)"));

    QMenu* view = bar->addMenu(QStringLiteral("表示(&V)"));
    MIToolBar = view->addAction(QStringLiteral("ツールバー(&T)"));
    MIToolBar->setCheckable(true);
    MIToolBar->setChecked(true);
    connect(MIToolBar, &QAction::triggered, this, &TMainForm::MIToolBarClick);

    MenuWindow = bar->addMenu(QStringLiteral("ウィンドウ(&W)"));
    MITileH = MenuWindow->addAction(QStringLiteral("上下に並べて表示(&H)"), this, [this] {
        // One above the other: full width, equal heights.
        const auto windows = MdiArea->subWindowList();
        if (windows.isEmpty())
            return;
        const int h = MdiArea->viewport()->height() / static_cast<int>(windows.size());
        for (int i = 0; i < windows.size(); ++i) {
            windows[i]->showNormal();
            windows[i]->setGeometry(0, i * h, MdiArea->viewport()->width(), h);
        }
    });
    MITileV = MenuWindow->addAction(QStringLiteral("左右に並べて表示(&V)"), this, [this] {
        const auto windows = MdiArea->subWindowList();
        if (windows.isEmpty())
            return;
        const int w = MdiArea->viewport()->width() / static_cast<int>(windows.size());
        for (int i = 0; i < windows.size(); ++i) {
            windows[i]->showNormal();
            windows[i]->setGeometry(i * w, 0, w, MdiArea->viewport()->height());
        }
    });
    MICascade = MenuWindow->addAction(QStringLiteral("重ねて表示(&C)"), this, &TMainForm::CascadeChildren);
    MIArrange = MenuWindow->addAction(QStringLiteral("アイコンの整列(&A)"), this, [this] {
        // Minimized windows in a row along the bottom.
        int x = 0;
        for (QMdiSubWindow* w : MdiArea->subWindowList())
            if (w->isMinimized()) {
                w->move(x, MdiArea->viewport()->height() - w->height());
                x += w->width();
            }
    });
    MICloseAll =
        MenuWindow->addAction(QStringLiteral("すべてのウィンドウを閉じる(&X)"), this, &TMainForm::CloseAllViews);
    connect(MenuWindow, &QMenu::aboutToShow, this, &TMainForm::WindowMenuAboutToShow);

    QMenu* help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    MIHelp = help->addAction(QStringLiteral("ヘルプ(&H)"), this, &TMainForm::MIHelpClick);
    MIVersion = help->addAction(QStringLiteral("バージョン情報(&A)"), this, &TMainForm::MIVersionClick);
    help->addSeparator();
    MIHomePage = help->addAction(QStringLiteral("作者ホームページ(&W)"), this, &TMainForm::MIHomePageClick);
    MIMail = help->addAction(QStringLiteral("作者へメール(&M)"), this, &TMainForm::MIMailClick);

    PopupNittei = new QMenu(this);
    PopupJuni = new QMenu(this);
    PopupTaisen = new QMenu(this);
    PopupYusho = new QMenu(this);
    PopupTmJun = new QMenu(this);
}

void TMainForm::BuildToolBar() {
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(true);
    ToolBar1->setIconSize(QSize(20, 20));

    auto tool = [this](const QString& glyph, const QColor& color, const QString& hint, auto slot) {
        QAction* a = ToolBar1->addAction(GlyphIcon(glyph, color), hint);
        a->setToolTip(hint);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    auto dropDown = [this](const QString& glyph, const QColor& color, const QString& hint, QMenu* popup,
                           auto openFirst) {
        auto* button = new QToolButton(ToolBar1);
        button->setIcon(GlyphIcon(glyph, color));
        button->setToolTip(hint);
        button->setMenu(popup);
        button->setPopupMode(QToolButton::MenuButtonPopup);
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, this, openFirst);
        ToolBar1->addWidget(button);
        return button;
    };

    const QColor file(70, 110, 170), entry(190, 110, 30), views(40, 140, 80), windows(120, 120, 120);
    ToolNew = tool(QStringLiteral("新"), file, QStringLiteral("新規作成"), &TMainForm::MINewClick);
    ToolOpen = tool(QStringLiteral("開"), file, QStringLiteral("開く"), &TMainForm::MIOpenClick);
    ToolSave = tool(QStringLiteral("保"), file, QStringLiteral("上書き保存"), &TMainForm::MISaveClick);
    ToolBar1->addSeparator();
    ToolTorokuN = tool(QStringLiteral("登"), entry, QStringLiteral("日程登録"), &TMainForm::MITorokuNClick);
    ToolKekka = tool(QStringLiteral("結"), entry, QStringLiteral("結果登録"), &TMainForm::MIKekkaClick);
    ToolBar1->addSeparator();
    ToolNittei = dropDown(QStringLiteral("日"), views, QStringLiteral("日程"), PopupNittei,
                          [this] { emit ScheduleRequested(0); });
    ToolBar1->addSeparator();
    ToolJuni = dropDown(QStringLiteral("勝"), views, QStringLiteral("勝敗表"), PopupJuni,
                        [this] { emit StandingsRequested(0); });
    ToolTaisen = dropDown(QStringLiteral("対"), views, QStringLiteral("対戦成績表"), PopupTaisen,
                          [this] { emit HeadToHeadRequested(0); });
    ToolYusho = dropDown(QStringLiteral("争"), views, QStringLiteral("優勝争い"), PopupYusho,
                         [this] { emit RaceRequested(0); });
    ToolBar1->addSeparator();
    ToolTmJun = dropDown(QStringLiteral("推"), views, QStringLiteral("チーム別順位推移表"), PopupTmJun,
                         [this] { emit TransitionRequested(0); });
    ToolBar1->addSeparator();
    ToolTileHorizontal =
        ToolBar1->addAction(GlyphIcon(QStringLiteral("上下"), windows), QStringLiteral("上下に並べて表示"));
    connect(ToolTileHorizontal, &QAction::triggered, MITileH, &QAction::trigger);
    ToolTileVertical =
        ToolBar1->addAction(GlyphIcon(QStringLiteral("左右"), windows), QStringLiteral("左右に並べて表示"));
    connect(ToolTileVertical, &QAction::triggered, MITileV, &QAction::trigger);
    ToolCascade = ToolBar1->addAction(GlyphIcon(QStringLiteral("重"), windows), QStringLiteral("重ねて表示"));
    connect(ToolCascade, &QAction::triggered, MICascade, &QAction::trigger);
    ToolAllClose =
        tool(QStringLiteral("閉"), windows, QStringLiteral("すべてのウィンドウを閉じる"), &TMainForm::CloseAllViews);
    ToolBar1->addSeparator();
    ToolHelp = tool(QStringLiteral("？"), QColor(150, 60, 150), QStringLiteral("ヘルプ"), &TMainForm::MIHelpClick);
}

void TMainForm::PlaceWindow() {
    TWorkArea area;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->availableGeometry();
        area = {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
    }
    AppSettings = ReadSettings(TIniFile::Load(SettingsFileToRead(SettingsFiles())), area);
    if (!AppSettings.ToolBarVisible) {
        MIToolBar->setChecked(false);
        ToolBar1->setVisible(false);
    }
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
    if (!LoadSeason(path.toStdString(), pennant, fight)) {
        ApplyCommandStates();
        UpdateCaption();
        return false;
    }
    SeasonPennant = std::move(pennant);
    SeasonFight = std::move(fight);
    SeasonFileName = path;
    BuildViewMenus();
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
    MISave->setEnabled(s.Save);
    ToolSave->setEnabled(s.Save);
    for (QAction* a : {MISaveAs, MISettei, MITorokuN, ToolTorokuN, MIKekka, ToolKekka, MITorikomi})
        a->setEnabled(s.SeasonCommands);
    EnableViewCommands(s.Views);
    MIKakidasi->setEnabled(s.Views);
    MIClear->setEnabled(s.Views);
    if (!SeasonPennant) {
        MenuNittei->clear();
        PopupNittei->clear();
    }
}

void TMainForm::EnableViewCommands(bool on) {
    for (QAction* a : MenuNittei->actions())
        a->setEnabled(on);
    for (QAction* a : PopupNittei->actions())
        a->setEnabled(on);
    ToolNittei->setEnabled(on);
    MenuJuni->menuAction()->setEnabled(on);
    MenuTaisen->menuAction()->setEnabled(on);
    MenuYusho->menuAction()->setEnabled(on);
    ToolJuni->setEnabled(on);
    ToolTaisen->setEnabled(on);
    ToolYusho->setEnabled(on);
    MenuTmJun->menuAction()->setEnabled(on);
    ToolTmJun->setEnabled(on);
}

void TMainForm::UpdateCaption() {
    setWindowTitle(U(MainCaption(SeasonPennant.get())));
}

void TMainForm::BuildViewMenus() {
    for (QMenu* m : {MenuNittei, PopupNittei, MenuJuni, PopupJuni, MenuTaisen, PopupTaisen, MenuYusho, PopupYusho,
                     MenuTmJun, PopupTmJun}) {
        m->clear();
        for (QMenu* group : m->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
            delete group; // with its entries, at once
    }
    if (!SeasonPennant)
        return;
    const bool hasMatches = SeasonFight && SeasonFight->MatchCount() > 0;
    // Only counts here: captions are made when a menu (or a group of it) opens,
    // so a season of half a million teams holds no list of them.
    const auto leagues = static_cast<size_t>(SeasonPennant->LeagueCount());
    const auto districts = static_cast<size_t>(SeasonPennant->TotalDistrictCount());
    const auto teams = static_cast<size_t>(SeasonPennant->TotalTeamCount());
    for (QMenu* m : {MenuNittei, PopupNittei})
        AddViewEntries(m, ScheduleMenuEntries, 0, leagues, &TMainForm::ScheduleRequested, hasMatches);
    for (QMenu* m : {MenuJuni, PopupJuni})
        AddViewEntries(m, DistrictMenuEntries, 0, districts, &TMainForm::StandingsRequested, true);
    for (QMenu* m : {MenuTaisen, PopupTaisen})
        AddViewEntries(m, DistrictMenuEntries, 0, districts, &TMainForm::HeadToHeadRequested, true);
    for (QMenu* m : {MenuYusho, PopupYusho})
        AddViewEntries(m, DistrictMenuEntries, 0, districts, &TMainForm::RaceRequested, true);
    for (QMenu* m : {MenuTmJun, PopupTmJun})
        AddViewEntries(m, TeamMenuEntries, 0, teams, &TMainForm::TransitionRequested, true);
}

void TMainForm::AddViewEntries(QMenu* menu, TEntrySource entries, size_t first, size_t end,
                               void (TMainForm::*request)(int), bool enabled) {
    // Qt walks all of a menu's entries to add or remove one, so a season of
    // 50,000 districts would take minutes to open and close. Past
    // kMenuGroupSize entries the menu holds groups ("1–200", "201–400", …) of
    // entries or of smaller groups, each filled when it is first opened.
    if (end - first <= kMenuGroupSize) {
        if (!SeasonPennant)
            return;
        for (const TViewMenuEntry& e : entries(*SeasonPennant, first, end)) {
            QAction* a = menu->addAction(Q(e.Caption), this, [this, request, i = e.Index] { emit(this->*request)(i); });
            a->setEnabled(enabled);
        }
        return;
    }
    size_t step = kMenuGroupSize;
    while ((end - first + step - 1) / step > kMenuGroupSize)
        step *= kMenuGroupSize;
    for (size_t groupFirst = first; groupFirst < end; groupFirst += step) {
        const size_t groupEnd = std::min(end, groupFirst + step);
        QMenu* group = menu->addMenu(QStringLiteral("%1–%2").arg(groupFirst + 1).arg(groupEnd));
        connect(group, &QMenu::aboutToShow, this, [=, this] {
            if (group->isEmpty())
                AddViewEntries(group, entries, groupFirst, groupEnd, request, enabled);
        });
    }
}

void TMainForm::CloseAllViews() {
    MdiArea->closeAllSubWindows();
}

bool TMainForm::CloseSeason(bool keepName) {
    if (SeasonPennant && SeasonPennant->Modified) {
        switch (Dialogs.AskYesNoCancel(this, QStringLiteral("編集中のデータを保存しますか？"))) {
        case IDialogService::TAnswer::Cancel:
            return false;
        case IDialogService::TAnswer::Yes: {
            if (SeasonFileName.isEmpty()) {
                const QString path = Dialogs.SaveFileName(this, DataFolder(), kSeasonFilter, QStringLiteral("qvk"));
                if (path.isEmpty())
                    return false;
                SeasonFileName = path;
            }
            if (!SaveTo(SeasonFileName)) {
                Dialogs.ShowPlain(this, QStringLiteral("保存に失敗しました。"));
                return false;
            }
            SeasonPennant->Modified = 0;
            break;
        }
        case IDialogService::TAnswer::No:
            break;
        }
    }
    if (SeasonPennant) {
        SeasonPennant.reset();
        SeasonFight.reset();
        if (!keepName)
            SeasonFileName.clear();
    }
    BuildViewMenus();
    ApplyCommandStates();
    return true;
}

void TMainForm::MINewClick() {
    CloseAllViews();
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
    BuildViewMenus();
    ApplyCommandStates();
    UpdateCaption();
}

void TMainForm::MIOpenClick() {
    CloseAllViews();
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
    if (SaveTo(SeasonFileName))
        SeasonPennant->Modified = 0;
    else
        Dialogs.ShowInfoError(this, QStringLiteral("ファイルの保存に失敗しました。"));
}

void TMainForm::MISaveAsClick() {
    if (!SeasonPennant)
        return;
    const QString path = Dialogs.SaveFileName(this, DataFolder(), kSeasonFilter, QStringLiteral("qvk"));
    if (path.isEmpty())
        return;
    if (!SaveTo(path)) {
        Dialogs.ShowInfoError(this, QStringLiteral("ファイルの保存に失敗しました。"));
        return;
    }
    SeasonFileName = path;
    SeasonPennant->Modified = 0;
    ApplyCommandStates();
}

TMainForm::TExportResult TMainForm::ExportMatches() {
    const QString path = Dialogs.SaveFileName(this, DataFolder(), kMatchTextFilter, QStringLiteral("txt"));
    if (path.isEmpty())
        return TExportResult::Cancelled;
    if (!ExportMatchText(path.toStdString(), *SeasonPennant, *SeasonFight)) {
        Dialogs.ShowInfoError(this, QStringLiteral("ファイルの書き出しに失敗しました。"));
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
    CloseAllViews();
    const QString path = Dialogs.OpenFileName(this, DataFolder(), kMatchTextFilter);
    if (path.isEmpty())
        return;
    TMatchText text;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    std::string bytes;
    const bool read = ReadWholeFile(path.toStdString(), bytes);
    if (read)
        text = ReadMatchText(bytes);
    bytes = std::string(); // the file's bytes are not needed any more
    QGuiApplication::restoreOverrideCursor();
    if (!read) {
        Dialogs.ShowInfoError(this, QStringLiteral("ファイルの読み込みに失敗しました。"));
        return;
    }
    switch (CheckImport(*SeasonPennant, *SeasonFight, text)) {
    case TImportCheck::OtherChecker:
        Dialogs.ShowEntryError(this, QStringLiteral("チェッカーが異なります。\r\n該当データは取り込めません。"));
        return;
    case TImportCheck::Unreadable:
        Dialogs.ShowEntryError(this, QString::fromStdString(UnreadableLinesText(text)) +
                                         QStringLiteral("。\r\n対戦データは取り込みませんでした。"));
        return;
    case TImportCheck::Older:
        if (!Dialogs.AskYesNo(this, QStringLiteral("取り込みデータが古い可能性があります\r\n処理を続行しますか？")))
            return;
        break;
    case TImportCheck::Ok:
        break;
    }
    ApplyImport(*SeasonPennant, *SeasonFight, std::move(text));
    SeasonPennant->Modified = 1;
    ApplyCommandStates();
}

void TMainForm::MIClearClick() {
    if (!SeasonPennant)
        return;
    CloseAllViews();
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
        CloseAllViews();
    BuildViewMenus();
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
    CloseAllViews();
    emit ScheduleEntryRequested();
    ApplyCommandStates();
}

void TMainForm::MIKekkaClick() {
    if (!SeasonPennant)
        return;
    CloseAllViews();
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

void TMainForm::MIToolBarClick() {
    // The action has already inverted its check mark.
    ToolBar1->setVisible(MIToolBar->isChecked());
}

void TMainForm::WindowMenuAboutToShow() {
    // The five commands, then one entry per open child window.
    const QList<QAction*> actions = MenuWindow->actions();
    for (int i = 5; i < actions.size(); ++i) {
        MenuWindow->removeAction(actions[i]);
        actions[i]->deleteLater();
    }
    const auto windows = MdiArea->subWindowList();
    for (QAction* a : {MITileH, MITileV, MICascade, MIArrange, MICloseAll})
        a->setEnabled(!windows.isEmpty());
    if (windows.isEmpty())
        return;
    MenuWindow->addSeparator();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* w = windows[i];
        QAction* a = MenuWindow->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(w->windowTitle()), this,
                                           [this, w] { MdiArea->setActiveSubWindow(w); });
        a->setCheckable(true);
        a->setChecked(w == MdiArea->activeSubWindow());
    }
}

void TMainForm::WriteSettingsFile() {
    const QRect bounds = isMaximized() ? normalGeometry() : geometry();
    AppSettings.Max = isMaximized();
    AppSettings.Top = bounds.top();
    AppSettings.Left = bounds.left();
    AppSettings.Width = bounds.width();
    AppSettings.Height = bounds.height();
    AppSettings.ToolBarVisible = MIToolBar->isChecked();
    AppSettings.Bands = {{"ToolBar1", true, ToolBar1->width()}};
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

namespace {
const QString kPictureFilter = QStringLiteral("PNGファイル(*.png)");

// The active child window's table view, if a table view is active.
ITableView* ActiveTableView(QMdiArea* area) {
    // The current child is the active one, and stays known while another program has the focus.
    QMdiSubWindow* active = area->currentSubWindow();
    return active ? dynamic_cast<ITableView*>(active->widget()) : nullptr;
}
} // namespace

void TMainForm::EnablePublishCommands() {
    const bool on = ActiveTableView(MdiArea) != nullptr;
    for (QAction* a : {MIImage, MICopy, MIPrint})
        a->setEnabled(on);
}

void TMainForm::MIImageClick() {
    ITableView* view = ActiveTableView(MdiArea);
    if (!view)
        return;
    const QString path = Dialogs.SaveFileName(this, DataFolder(), kPictureFilter, QStringLiteral("png"));
    if (path.isEmpty())
        return;
    // Made exactly as tablora-cli render makes it, and written like a season:
    // a failure leaves an older picture at that path as it was.
    std::string png, why;
    if (!EncodeTablePicture(view->Picture(), png, why) || !WriteFileAtomically(path.toStdString(), png))
        Dialogs.ShowInfoError(this, QStringLiteral("ファイルの保存に失敗しました。"));
}

void TMainForm::MICopyClick() {
    ITableView* view = ActiveTableView(MdiArea);
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
    ITableView* view = ActiveTableView(MdiArea);
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
