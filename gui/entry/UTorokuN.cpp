#include "gui/entry/UTorokuN.h"

#include "gui/entry/EntryWidgets.h"

#include "core/base/DayNumber.h"
#include "core/season/BaseballPennant.h"
#include "draw/QtText.h"
#include "gui/controls/DialogFrame.h"
#include "gui/controls/DialogService.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QStringListModel>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <cmath>

namespace {
double Today() {
    return std::floor(days::Now());
}
} // namespace

int TFmTorokuN::SymbolBoxWidth(const QFont& font) {
    // 50 pixels, widened by the least that shows the widest three capitals
    // ("WWW") whole beside the box's arrow in this style and font.
    QComboBox probe;
    probe.setFont(font);
    probe.setEditable(true);
    QStyleOptionComboBox option;
    option.initFrom(&probe);
    option.editable = true;
    option.rect = QRect(0, 0, 50, 24);
    const QRect field =
        probe.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &probe);
    const int needed =
        probe.lineEdit()->fontMetrics().horizontalAdvance(QStringLiteral("WWW")) + 2 * kLineEditMargin + 1;
    return 50 + std::max(needed - field.width(), 0);
}

TFmTorokuN::TFmTorokuN(TPennant& pennant, TFight& fight, bool useSymbols, int rowsPerPage, IDialogService& dialogs,
                       QWidget* parent)
    : TEntryDialog(rowsPerPage, parent), Pennant(pennant), Fight(fight), Dialogs(dialogs), Sche(useSymbols),
      TeamBoxWidth(useSymbols ? SymbolBoxWidth(font()) : 135) {
    setWindowTitle(QStringLiteral("ペナントレース日程登録"));
    Teams = BuildTeamList(Pennant);
    // One list of teams for every row's two boxes: a season of many teams
    // would otherwise copy it into each box.
    QStringList names;
    names.reserve(static_cast<qsizetype>(Teams.size()) + 1);
    for (const TTeamItem& t : Teams)
        names << Q(Sche ? t.Symbol : t.ShortName);
    if (!Sche)
        names << QString(); // the empty item clears the choice
    TeamNames = new QStringListModel(names, this);

    BtnMitei = EntryButton(this, QStringLiteral("試合日未定データ表示(&D)"), QString());
    ScrollBox1 = new QScrollArea(this);
    Content = new QWidget;
    ScrollBox1->setWidget(Content);
    BtnAdd = EntryButton(this, QStringLiteral("追加(&A)"), QStringLiteral("対戦登録フォームをひとつ追加します"));
    BtnClear = EntryButton(this, QStringLiteral("クリア(&C)"), QStringLiteral("チーム名をクリアします"));
    BtnZen = EntryButton(this, QStringLiteral("前日コピー(&P)"), QStringLiteral("前日の組み合わせをコピーします"));
    BtnToroku = EntryButton(this, QStringLiteral("登録(&R)"), QStringLiteral("入力されている内容を登録します"));
    BtnEnd = EntryButton(this, QStringLiteral("閉じる(&X)"), QStringLiteral("日程登録を終了します"));
    BtnBack->setGeometry(8, 13, 69, 25);
    // 128 pixels wide: at 113 the weekday was cut off.
    DTPKijun->setGeometry(83, 13, 128, 25);
    BtnNext->setGeometry(215, 13, 69, 25);
    BtnMitei->setGeometry(54, 43, 153, 25);

    QFont headingFont = font();
    headingFont.setItalic(true);
    auto* home = new QLabel(QStringLiteral("ホーム"), Content);
    auto* visitor = new QLabel(QStringLiteral("ビジター"), Content);
    home->setFont(headingFont);
    visitor->setFont(headingFont);
    home->move(33, 8);
    visitor->move(TeamBoxWidth + 73, 8);

    connect(BtnMitei, &QPushButton::clicked, this, &TFmTorokuN::BtnMiteiClick);
    connect(BtnAdd, &QPushButton::clicked, this, &TFmTorokuN::BtnAddClick);
    connect(BtnClear, &QPushButton::clicked, this, &TFmTorokuN::BtnClearClick);
    connect(BtnZen, &QPushButton::clicked, this, &TFmTorokuN::BtnZenClick);
    connect(BtnToroku, &QPushButton::clicked, this, &TFmTorokuN::BtnTorokuClick);
    connect(BtnEnd, &QPushButton::clicked, this, &QDialog::accept);
    FollowFocus(ScrollBox1, Content);

    resize(487, 522);
    SetDay(Today());
    // The dialog opens ready for the first team.
    (Rows.empty() ? static_cast<QWidget*>(DTPKijun) : Rows[0].Home)->setFocus();
}

