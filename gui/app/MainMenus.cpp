#include "gui/app/MainMenus.h"

#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "draw/QtText.h"
#include "gui/app/UMain.h"
#include "gui/app/ViewOpener.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

namespace {

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

} // namespace

TMainMenus::TMainMenus(TMainForm& form, TViewOpener& views) : QObject(&form), Form(form), Views(views) {
    BuildMenus();
    BuildToolBar();
}

void TMainMenus::BuildMenus() {
    TMainForm* f = &Form;
    QMenuBar* bar = Form.menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
    Item.MINew = file->addAction(QStringLiteral("新規作成(&N)"), f, &TMainForm::MINewClick);
    Item.MIOpen = file->addAction(QStringLiteral("開く(&O)"), f, &TMainForm::MIOpenClick);
    file->addSeparator();
    Item.MISave = file->addAction(QStringLiteral("上書き保存(&S)"), f, &TMainForm::MISaveClick);
    Item.MISaveAs = file->addAction(QStringLiteral("名前を付けて保存(&A)"), f, &TMainForm::MISaveAsClick);
    file->addSeparator();
    Item.MITorikomi = file->addAction(QStringLiteral("対戦データ取り込み(&R)"), f, &TMainForm::MITorikomiClick);
    Item.MIKakidasi = file->addAction(QStringLiteral("対戦データ書き出し(&W)"), f, &TMainForm::MIKakidasiClick);
    Item.MIClear = file->addAction(QStringLiteral("対戦データクリア(&C)"), f, &TMainForm::MIClearClick);
    file->addSeparator();
    Item.MIImage = file->addAction(QStringLiteral("表を画像で保存(&I)..."), f, &TMainForm::MIImageClick);
    Item.MICopy = file->addAction(QStringLiteral("表をコピー(&Y)"), f, &TMainForm::MICopyClick);
    Item.MIPrint = file->addAction(QStringLiteral("印刷(&T)..."), f, &TMainForm::MIPrintClick);
    file->addSeparator();
    Item.MISettei = file->addAction(QStringLiteral("チーム情報設定(&P)"), f, &TMainForm::MISetteiClick);
    Item.MIColor = file->addAction(QStringLiteral("色の設定(&L)"), f, &TMainForm::MIColorClick);
    Item.MIOption = file->addAction(QStringLiteral("オプション(&Q)"), f, &TMainForm::MIOptionClick);
    file->addSeparator();
    Item.MIExit = file->addAction(QStringLiteral("終了(&X)"), f, &QWidget::close);

    QMenu* entry = bar->addMenu(QStringLiteral("登録(&A)"));
    Item.MITorokuN = entry->addAction(QStringLiteral("日程登録(&S)"), f, &TMainForm::MITorokuNClick);
    Item.MIKekka = entry->addAction(QStringLiteral("結果登録(&R)"), f, &TMainForm::MIKekkaClick);

    Item.MenuNittei = bar->addMenu(QStringLiteral("日程(&D)"));
    QMenu* rank = Item.MenuJun = bar->addMenu(QStringLiteral("順位(&R)"));
    Item.MenuJuni = rank->addMenu(QStringLiteral("勝敗表(&J)"));
    Item.MenuTaisen = rank->addMenu(QStringLiteral("対戦成績表(&B)"));
    Item.MenuYusho = rank->addMenu(QStringLiteral("優勝争い(&Y)"));
    Item.MenuOdds = rank->addMenu(QStringLiteral("優勝確率(&P)"));
    QMenu* team = Item.MenuTeam = bar->addMenu(QStringLiteral("チーム(&T)"));
    Item.MenuTmJun = team->addMenu(QStringLiteral("順位推移(&K)"));

    QMenu* view = bar->addMenu(QStringLiteral("表示(&V)"));
    Item.MIToolBar = view->addAction(QStringLiteral("ツールバー(&T)"));
    Item.MIToolBar->setCheckable(true);
    Item.MIToolBar->setChecked(true);
    // The action has already inverted its check mark.
    connect(Item.MIToolBar, &QAction::triggered, this,
            [this] { Item.ToolBar1->setVisible(Item.MIToolBar->isChecked()); });

    TViewOpener* v = &Views;
    Item.MenuWindow = bar->addMenu(QStringLiteral("ウィンドウ(&W)"));
    Item.MITileH =
        Item.MenuWindow->addAction(QStringLiteral("上下に並べて表示(&H)"), v, &TViewOpener::TileHorizontally);
    Item.MITileV = Item.MenuWindow->addAction(QStringLiteral("左右に並べて表示(&V)"), v, &TViewOpener::TileVertically);
    Item.MICascade = Item.MenuWindow->addAction(QStringLiteral("重ねて表示(&C)"), v, &TViewOpener::Cascade);
    Item.MIArrange = Item.MenuWindow->addAction(QStringLiteral("アイコンの整列(&A)"), v, &TViewOpener::ArrangeIcons);
    Item.MICloseAll =
        Item.MenuWindow->addAction(QStringLiteral("すべてのウィンドウを閉じる(&X)"), v, &TViewOpener::CloseAll);
    connect(Item.MenuWindow, &QMenu::aboutToShow, this, &TMainMenus::WindowMenuAboutToShow);

    QMenu* help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    Item.MIHelp = help->addAction(QStringLiteral("ヘルプ(&H)"), f, &TMainForm::MIHelpClick);
    Item.MIVersion = help->addAction(QStringLiteral("バージョン情報(&A)"), f, &TMainForm::MIVersionClick);
    help->addSeparator();
    Item.MIHomePage = help->addAction(QStringLiteral("作者ホームページ(&W)"), f, &TMainForm::MIHomePageClick);
    Item.MIMail = help->addAction(QStringLiteral("作者へメール(&M)"), f, &TMainForm::MIMailClick);

    Item.PopupNittei = new QMenu(f);
    Item.PopupJuni = new QMenu(f);
    Item.PopupTaisen = new QMenu(f);
    Item.PopupYusho = new QMenu(f);
    Item.PopupOdds = new QMenu(f);
    Item.PopupTmJun = new QMenu(f);
}

