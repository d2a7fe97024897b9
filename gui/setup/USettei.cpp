#include "gui/setup/USettei.h"

#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "draw/Pictures.h"
#include "draw/QtText.h"
#include "gui/controls/DialogFrame.h"
#include "gui/controls/DialogService.h"
#include "gui/controls/RadioGroup.h"
#include "gui/setup/UJunjo.h"

#include <QButtonGroup>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <utility>

namespace {

QLabel* Label(QWidget* parent, const QString& text, int x, int y, QWidget* buddy = nullptr) {
    auto* label = new QLabel(text, parent);
    label->move(x, y);
    label->adjustSize();
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

QLineEdit* Edit(QWidget* parent, int x, int y, int w) {
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(x, y, w, 21);
    return edit;
}

QPushButton* Button(QWidget* parent, const QString& text, int x, int y, int w = 64) {
    auto* button = new QPushButton(text, parent);
    button->setGeometry(x, y, w, 23);
    return button;
}

int Clamp(int position, int count) {
    return std::clamp(position, 0, std::max(count - 1, 0));
}

} // namespace

TFmSettei::TFmSettei(TPennant& pennant, TFight& fight, IDialogService& dialogs, const QString& programDir,
                     QWidget* parent)
    : QDialog(parent), Pennant(pennant), Fight(fight), Dialogs(dialogs), ProgramDir(programDir) {
    setWindowTitle(QStringLiteral("情報設定"));
    UseDialogFrame(*this);
    setFixedSize(501, 448);
    BuildSeasonGroup();
    BuildLeagueGroup();
    BuildDistrictGroup();
    BuildTeamGroup();
    BuildButtons();
    ConnectFields();
    ConnectButtons();
    // The values are loaded when the dialog is first shown (FormShow).
}

// 全体の情報
void TFmSettei::BuildSeasonGroup() {
    QWidget* all = BuildGroup(QStringLiteral("全体の情報"), QRect(8, 4, 485, 74));
    ENaiyo = Edit(all, 104, 20, 368);
    Label(all, QStringLiteral("データ内容(&N)"), 12, 23, ENaiyo);
    Label(all, QStringLiteral("リーグ交流試合"), 12, 50);
    RBYes = new QRadioButton(QStringLiteral("有(&X)"), all);
    RBNo = new QRadioButton(QStringLiteral("無(&Y)"), all);
    RBYes->move(104, 48);
    RBNo->move(164, 48);
    // One stop for Tab, at the choice made; the arrow keys change it.
    auto* interleague = new QButtonGroup(this);
    interleague->addButton(RBYes);
    interleague->addButton(RBNo);
    TabStopOnCheckedButton(*interleague);
    ELinker = Edit(all, 352, 46, 120);
    Label(all, QStringLiteral("チェッカー(&P)"), 270, 50, ELinker);
}

// リーグ情報
void TFmSettei::BuildLeagueGroup() {
    QWidget* leagues = BuildGroup(QStringLiteral("リーグ情報"), QRect(8, 80, 485, 118));
    League = BuildLevel(leagues, 18, QStringLiteral("リーグ数"), QStringLiteral("追加(&A)"), QStringLiteral("削除(&D)"),
                        QStringLiteral("順序(&I)"));
    ELeague = Edit(leagues, 104, 46, 368);
    Label(leagues, QStringLiteral("リーグ名(&R)"), 12, 49, ELeague);
    RGDraw = BuildChoice(leagues, QStringLiteral("引き分け"), QRect(12, 70, 226, 42),
                         {QStringLiteral("有(&S)"), QStringLiteral("有(再試合&T)"), QStringLiteral("無(&U)")});
    RGRank = BuildChoice(leagues, QStringLiteral("順位決定"), QRect(246, 70, 226, 42),
                         {QStringLiteral("勝率優先(&V)"), QStringLiteral("勝数優先(&W)")});
}

// 地区情報
void TFmSettei::BuildDistrictGroup() {
    QWidget* districts = BuildGroup(QStringLiteral("地区情報"), QRect(8, 200, 485, 70));
    District = BuildLevel(districts, 18, QStringLiteral("地区数"), QStringLiteral("追加(&B)"),
                          QStringLiteral("削除(&E)"), QStringLiteral("順序(&Q)"));
    EChiku = Edit(districts, 104, 46, 368);
    Label(districts, QStringLiteral("地区名(&G)"), 12, 49, EChiku);
}

// チーム情報
void TFmSettei::BuildTeamGroup() {
    QWidget* teams = BuildGroup(QStringLiteral("チーム情報"), QRect(8, 272, 485, 144));
    Team = BuildLevel(teams, 18, QStringLiteral("チーム数"), QStringLiteral("追加(&C)"), QStringLiteral("削除(&F)"),
                      QStringLiteral("順序(&Z)"));
    ETName = Edit(teams, 104, 46, 368);
    Label(teams, QStringLiteral("チーム名(&H)"), 12, 49, ETName);
    ETRyaku = Edit(teams, 104, 70, 140);
    Label(teams, QStringLiteral("チーム略称(&J)"), 12, 73, ETRyaku);
    ETKigo = Edit(teams, 352, 70, 50);
    ETKigo->setMaxLength(3);
    Label(teams, QStringLiteral("チーム記号(&K)"), 262, 73, ETKigo);
    Label(teams, QStringLiteral("チームカラー"), 12, 97);
    ETColor = new QLabel(teams);
    ETColor->setGeometry(104, 94, 20, 20);
    ETColor->setFrameShape(QFrame::Box);
    ETColor->setAutoFillBackground(true);
    BtTColor = Button(teams, QStringLiteral("色指定(&L)"), 132, 92, 80);
    ETPicture = Edit(teams, 104, 116, 250);
    Label(teams, QStringLiteral("チーム画像(&M)"), 12, 119, ETPicture);
    BtTPicture = Button(teams, QStringLiteral("参照(&O)"), 360, 115, 50);
    ImgTPicture = new QLabel(teams);
    ImgTPicture->setGeometry(418, 78, 54, 36);
    ImgTPicture->setScaledContents(true);
    ImgTPicture->setFrameShape(QFrame::StyledPanel);
}

void TFmSettei::BuildButtons() {
    BtOk = Button(this, QStringLiteral("完了"), 330, 420, 76);
    BtCancel = Button(this, QStringLiteral("キャンセル"), 414, 420, 76);
    BtOk->setDefault(true);
}

// What is typed or chosen goes into the season at once; filling the fields does not.
void TFmSettei::ConnectFields() {
    StoreTyped(ENaiyo, [this](const std::string& text) { Pennant.Contents = text; });
    StoreTyped(ELinker, [this](const std::string& text) { Pennant.Checker = text; });
    connect(RBYes, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !Filling)
            Pennant.Interleague = 1;
    });
    connect(RBNo, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !Filling)
            Pennant.Interleague = 0;
    });
    StoreTyped(ELeague, [this](const std::string& text) { CurrentLeague().Name = text; });
    connect(RGDraw, &QButtonGroup::idClicked, this,
            [this](int id) { CurrentLeague().DrawRule = static_cast<uint8_t>(id); });
    connect(RGRank, &QButtonGroup::idClicked, this,
            [this](int id) { CurrentLeague().RankRule = static_cast<uint8_t>(id); });
    StoreTyped(EChiku, [this](const std::string& text) { CurrentDistrict().Name = text; });
    StoreTyped(ETName, [this](const std::string& text) { CurrentTeam().Name = text; });
    StoreTyped(ETRyaku, [this](const std::string& text) { CurrentTeam().ShortName = text; });
    connect(ETKigo, &QLineEdit::textEdited, this, &TFmSettei::ETKigoChange);
    connect(ETPicture, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (Filling)
            return;
        CurrentTeam().Picture = FromQ(t);
        ReloadPreview(t.isEmpty());
    });
}