void TFmTorokuN::OrderTabs() {
    // The day, the undecided games, row by row the mark, the two teams and the
    // choices of a stored game, then the buttons beside the rows and the page buttons.
    std::vector<QWidget*> order = {BtnBack, DTPKijun, BtnNext, BtnMitei};
    for (const TRow& row : Rows)
        order.insert(order.end(),
                     {row.Mark, row.Home, row.Visitor, row.Delete, row.ChangeDate, row.Undecided, row.Date});
    order.insert(order.end(), {BtnAdd, BtnClear, BtnZen, BtnToroku, BtnEnd, BtnMae, BtnTugi});
    ChainTabs(order);
}

void TFmTorokuN::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // The row area stretches; the buttons keep their distance to the edges.
    const int w = width(), h = height();
    ScrollBox1->setGeometry(8, 72, std::max(w - 125, 50), std::max(h - 144, 50));
    BtnAdd->setGeometry(w - 102, 72, 81, 27);
    BtnClear->setGeometry(w - 102, 114, 81, 27);
    BtnZen->setGeometry(w - 102, 156, 81, 27);
    BtnToroku->setGeometry(w - 102, h - 140, 81, 27);
    BtnEnd->setGeometry(w - 102, h - 98, 81, 27);
    BtnMae->setGeometry(8, h - 61, 50, 22);
    BtnTugi->setGeometry(59, h - 61, 50, 22);
}

void TFmTorokuN::SetClientWidth(int width) {
    resize(width, height());
}

void TFmTorokuN::DayPicked(double day) {
    BtnBack->setEnabled(true);
    BtnNext->setEnabled(true);
    TEntryDialog::DayPicked(day);
}

void TFmTorokuN::BtnMiteiClick() {
    BtnBack->setEnabled(false);
    BtnNext->setEnabled(false);
    SetDay(days::UndecidedDate);
}

void TFmTorokuN::RemoveRows() {
    DeleteRowWidgets();
    Rows.clear();
}

TFmTorokuN::TRow& TFmTorokuN::CreateRow() {
    const int n = static_cast<int>(Rows.size()) + 1;
    const size_t index = Rows.size();
    TRow row;
    row.Mark = RowWidget(new QCheckBox(Content));
    row.Mark->setGeometry(8, 60 * n - 30, 20, 20);
    auto teamBox = [&](int left) {
        auto* box = RowWidget(new QComboBox(Content));
        box->setGeometry(left, 60 * n - 32, TeamBoxWidth, 24);
        if (Sche) {
            box->setEditable(true);
            box->lineEdit()->setMaxLength(3);
            box->setInsertPolicy(QComboBox::NoInsert); // a symbol typed is not a new team
        }
        box->setModel(TeamNames);
        box->setCurrentIndex(-1);
        box->setEditText(QString());
        return box;
    };
    row.Home = teamBox(33);
    row.Vs = RowWidget(new QLabel(QStringLiteral("vs"), Content));
    row.Vs->move(TeamBoxWidth + 48, 60 * n - 27);
    row.Visitor = teamBox(TeamBoxWidth + 73);
    row.Delete = RowWidget(new QCheckBox(QStringLiteral("削除"), Content));
    row.Delete->setGeometry(2 * TeamBoxWidth + 88, 60 * n - 32, 50, 20);
    row.ChangeDate = RowWidget(new QCheckBox(QStringLiteral("試合日変更"), Content));
    row.ChangeDate->setGeometry(2 * TeamBoxWidth + 88, 60 * n - 8, 85, 20);
    row.Date = RowWidget(EntryDatePicker(Content, QStringLiteral("yyyy/MM/dd")));
    row.Date->setGeometry(2 * TeamBoxWidth + 178, 60 * n - 11, 97, 22);
    row.Date->setDate(DateOfDay(days::SameDay(Picked, days::UndecidedDate) ? Today() : Picked));
    row.Undecided = RowWidget(new QCheckBox(QStringLiteral("試合日未定"), Content));
    row.Undecided->setGeometry(2 * TeamBoxWidth + 178, 60 * n - 28, 85, 20);
    for (QWidget* w : std::initializer_list<QWidget*>{row.Delete, row.ChangeDate, row.Date, row.Undecided})
        w->hide();

    connect(row.Mark, &QCheckBox::clicked, this, [this, index](bool on) { EntryOf(index).Marked = on; });
    if (Sche) {
        connect(row.Home, &QComboBox::currentTextChanged, this, [this, index] { TeamChanged(index, true); });
        connect(row.Visitor, &QComboBox::currentTextChanged, this, [this, index] { TeamChanged(index, false); });
    } else {
        connect(row.Home, &QComboBox::currentIndexChanged, this, [this, index] { TeamChanged(index, true); });
        connect(row.Visitor, &QComboBox::currentIndexChanged, this, [this, index] { TeamChanged(index, false); });
    }
    connect(row.Delete, &QCheckBox::clicked, this, [this, index](bool on) {
        Rows[index].ChangeDate->setEnabled(!on);
        EntryOf(index).DeleteFlag = on;
    });
    connect(row.ChangeDate, &QCheckBox::clicked, this, [this, index](bool on) { ChangeDateClicked(index, on); });
    connect(row.Undecided, &QCheckBox::clicked, this, [this, index](bool on) {
        Rows[index].Date->setEnabled(!on);
        EntryOf(index).DateUndecided = on;
    });
    connect(row.Date, &QDateEdit::dateChanged, this, [this, index](const QDate& date) {
        if (!Filling)
            EntryOf(index).NewDate = DayOfDate(date);
    });
    Rows.push_back(row);
    Content->resize(std::max(2 * TeamBoxWidth + 290, 300), 60 * n + 40);
    for (QWidget* w : std::initializer_list<QWidget*>{row.Mark, row.Home, row.Vs, row.Visitor})
        w->show();
    return Rows.back();
}