void TMainMenus::BuildToolBar() {
    TMainForm* f = &Form;
    QToolBar* bar = Item.ToolBar1 = Form.addToolBar(QStringLiteral("ToolBar1"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(true);
    bar->setIconSize(QSize(20, 20));

    auto tool = [this, bar](const QString& glyph, const QColor& color, const QString& hint, auto* receiver, auto slot) {
        QAction* a = bar->addAction(GlyphIcon(glyph, color), hint);
        a->setToolTip(hint);
        connect(a, &QAction::triggered, receiver, slot);
        return a;
    };
    // A button that opens the first view of its kind, with the list of them beside it.
    auto dropDown = [bar, f](const QString& glyph, const QColor& color, const QString& hint, QMenu* popup,
                             void (TMainForm::*request)(int)) {
        auto* button = new QToolButton(bar);
        button->setIcon(GlyphIcon(glyph, color));
        button->setToolTip(hint);
        button->setMenu(popup);
        button->setPopupMode(QToolButton::MenuButtonPopup);
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, f, [f, request] { emit(f->*request)(0); });
        bar->addWidget(button);
        return button;
    };
    // A button that does what a window command does.
    auto likeCommand = [this, bar](const QString& glyph, const QColor& color, const QString& hint, QAction* command) {
        QAction* a = bar->addAction(GlyphIcon(glyph, color), hint);
        connect(a, &QAction::triggered, command, &QAction::trigger);
        return a;
    };

    const QColor file(70, 110, 170), entry(190, 110, 30), views(40, 140, 80), windows(120, 120, 120);
    Item.ToolNew = tool(QStringLiteral("新"), file, QStringLiteral("新規作成"), f, &TMainForm::MINewClick);
    Item.ToolOpen = tool(QStringLiteral("開"), file, QStringLiteral("開く"), f, &TMainForm::MIOpenClick);
    Item.ToolSave = tool(QStringLiteral("保"), file, QStringLiteral("上書き保存"), f, &TMainForm::MISaveClick);
    bar->addSeparator();
    Item.ToolTorokuN = tool(QStringLiteral("登"), entry, QStringLiteral("日程登録"), f, &TMainForm::MITorokuNClick);
    Item.ToolKekka = tool(QStringLiteral("結"), entry, QStringLiteral("結果登録"), f, &TMainForm::MIKekkaClick);
    bar->addSeparator();
    Item.ToolNittei =
        dropDown(QStringLiteral("日"), views, QStringLiteral("日程"), Item.PopupNittei, &TMainForm::ScheduleRequested);
    bar->addSeparator();
    Item.ToolJuni =
        dropDown(QStringLiteral("勝"), views, QStringLiteral("勝敗表"), Item.PopupJuni, &TMainForm::StandingsRequested);
    Item.ToolTaisen = dropDown(QStringLiteral("対"), views, QStringLiteral("対戦成績表"), Item.PopupTaisen,
                               &TMainForm::HeadToHeadRequested);
    Item.ToolYusho =
        dropDown(QStringLiteral("争"), views, QStringLiteral("優勝争い"), Item.PopupYusho, &TMainForm::RaceRequested);
    Item.ToolOdds =
        dropDown(QStringLiteral("率"), views, QStringLiteral("優勝確率"), Item.PopupOdds, &TMainForm::OddsRequested);
    bar->addSeparator();
    Item.ToolTmJun = dropDown(QStringLiteral("推"), views, QStringLiteral("チーム別順位推移表"), Item.PopupTmJun,
                              &TMainForm::TransitionRequested);
    bar->addSeparator();
    Item.ToolTileHorizontal =
        likeCommand(QStringLiteral("上下"), windows, QStringLiteral("上下に並べて表示"), Item.MITileH);
    Item.ToolTileVertical =
        likeCommand(QStringLiteral("左右"), windows, QStringLiteral("左右に並べて表示"), Item.MITileV);
    Item.ToolCascade = likeCommand(QStringLiteral("重"), windows, QStringLiteral("重ねて表示"), Item.MICascade);
    Item.ToolAllClose = tool(QStringLiteral("閉"), windows, QStringLiteral("すべてのウィンドウを閉じる"), &Views,
                             &TViewOpener::CloseAll);
    bar->addSeparator();
    Item.ToolHelp =
        tool(QStringLiteral("？"), QColor(150, 60, 150), QStringLiteral("ヘルプ"), f, &TMainForm::MIHelpClick);
}

bool TMainMenus::ToolBarShown() const {
    return Item.MIToolBar->isChecked();
}

void TMainMenus::ShowToolBar(bool on) {
    Item.MIToolBar->setChecked(on);
    Item.ToolBar1->setVisible(on);
}

int TMainMenus::ToolBarWidth() const {
    return Item.ToolBar1->width();
}

void TMainMenus::ApplyStates(const TCommandStates& s, bool seasonOpen) {
    Item.MISave->setEnabled(s.Save);
    Item.ToolSave->setEnabled(s.Save);
    for (QAction* a : {Item.MISaveAs, Item.MISettei, Item.MITorokuN, Item.ToolTorokuN, Item.MIKekka, Item.ToolKekka,
                       Item.MITorikomi})
        a->setEnabled(s.SeasonCommands);
    EnableViews(s.Views);
    Item.MIKakidasi->setEnabled(s.Views);
    Item.MIClear->setEnabled(s.Views);
    if (!seasonOpen) {
        Item.MenuNittei->clear();
        Item.PopupNittei->clear();
    }
}

void TMainMenus::EnableViews(bool on) {
    for (QAction* a : Item.MenuNittei->actions())
        a->setEnabled(on);
    for (QAction* a : Item.PopupNittei->actions())
        a->setEnabled(on);
    Item.ToolNittei->setEnabled(on);
    Item.MenuJuni->menuAction()->setEnabled(on);
    Item.MenuTaisen->menuAction()->setEnabled(on);
    Item.MenuYusho->menuAction()->setEnabled(on);
    Item.MenuOdds->menuAction()->setEnabled(on);
    Item.ToolJuni->setEnabled(on);
    Item.ToolTaisen->setEnabled(on);
    Item.ToolYusho->setEnabled(on);
    Item.ToolOdds->setEnabled(on);
    Item.MenuTmJun->menuAction()->setEnabled(on);
    Item.ToolTmJun->setEnabled(on);
}

void TMainMenus::EnablePublish(bool on) {
    for (QAction* a : {Item.MIImage, Item.MICopy, Item.MIPrint})
        a->setEnabled(on);
}

void TMainMenus::BuildViewLists() {
    for (QMenu* m :
         {Item.MenuNittei, Item.PopupNittei, Item.MenuJuni, Item.PopupJuni, Item.MenuTaisen, Item.PopupTaisen,
          Item.MenuYusho, Item.PopupYusho, Item.MenuOdds, Item.PopupOdds, Item.MenuTmJun, Item.PopupTmJun}) {
        m->clear();
        for (QMenu* group : m->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
            delete group; // with its entries, at once
    }
    const TPennant* pennant = Form.Pennant();
    if (!pennant)
        return;
    const bool hasMatches = Form.Fight() && Form.Fight()->MatchCount() > 0;
    // Only counts here: captions are made when a menu (or a group of it) opens,
    // so a season of half a million teams holds no list of them.
    const auto leagues = static_cast<size_t>(pennant->LeagueCount());
    const auto districts = static_cast<size_t>(pennant->TotalDistrictCount());
    const auto teams = static_cast<size_t>(pennant->TotalTeamCount());
    for (QMenu* m : {Item.MenuNittei, Item.PopupNittei})
        AddViewEntries(m, ScheduleMenuEntries, 0, leagues, &TMainForm::ScheduleRequested, hasMatches);
    for (QMenu* m : {Item.MenuJuni, Item.PopupJuni})
        AddViewEntries(m, DistrictMenuEntries, 0, districts, &TMainForm::StandingsRequested, true);
    for (QMenu* m : {Item.MenuTaisen, Item.PopupTaisen})
        AddViewEntries(m, DistrictMenuEntries, 0, districts, &TMainForm::HeadToHeadRequested, true);
    for (QMenu* m : {Item.MenuYusho, Item.PopupYusho})
        AddViewEntries(m, DistrictMenuEntries, 0, districts, &TMainForm::RaceRequested, true);
    for (QMenu* m : {Item.MenuOdds, Item.PopupOdds})
        AddViewEntries(m, DistrictMenuEntries, 0, districts, &TMainForm::OddsRequested, true);
    for (QMenu* m : {Item.MenuTmJun, Item.PopupTmJun})
        AddViewEntries(m, TeamMenuEntries, 0, teams, &TMainForm::TransitionRequested, true);
}

void TMainMenus::AddViewEntries(QMenu* menu, TEntrySource entries, size_t first, size_t end,
                                void (TMainForm::*request)(int), bool enabled) {
    // Qt walks all of a menu's entries to add or remove one, so a season of
    // 50,000 districts would take minutes to open and close. Past
    // kMenuGroupSize entries the menu holds groups ("1–200", "201–400", …) of
    // entries or of smaller groups, each filled when it is first opened.
    if (end - first <= kMenuGroupSize) {
        if (!Form.Pennant())
            return;
        TMainForm* f = &Form;
        for (const TViewMenuEntry& e : entries(*Form.Pennant(), first, end)) {
            QAction* a = menu->addAction(Q(e.Caption), f, [f, request, i = e.Index] { emit(f->*request)(i); });
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

void TMainMenus::WindowMenuAboutToShow() {
    // The five commands, then one entry per open child window.
    const QList<QAction*> actions = Item.MenuWindow->actions();
    for (int i = 5; i < actions.size(); ++i) {
        Item.MenuWindow->removeAction(actions[i]);
        actions[i]->deleteLater();
    }
    QMdiArea* area = Form.Mdi();
    const auto windows = area->subWindowList();
    for (QAction* a : {Item.MITileH, Item.MITileV, Item.MICascade, Item.MIArrange, Item.MICloseAll})
        a->setEnabled(!windows.isEmpty());
    if (windows.isEmpty())
        return;
    Item.MenuWindow->addSeparator();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* w = windows[i];
        QAction* a = Item.MenuWindow->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(w->windowTitle()), area,
                                                [area, w] { area->setActiveSubWindow(w); });
        a->setCheckable(true);
        a->setChecked(w == area->activeSubWindow());
    }
}