void TFmSettei::ConnectButtons() {
    connect(BtTColor, &QPushButton::clicked, this, &TFmSettei::BtTColorClick);
    connect(BtTPicture, &QPushButton::clicked, this, &TFmSettei::BtTPictureClick);
    connect(BtOk, &QPushButton::clicked, this, &TFmSettei::BtOkClick);
    connect(BtCancel, &QPushButton::clicked, this, &TFmSettei::BtCancelClick);

    const TSetteiLevel levels[] = {TSetteiLevel::League, TSetteiLevel::District, TSetteiLevel::Team};
    TLevelControls* controls[] = {&League, &District, &Team};
    for (int i = 0; i < 3; ++i) {
        const TSetteiLevel level = levels[i];
        connect(controls[i]->Prev, &QPushButton::clicked, this, [this, level] { Navigate(level, -1); });
        connect(controls[i]->Next, &QPushButton::clicked, this, [this, level] { Navigate(level, +1); });
        connect(controls[i]->Add, &QPushButton::clicked, this, [this, level] { AddItem(level); });
        connect(controls[i]->Del, &QPushButton::clicked, this, [this, level] { DeleteItem(level); });
        connect(controls[i]->Jun, &QPushButton::clicked, this, [this, level] { OrderItems(level); });
    }
}