void TFmTorokuN::TeamChanged(size_t rowOnPage, bool home) {
    if (Filling)
        return;
    QComboBox* box = home ? Rows[rowOnPage].Home : Rows[rowOnPage].Visitor;
    TMatchSymbol& symbol = home ? EntryOf(rowOnPage).Match.HomeSymbol : EntryOf(rowOnPage).Match.VisitorSymbol;
    if (Sche) {
        // Upper case, no surrounding blanks; the first three characters are the symbol.
        const QString text = box->currentText().toUpper().trimmed();
        Filling = true;
        box->setEditText(text);
        box->lineEdit()->setCursorPosition(static_cast<int>(text.size()));
        Filling = false;
        symbol.Set(FromQ(text.left(3)));
    } else {
        int index = box->currentIndex();
        if (index == static_cast<int>(Teams.size())) { // the empty item clears the choice
            Filling = true;
            box->setCurrentIndex(-1);
            Filling = false;
            index = -1;
        }
        symbol.Set(index < 0 ? std::string() : Teams[static_cast<size_t>(index)].Symbol);
    }
}

void TFmTorokuN::ChangeDateClicked(size_t rowOnPage, bool on) {
    TRow& row = Rows[rowOnPage];
    row.Delete->setEnabled(!on);
    row.Date->setVisible(on);
    row.Undecided->setVisible(on);
    if (!on) {
        row.Undecided->setChecked(false);
        EntryOf(rowOnPage).DateUndecided = false;
        row.Date->setEnabled(true);
    }
    EntryOf(rowOnPage).ChangeDate = on;
    UpdateWidth();
}

void TFmTorokuN::UpdateWidth() {
    bool changing = false, deletable = false;
    for (const TRow& row : Rows) {
        changing = changing || row.ChangeDate->isChecked();
        deletable = deletable || !row.Delete->isHidden();
    }
    SetClientWidth(changing ? 2 * TeamBoxWidth + 427 : deletable ? 2 * TeamBoxWidth + 319 : 2 * TeamBoxWidth + 226);
}

void TFmTorokuN::SelectTeams(TRow& row, const TScheduleEntry& entry) {
    Filling = true;
    for (auto [box, symbol] : {std::pair{row.Home, entry.Match.HomeSymbol.Text()},
                               std::pair{row.Visitor, entry.Match.VisitorSymbol.Text()}}) {
        const int index = TeamIndexOf(Teams, symbol);
        box->setCurrentIndex(index);
        if (index < 0 && Sche)
            box->setEditText(QString());
    }
    Filling = false;
}

