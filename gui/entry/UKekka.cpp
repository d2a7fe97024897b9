#include "gui/entry/UKekka.h"

#include "core/base/DayNumber.h"
#include "core/io/AppSettings.h"
#include "core/season/BaseballPennant.h"
#include "draw/QtText.h"
#include "gui/controls/DialogFrame.h"
#include "gui/controls/DialogService.h"
#include "gui/controls/NumberBox.h"
#include "gui/controls/RadioGroup.h"
#include "gui/entry/EntryWidgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <algorithm>

TFmKekka::TFmKekka(TPennant& pennant, TFight& fight, const TAppSettings& settings, double startDay,
                   IDialogService& dialogs, QWidget* parent)
    : TEntryDialog(settings.TMax, parent), Pennant(pennant), Fight(fight), Settings(settings), Dialogs(dialogs) {
    setWindowTitle(QStringLiteral("ペナントレース結果登録"));
    BtnBack->setGeometry(117, 13, 69, 25);
    // 128 pixels wide: at 113 the weekday was cut off.
    DTPKijun->setGeometry(192, 13, 128, 25);
    BtnNext->setGeometry(326, 13, 69, 25);
    ScrollBox1 = new QScrollArea(this);
    Content = new QWidget;
    ScrollBox1->setWidget(Content);
    BtnToroku = EntryButton(this, QStringLiteral("登録(&R)"), QStringLiteral("入力された内容で登録します"));
    BtnEnd = EntryButton(this, QStringLiteral("完了(&X)"), QStringLiteral("結果登録を終了します"));

    QFont heading = font();
    heading.setItalic(true);
    heading.setUnderline(true);
    HomeHeading = new QLabel(QStringLiteral("ホーム"), Content);
    HomeHeading->setFont(heading);
    HomeHeading->adjustSize();
    HomeHeading->move(133 - HomeHeading->width(), 8);
    VisitorHeading = new QLabel(QStringLiteral("ビジター"), Content);
    VisitorHeading->setFont(heading);
    VisitorHeading->move(274, 8);
    NoGames = new QLabel(QStringLiteral("試　合　が　あ　り　ま　せ　ん"), ScrollBox1->viewport());
    QFont big = font();
    big.setPixelSize(20); // 15 points
    NoGames->setFont(big);
    NoGames->adjustSize();

    connect(BtnToroku, &QPushButton::clicked, this, &TFmKekka::BtnTorokuClick);
    connect(BtnEnd, &QPushButton::clicked, this, &QDialog::accept);
    resize(630, 579);
    SetDay(startDay);
    // The dialog opens ready for the first score; a field reached with Tab scrolls into view.
    (Rows.empty() ? static_cast<QWidget*>(DTPKijun) : Rows[0].HomeScore)->setFocus();
    FollowFocus(ScrollBox1, Content);
}

void TFmKekka::OrderTabs() {
    // The day, then row by row the mark, the two scores, the state (one stop at
    // the state chosen) and the make-up choices when shown, then the buttons.
    std::vector<QWidget*> order = {BtnBack, DTPKijun, BtnNext};
    for (const TRow& row : Rows) {
        order.insert(order.end(), {row.Mark, row.HomeScore, row.VisitorScore});
        for (QAbstractButton* state : row.State->buttons())
            order.push_back(state);
        order.insert(order.end(), {row.NoMakeUp, row.MakeUpUndecided, row.MakeUpDate});
    }
    order.insert(order.end(), {BtnToroku, BtnEnd, BtnMae, BtnTugi});
    ChainTabs(order);
}

void TFmKekka::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int w = width(), h = height();
    ScrollBox1->setGeometry(8, 48, std::max(w - 122, 50), std::max(h - 114, 50));
    BtnToroku->setGeometry(w - 101, h - 149, 81, 27);
    BtnEnd->setGeometry(w - 101, h - 94, 81, 27);
    BtnMae->setGeometry(8, h - 56, 50, 22);
    BtnTugi->setGeometry(59, h - 56, 50, 22);
    const QSize area = ScrollBox1->viewport()->size();
    NoGames->move(area.width() / 2 - NoGames->width() / 2, area.height() / 2 - NoGames->height() / 2);
}

void TFmKekka::DayPicked(double day) {
    if (days::SameDay(day, days::UndecidedDate))
        return; // the undecided games are opened only from the main window
    TEntryDialog::DayPicked(day);
}