void TFmSettei::StoreTyped(QLineEdit* edit, std::function<void(const std::string&)> store) {
    connect(edit, &QLineEdit::textChanged, this, [this, store = std::move(store)](const QString& t) {
        if (!Filling)
            store(FromQ(t));
    });
}

QWidget* TFmSettei::BuildGroup(const QString& title, const QRect& where) {
    auto* group = new QGroupBox(title, this);
    group->setGeometry(where);
    return group;
}

// A captioned row of radio buttons, numbered from 0 in the group.
QButtonGroup* TFmSettei::BuildChoice(QWidget* parent, const QString& title, const QRect& where,
                                     std::initializer_list<QString> items) {
    auto* box = new QGroupBox(title, parent);
    box->setGeometry(where);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(8, 2, 8, 4);
    auto* group = new QButtonGroup(this);
    int id = 0;
    for (const QString& item : items) {
        auto* b = new QRadioButton(item, box);
        row->addWidget(b);
        group->addButton(b, id++);
    }
    TabStopOnCheckedButton(*group);
    return group;
}

TFmSettei::TLevelControls TFmSettei::BuildLevel(QWidget* group, int y, const QString& countLabel, const QString& add,
                                                const QString& del, const QString& order) {
    TLevelControls c;
    Label(group, countLabel, 12, y + 4);
    c.Count = Label(group, QStringLiteral("0"), 70, y + 4);
    c.Count->setFixedWidth(24);
    c.Add = Button(group, add, 104, y);
    c.Del = Button(group, del, 172, y);
    c.Prev = Button(group, QStringLiteral("前 <-"), 252, y, 52);
    c.Page = new QLabel(group);
    c.Page->setGeometry(306, y + 4, 40, 16);
    c.Page->setAlignment(Qt::AlignCenter);
    c.Next = Button(group, QStringLiteral("-> 次"), 348, y, 52);
    c.Jun = Button(group, order, 408, y, 64);
    return c;
}

bool TFmSettei::HasGames() const {
    return Fight.MatchCount() > 0;
}
TLeague& TFmSettei::CurrentLeague() const {
    return Pennant.GetLeague(CurLeague);
}
TDistrict& TFmSettei::CurrentDistrict() const {
    return CurrentLeague().GetDistrict(CurDistrict);
}
TTeam& TFmSettei::CurrentTeam() const {
    return CurrentDistrict().GetTeam(CurTeam);
}

void TFmSettei::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!Shown)
        FormShow();
}