void TFmTorokuN::LoadDay() {
    RemoveRows();
    FirstPage();
    Entries.clear();
    bool deletable = false;
    int index = 0;
    while (TMatchRec* game = Fight.FindNextOnDay(index, Picked)) {
        BtnAddClick();
        TScheduleEntry& entry = Entries.back();
        entry.Loaded = true;
        entry.Match = *game;
        if (static_cast<int>(Entries.size()) <= TMaxRows) {
            TRow& row = Rows.back();
            SelectTeams(row, entry);
            if (game->Status == StatusBefore) {
                row.Delete->show();
                row.ChangeDate->show();
                deletable = true;
            } else {
                row.Home->setEnabled(false);
                row.Visitor->setEnabled(false);
            }
        }
    }
    SetClientWidth(deletable ? 2 * TeamBoxWidth + 319 : 2 * TeamBoxWidth + 226);
    if (Rows.empty())
        for (size_t i = 0; i < Teams.size() / 2; ++i)
            BtnAddClick();
    OrderTabs();
    RestoreRowFocus(Rows.empty() ? nullptr : Rows[0].Home);
}

void TFmTorokuN::BtnAddClick() {
    Entries.push_back(NewScheduleEntry(Picked, Today()));
    if (!PageFull(static_cast<int>(Rows.size()))) {
        CreateRow();
        OrderTabs();
    } else {
        BtnTugi->setEnabled(true);
    }
}

void TFmTorokuN::ShowPage(int start) {
    RemoveRows();
    for (int i = start; i < start + TMaxRows && i < static_cast<int>(Entries.size()); ++i) {
        const TScheduleEntry& entry = Entries[static_cast<size_t>(i)];
        TRow& row = CreateRow();
        row.Mark->setChecked(entry.Marked);
        SelectTeams(row, entry);
        if (entry.Loaded && entry.Match.Status == StatusBefore) {
            row.Delete->show();
            row.ChangeDate->show();
            row.Delete->setChecked(entry.DeleteFlag);
            row.ChangeDate->setEnabled(!entry.DeleteFlag);
            if (entry.ChangeDate) {
                const bool undecided = entry.DateUndecided;
                const double newDate = entry.NewDate;
                row.ChangeDate->setChecked(true);
                ChangeDateClicked(Rows.size() - 1, true);
                row.Undecided->setChecked(undecided);
                EntryOf(Rows.size() - 1).DateUndecided = undecided;
                row.Date->setEnabled(!undecided);
                Filling = true;
                row.Date->setDate(DateOfDay(newDate));
                Filling = false;
            }
        } else if (entry.Loaded) {
            row.Home->setEnabled(false);
            row.Visitor->setEnabled(false);
        }
    }
    UpdateWidth();
    UpdatePaging(start, static_cast<int>(Entries.size()));
    OrderTabs();
    RestoreRowFocus(Rows.empty() ? nullptr : Rows[0].Home);
}

void TFmTorokuN::BtnClearClick() {
    for (TScheduleEntry& entry : Entries)
        if (!entry.Loaded) {
            entry.Match.HomeSymbol.Set("");
            entry.Match.VisitorSymbol.Set("");
            entry.Marked = false;
        }
    ShowPage(TMaxRows * Page);
}

void TFmTorokuN::BtnZenClick() {
    for (const TScheduleEntry& entry : Entries)
        if (entry.Loaded)
            return;
    RemoveRows();
    Entries.clear();
    FirstPage();
    for (const TMatchRec& game : GamesOn(Fight, Picked - 1)) {
        BtnAddClick();
        Entries.back().Match.HomeSymbol = game.HomeSymbol;
        Entries.back().Match.VisitorSymbol = game.VisitorSymbol;
        if (static_cast<int>(Entries.size()) <= TMaxRows)
            SelectTeams(Rows.back(), Entries.back());
    }
    if (Rows.empty())
        for (size_t i = 0; i < Teams.size() / 2; ++i)
            BtnAddClick();
    OrderTabs();
    RestoreRowFocus(Rows.empty() ? nullptr : Rows[0].Home);
}

bool TFmTorokuN::BtnTorokuClick() {
    if (const auto error = ValidateSchedule(Entries, Teams, Pennant.Interleague != 0)) {
        Dialogs.ShowEntryError(this, QString::fromStdString(error->Text()));
        return false;
    }
    if (!Dialogs.AskYesNo(this, QString::fromStdString(ConfirmText(Picked))))
        return false;
    RegisterSchedule(Pennant, Fight, Entries, Picked, Teams);
    Fight.LastUpdate = days::Now();
    LoadDay();
    return true;
}