void TFmKekka::BtnNextClick() {
    // No day follows the undecided date: stay on it.
    if (days::SameDay(Picked, days::UndecidedDate))
        return;
    SetDay(Picked + 1);
}

uint8_t TFmKekka::DrawRuleOf(const TResultEntry& entry) const {
    return Pennant.DrawRuleBySymbol(entry.Match.HomeSymbol.Text());
}

void TFmKekka::RemoveRows() {
    DeleteRowWidgets();
    Rows.clear();
}

TFmKekka::TRow& TFmKekka::CreateRow() {
    const int n = static_cast<int>(Rows.size()) + 1;
    const size_t index = Rows.size();
    const int top = 70 * n;
    TRow row;
    row.Mark = RowWidget(new QCheckBox(Content));
    row.Mark->setGeometry(5, top - 21, 20, 20);
    row.HomeName = RowWidget(new QLabel(QStringLiteral("ホームチーム名"), Content));
    row.HomeName->setGeometry(30, top - 19, 108, 16);
    row.HomeName->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto scoreField = [&](int left) {
        auto* box = RowWidget(new TNumberBox(0, 99, ScoreFromText, Content));
        box->setGeometry(left, top - 23, std::max(40, box->sizeHint().width()), 22); // "99" whole in any font
        box->setAlignment(Qt::AlignRight);
        return box;
    };
    row.HomeScore = scoreField(146);
    row.Dash = RowWidget(new QLabel(QStringLiteral("-"), Content));
    row.Dash->move(204, top - 20);
    row.VisitorScore = scoreField(226);
    row.VisitorName = RowWidget(new QLabel(QStringLiteral("ビジターチーム名"), Content));
    row.VisitorName->setGeometry(274, top - 19, 108, 16);
    row.StateBox = RowWidget(new QGroupBox(Content));
    row.StateBox->setGeometry(382, top - 50, 82, 65);
    row.State = new QButtonGroup(row.StateBox); // goes with its box
    row.State->setExclusive(true);
    const QString states[] = {QStringLiteral("試合前"), QStringLiteral("試合終了"), QStringLiteral("試合中止")};
    for (int s = 0; s < 3; ++s) {
        auto* b = new QRadioButton(states[s], row.StateBox);
        b->setGeometry(6, 4 + 19 * s, 74, 18);
        row.State->addButton(b, s);
    }
    TabStopOnCheckedButton(*row.State);
    // The two check boxes stand 5 and 4 pixels higher, the picker 2 lower than
    // the rows' first plan: with our fonts the picker covered "振替日未定".
    row.NoMakeUp = RowWidget(new QCheckBox(QStringLiteral("振替試合を登録しない"), Content));
    row.NoMakeUp->setGeometry(467, top - 45, 140, 18);
    row.MakeUpUndecided = RowWidget(new QCheckBox(QStringLiteral("振替日未定"), Content));
    row.MakeUpUndecided->setGeometry(467, top - 26, 140, 18);
    row.MakeUpLabel = RowWidget(new QLabel(QStringLiteral("振替日"), Content));
    row.MakeUpLabel->setGeometry(467, top - 6, 38, 22);
    row.MakeUpDate = RowWidget(EntryDatePicker(Content, QStringLiteral("yyyy/MM/dd")));
    row.MakeUpDate->setGeometry(507, top - 6, 100, 22); // 85 pixels cut the date off
    row.MakeUpDate->setDate(DateOfDay(Picked));
    for (QWidget* w :
         std::initializer_list<QWidget*>{row.NoMakeUp, row.MakeUpUndecided, row.MakeUpLabel, row.MakeUpDate})
        w->hide();

    connect(row.Mark, &QCheckBox::clicked, this, [this, index](bool on) { EntryOf(index).Marked = on; });
    connect(row.HomeScore, &QSpinBox::valueChanged, this, [this, index] { ScoreChanged(index, true); });
    connect(row.VisitorScore, &QSpinBox::valueChanged, this, [this, index] { ScoreChanged(index, false); });
    connect(row.State, &QButtonGroup::idToggled, this, [this, index](int id, bool on) {
        if (on)
            StateChosen(index, id);
    });
    connect(row.NoMakeUp, &QCheckBox::clicked, this, [this, index](bool on) { NoMakeUpClicked(index, on); });
    connect(row.MakeUpUndecided, &QCheckBox::clicked, this, [this, index](bool on) { UndecidedClicked(index, on); });
    connect(row.MakeUpDate, &QDateEdit::dateChanged, this, [this, index](const QDate& date) {
        if (!Filling)
            EntryOf(index).MakeUpDate = DayOfDate(date);
    });
    Rows.push_back(row);
    Content->resize(612, 70 * n + 30);
    for (QWidget* w : std::initializer_list<QWidget*>{row.Mark, row.HomeName, row.HomeScore, row.Dash, row.VisitorScore,
                                                      row.VisitorName, row.StateBox})
        w->show();
    return Rows.back();
}