void TFmSettei::FormShow() {
    Shown = true;
    Snapshot = TakeSnapshot(Pennant);
    Filling = true;
    ENaiyo->setText(Q(Pennant.Contents));
    ELinker->setText(Q(Pennant.Checker));
    (Pennant.Interleague == 1 ? RBYes : RBNo)->setChecked(true);
    Filling = false;
    ELinker->setEnabled(!HasGames());
    RBYes->setEnabled(!HasGames());
    RBNo->setEnabled(!HasGames());
    CurDistrict = CurTeam = 0;
    ShowLeague(0);
    BtOk->setFocus();
}

void TFmSettei::ApplyButtons(TLevelControls& c, TSetteiLevel level, int position, int count) {
    const TLevelButtons b = LevelButtons(level, position, count, HasGames());
    c.Count->setText(QString::number(count));
    c.Page->setText(QStringLiteral("%1/%2").arg(position + 1).arg(count));
    c.Prev->setEnabled(b.Prev);
    c.Next->setEnabled(b.Next);
    c.Add->setEnabled(b.Add);
    c.Del->setEnabled(b.Delete);
    c.Jun->setEnabled(b.Order);
}

void TFmSettei::ShowLeague(int index) {
    if (Pennant.LeagueCount() == 0)
        return;
    CurLeague = Clamp(index, Pennant.LeagueCount());
    ApplyButtons(League, TSetteiLevel::League, CurLeague, Pennant.LeagueCount());
    Filling = true;
    ELeague->setText(Q(CurrentLeague().Name));
    if (QAbstractButton* b = RGDraw->button(CurrentLeague().DrawRule))
        b->setChecked(true);
    if (QAbstractButton* b = RGRank->button(CurrentLeague().RankRule))
        b->setChecked(true);
    Filling = false;
    ShowDistrict(CurDistrict);
}

void TFmSettei::ShowDistrict(int index) {
    const int count = CurrentLeague().DistrictCount();
    if (count == 0)
        return;
    CurDistrict = Clamp(index, count);
    ApplyButtons(District, TSetteiLevel::District, CurDistrict, count);
    Filling = true;
    EChiku->setText(Q(CurrentDistrict().Name));
    Filling = false;
    ShowTeam(CurTeam);
}

void TFmSettei::ShowTeam(int index) {
    const int count = CurrentDistrict().TeamCount();
    if (count == 0)
        return;
    CurTeam = Clamp(index, count);
    ApplyButtons(Team, TSetteiLevel::Team, CurTeam, count);
    const TTeam& team = CurrentTeam();
    Filling = true;
    ETName->setText(Q(team.Name));
    ETRyaku->setText(Q(team.ShortName));
    ETKigo->setText(Q(team.Symbol));
    ETPicture->setText(Q(team.Picture));
    Filling = false;
    ETKigo->setEnabled(!HasGames());
    QPalette swatch = ETColor->palette();
    swatch.setColor(QPalette::Window, StoredToQColor(team.Color, palette()));
    ETColor->setPalette(swatch);
    ReloadPreview(true);
}

void TFmSettei::ReloadPreview(bool clearFirst) {
    if (clearFirst)
        ImgTPicture->clear();
    const QImage picture = LoadPicture(CurrentTeam().Picture, ProgramDir);
    if (!picture.isNull())
        ImgTPicture->setPixmap(QPixmap::fromImage(picture));
}

void TFmSettei::Navigate(TSetteiLevel level, int delta) {
    switch (level) {
    case TSetteiLevel::League:
        ShowLeague(CurLeague + delta);
        break;
    case TSetteiLevel::District:
        ShowDistrict(CurDistrict + delta);
        break;
    case TSetteiLevel::Team:
        ShowTeam(CurTeam + delta);
        break;
    }
}

void TFmSettei::AddItem(TSetteiLevel level) {
    if (HasGames())
        return;
    switch (level) {
    case TSetteiLevel::League:
        CurDistrict = 0;
        CurTeam = 1;
        ShowLeague(AddDefaultLeague(Pennant));
        break;
    case TSetteiLevel::District:
        CurTeam = 1;
        ShowDistrict(AddDefaultDistrict(CurrentLeague()));
        break;
    case TSetteiLevel::Team:
        ShowTeam(AddDefaultTeam(CurrentDistrict()));
        break;
    }
}