void TFmKekka::ScoreChanged(size_t rowOnPage, bool home) {
    if (Filling)
        return;
    TRow& row = Rows[rowOnPage];
    TResultEntry& entry = EntryOf(rowOnPage);
    if (row.State->checkedId() < 0)
        return;
    const int v = (home ? row.HomeScore : row.VisitorScore)->value();
    (home ? entry.Match.HomeScore : entry.Match.VisitorScore) = static_cast<int8_t>(v);
    if (v > 0 && row.State->checkedId() != StatusFinished)
        row.State->button(StatusFinished)->setChecked(true); // runs the state's reaction
    if (DrawReplayOffered(entry, DrawRuleOf(entry)))
        ShowMakeUp(rowOnPage, true);
    else if (row.State->checkedId() != StatusCancelled)
        ShowMakeUp(rowOnPage, false);
}

void TFmKekka::StateChosen(size_t rowOnPage, int state) {
    TRow& row = Rows[rowOnPage];
    TResultEntry& entry = EntryOf(rowOnPage);
    row.HomeScore->setEnabled(true);
    row.VisitorScore->setEnabled(true);
    ShowMakeUp(rowOnPage, false);
    auto zero = [&] {
        Filling = true;
        row.HomeScore->setValue(0);
        row.VisitorScore->setValue(0);
        Filling = false;
        entry.Match.HomeScore = entry.Match.VisitorScore = 0;
    };
    if (state == StatusBefore) {
        zero();
        entry.NewState = StatusBefore;
    } else if (state == StatusFinished) {
        entry.NewState = StatusFinished;
        if (DrawReplayOffered(entry, DrawRuleOf(entry)))
            ShowMakeUp(rowOnPage, true);
    } else {
        if (entry.Match.Status != StatusCancelled)
            ShowMakeUp(rowOnPage, true);
        zero();
        row.HomeScore->setEnabled(false);
        row.VisitorScore->setEnabled(false);
        entry.NewState = StatusCancelled;
    }
}

void TFmKekka::ShowMakeUp(size_t rowOnPage, bool show) {
    TRow& row = Rows[rowOnPage];
    for (QWidget* w :
         std::initializer_list<QWidget*>{row.NoMakeUp, row.MakeUpUndecided, row.MakeUpLabel, row.MakeUpDate})
        w->setVisible(show);
    if (show) {
        const TResultEntry& entry = EntryOf(rowOnPage);
        const bool noMakeUp = entry.NoMakeUp, undecided = entry.MakeUpUndecided;
        const double day = entry.MakeUpDate;
        row.NoMakeUp->setChecked(noMakeUp);
        NoMakeUpClicked(rowOnPage, noMakeUp);
        if (!noMakeUp) {
            row.MakeUpUndecided->setChecked(undecided);
            UndecidedClicked(rowOnPage, undecided);
        }
        Filling = true;
        row.MakeUpDate->setDate(DateOfDay(day));
        Filling = false;
    }
    UpdateLayout();
}

void TFmKekka::NoMakeUpClicked(size_t rowOnPage, bool on) {
    TRow& row = Rows[rowOnPage];
    if (on) {
        row.MakeUpUndecided->setChecked(false);
        UndecidedClicked(rowOnPage, false);
    }
    row.MakeUpUndecided->setEnabled(!on);
    row.MakeUpDate->setEnabled(!on && !row.MakeUpUndecided->isChecked());
    EntryOf(rowOnPage).NoMakeUp = on;
}

void TFmKekka::UndecidedClicked(size_t rowOnPage, bool on) {
    Rows[rowOnPage].MakeUpDate->setEnabled(!on && !Rows[rowOnPage].NoMakeUp->isChecked());
    EntryOf(rowOnPage).MakeUpUndecided = on;
}