void TFmSettei::DeleteItem(TSetteiLevel level) {
    switch (level) {
    case TSetteiLevel::League:
        if (LevelButtons(level, CurLeague, Pennant.LeagueCount(), HasGames()).Delete) {
            Pennant.DeleteLeague(CurLeague);
            ShowLeague(CurLeague);
        }
        break;
    case TSetteiLevel::District:
        if (LevelButtons(level, CurDistrict, CurrentLeague().DistrictCount(), HasGames()).Delete) {
            CurrentLeague().DeleteDistrict(CurDistrict);
            ShowDistrict(CurDistrict);
        }
        break;
    case TSetteiLevel::Team:
        if (LevelButtons(level, CurTeam, CurrentDistrict().TeamCount(), HasGames()).Delete) {
            CurrentDistrict().DeleteTeam(CurTeam);
            ShowTeam(CurTeam);
        }
        break;
    }
}

void TFmSettei::OrderItems(TSetteiLevel level) {
    TFmJunjo order(this);
    QStringList names;
    switch (level) {
    case TSetteiLevel::League:
        order.setWindowTitle(QStringLiteral("リーグ順序の設定"));
        for (const auto& l : Pennant.LeagueList())
            names << Q(l.Name);
        break;
    case TSetteiLevel::District:
        order.setWindowTitle(QStringLiteral("地区順序の設定"));
        for (const auto& d : CurrentLeague().DistrictList())
            names << Q(d.Name);
        break;
    case TSetteiLevel::Team:
        order.setWindowTitle(QStringLiteral("チーム順序の設定"));
        for (const auto& t : CurrentDistrict().TeamList())
            names << Q(t.Name);
        break;
    }
    order.SetEntries(names);
    if (Dialogs.Exec(order) != QDialog::Accepted)
        return;
    const std::vector<int> ordered = order.Order();
    switch (level) {
    case TSetteiLevel::League:
        ShowLeague(ApplyLeagueOrder(Pennant, ordered, CurLeague));
        break;
    case TSetteiLevel::District:
        ShowDistrict(ApplyDistrictOrder(CurrentLeague(), ordered, CurDistrict));
        break;
    case TSetteiLevel::Team:
        ShowTeam(ApplyTeamOrder(CurrentDistrict(), ordered, CurTeam));
        break;
    }
    Reordered = true;
}

void TFmSettei::ETKigoChange(const QString& text) {
    if (Filling)
        return;
    CurrentTeam().SetSymbol(FromQ(text.toUpper()));
    Filling = true;
    ETKigo->setText(Q(CurrentTeam().Symbol));
    ETKigo->setCursorPosition(ETKigo->text().size());
    Filling = false;
}

void TFmSettei::BtTColorClick() {
    const std::optional<QColor> color = Dialogs.ChooseColor(this, LastColor);
    if (!color)
        return;
    LastColor = *color;
    CurrentTeam().Color = QColorToStored(*color);
    QPalette swatch = ETColor->palette();
    swatch.setColor(QPalette::Window, *color);
    ETColor->setPalette(swatch);
}

void TFmSettei::BtTPictureClick() {
    const QString folder = PictureFolder(ProgramDir);
    QDir().mkpath(folder);
    const QString chosen = Dialogs.OpenPictureName(this, folder);
    if (chosen.isEmpty())
        return;
    ETPicture->setText(Q(PictureReference(chosen, ProgramDir)));
}

void TFmSettei::BtOkClick() {
    if (HasGames() && Reordered)
        RenumberGames(Pennant, Fight);
    Pennant.Modified = 1;
    accept();
}

void TFmSettei::BtCancelClick() {
    reject();
}

void TFmSettei::reject() {
    if (Shown) // nothing was taken, so nothing to put back
        RestoreSnapshot(Snapshot, Pennant);
    QDialog::reject();
}