void TFmKekka::UpdateLayout() {
    bool makeUp = false;
    for (const TRow& row : Rows)
        makeUp = makeUp || !row.NoMakeUp->isHidden();
    resize(makeUp ? 750 : 630, height());
    Content->resize(makeUp ? 612 : 470, Content->height());
    HomeHeading->setVisible(!Rows.empty());
    VisitorHeading->setVisible(!Rows.empty());
    NoGames->setVisible(Rows.empty());
}

void TFmKekka::ColorNames(TRow& row, const TResultEntry& entry) {
    auto paint = [this](QLabel* label, int32_t stored, bool struck) {
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, StoredToQColor(stored, palette()));
        label->setPalette(pal);
        QFont f = label->font();
        f.setStrikeOut(struck);
        label->setFont(f);
    };
    const TMatchRec& m = entry.Match;
    const int32_t text = SysColorWindowText;
    if (m.Status == StatusFinished) {
        if (m.HomeScore > m.VisitorScore) {
            paint(row.HomeName, Settings.KekkaWin, false);
            paint(row.VisitorName, Settings.KekkaLost, false);
        } else if (m.HomeScore < m.VisitorScore) {
            paint(row.HomeName, Settings.KekkaLost, false);
            paint(row.VisitorName, Settings.KekkaWin, false);
        } else {
            paint(row.HomeName, Settings.KekkaDraw, false);
            paint(row.VisitorName, Settings.KekkaDraw, false);
        }
    } else {
        const bool struck = m.Status == StatusCancelled;
        paint(row.HomeName, text, struck);
        paint(row.VisitorName, text, struck);
    }
}

void TFmKekka::LoadDay() {
    RemoveRows();
    FirstPage();
    Entries.clear();
    int index = 0;
    while (TMatchRec* game = Fight.FindNextOnDay(index, Picked)) {
        TResultEntry entry;
        entry.LiveMatch = game;
        entry.Match = *game;
        entry.NewState = game->Status;
        entry.MakeUpDate = Picked;
        Entries.push_back(entry);
        if (PageFull(static_cast<int>(Rows.size()))) {
            BtnTugi->setEnabled(true);
            continue;
        }
        TRow& row = CreateRow();
        row.HomeName->setText(Q(Pennant.ShortNameBySymbol(game->HomeSymbol.Text())));
        row.VisitorName->setText(Q(Pennant.ShortNameBySymbol(game->VisitorSymbol.Text())));
        row.HomeScore->setValue(game->HomeScore);
        row.VisitorScore->setValue(game->VisitorScore);
        if (game->Status <= StatusCancelled)
            row.State->button(game->Status)->setChecked(true);
        ColorNames(row, Entries.back());
    }
    resize(630, height());
    UpdateLayout();
    OrderTabs();
    RestoreRowFocus(Rows.empty() ? nullptr : Rows[0].HomeScore);
}

void TFmKekka::ShowPage(int start) {
    RemoveRows();
    for (int i = start; i < start + TMaxRows && i < static_cast<int>(Entries.size()); ++i) {
        const size_t n = Rows.size();
        const TResultEntry saved = Entries[static_cast<size_t>(i)];
        TRow& row = CreateRow();
        row.Mark->setChecked(saved.Marked);
        row.HomeName->setText(Q(Pennant.ShortNameBySymbol(saved.Match.HomeSymbol.Text())));
        row.VisitorName->setText(Q(Pennant.ShortNameBySymbol(saved.Match.VisitorSymbol.Text())));
        if (saved.NewState <= StatusCancelled)
            row.State->button(saved.NewState)->setChecked(true);
        row.HomeScore->setValue(saved.Match.HomeScore);
        row.VisitorScore->setValue(saved.Match.VisitorScore);
        TResultEntry& entry = EntryOf(n);
        entry.NoMakeUp = saved.NoMakeUp;
        entry.MakeUpUndecided = saved.MakeUpUndecided;
        entry.MakeUpDate = saved.MakeUpDate;
        if (!row.NoMakeUp->isHidden())
            ShowMakeUp(n, true);
        ColorNames(row, entry);
    }
    UpdateLayout();
    OrderTabs();
    UpdatePaging(start, static_cast<int>(Entries.size()));
    RestoreRowFocus(Rows.empty() ? nullptr : Rows[0].HomeScore);
}

bool TFmKekka::BtnTorokuClick() {
    if (!Dialogs.AskYesNo(this, QString::fromStdString(ConfirmText(Picked))))
        return false;
    RegisterResults(Pennant, Fight, Entries, days::Now());
    LoadDay();
    return true;
}
