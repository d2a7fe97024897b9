// Every dialog without a mouse: Tab walks its controls in reading order, each
// once per round, Shift+Tab walks them back, every accelerator is unique and
// reaches its control, Esc closes and Enter answers as the dialog says.
#include "core/base/DayNumber.h"
#include "core/io/AppSettings.h"
#include "core/season/BaseballPennant.h"
#include "core/season/SeasonTemplates.h"
#include "gui/app/UDlgNew.h"
#include "gui/controls/CuteBtn.h"
#include "gui/controls/NumberBox.h"
#include "gui/controls/URLLabel.h"
#include "gui/controls/UVersion.h"
#include "gui/entry/UKekka.h"
#include "gui/entry/UTorokuN.h"
#include "gui/setup/UColor.h"
#include "gui/setup/UJunjo.h"
#include "gui/setup/UOption.h"
#include "gui/setup/USettei.h"
#include "tests/gui/ScriptedDialogs.h"
#include "tests/support/MatchBuilder.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <map>
#include <memory>
#include <set>

namespace {

const double kDay = days::Encode(2026, 4, 1);

// What a dialog works on; each dialog gets its own.
struct TWorld {
    TPennant Pennant;
    TFight Fight;
    TAppSettings Settings;
    TScriptedDialogs Dialogs;
    QString ProgramDir = QDir::temp().filePath(QStringLiteral("tablora-keys-%1").arg(::getpid()));
    TWorld() { BuildTemplate(TemplateJapan, Pennant); }
};

using TChain = std::vector<std::pair<const char*, QWidget*>>;

// What Enter does where the focus starts: press the default button, or, in
// the registration dialogs, nothing in a field (it must neither register nor
// change the day).
enum class TEnter { Accepts, NothingInAField };

struct TDialogCase {
    const char* Name;
    std::function<std::unique_ptr<QDialog>(TWorld&)> Make;
    // Every control Tab stops at, in reading order (the disabled and hidden
    // ones are passed over and left out of the walk); the first is the
    // control the dialog opens with the focus on.
    std::function<TChain(QDialog&)> Chain;
    TEnter Enter;
};

void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* to = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(to, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : to, &release);
}

// An accelerator goes through the shortcut map, as a key typed by the user does.
void Alt(QChar letter) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(letter.toUpper().unicode()), Qt::AltModifier);
}

bool Shown(QWidget* w) {
    return w && w->isVisible() && w->isEnabled();
}

// The controls a user gives input to, whatever their focus policy.
bool TakesInput(QWidget* w) {
    if (qobject_cast<QLineEdit*>(w))
        return !qobject_cast<QAbstractSpinBox*>(w->parentWidget()) && !qobject_cast<QComboBox*>(w->parentWidget());
    if (qobject_cast<QToolButton*>(w) && qobject_cast<QTabBar*>(w->parentWidget()))
        return false; // the tab bar's scroll arrows, reached with the arrow keys
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w) ||
           qobject_cast<QAbstractItemView*>(w) || qobject_cast<QTabBar*>(w) || qobject_cast<TCuteButton*>(w) ||
           qobject_cast<TURLLabel*>(w);
}

// The accelerator letter of a caption ("登録(&R)" → R), or none.
QChar Mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            return text[i + 1].toUpper();
        ++i;
    }
    return {};
}

std::string Names(const std::vector<QWidget*>& walk, const std::map<QWidget*, std::string>& names) {
    std::string s;
    for (QWidget* w : walk) {
        const auto found = names.find(w);
        s += (found != names.end() ? found->second : std::string(w ? w->metaObject()->className() : "(none)") + "?") +
             " ";
    }
    return s;
}

// Tab (or Shift+Tab) `count` times from the focus; the controls it lands on.
std::vector<QWidget*> Walk(size_t count, bool back) {
    std::vector<QWidget*> walk;
    for (size_t i = 0; i < count; ++i) {
        if (back)
            Key(Qt::Key_Backtab, Qt::ShiftModifier);
        else
            Key(Qt::Key_Tab);
        walk.push_back(QApplication::focusWidget());
    }
    return walk;
}

void Activate(QDialog& d) {
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
}

// The walks and the accelerators, on a dialog shown and active.
void CheckFocusChain(QDialog& d, const TChain& table) {
    std::map<QWidget*, std::string> names;
    std::vector<QWidget*> chain;
    for (const auto& [name, w] : table) {
        EXPECT_TRUE(w) << name;
        names[w] = name;
        if (Shown(w))
            chain.push_back(w);
    }
    ASSERT_FALSE(chain.empty());
    EXPECT_EQ(Names({QApplication::focusWidget()}, names), Names({chain.front()}, names)) << "the focus on opening";

    // Every control that takes input is a stop, or a choice of a radio group
    // whose stop (the choice made) is one.
    const std::set<QWidget*> stops(chain.begin(), chain.end());
    for (QWidget* w : d.findChildren<QWidget*>()) {
        if (!Shown(w) || !TakesInput(w) || stops.count(w))
            continue;
        const auto* radio = qobject_cast<QRadioButton*>(w);
        const bool choice =
            radio && radio->group() && radio->group()->checkedButton() && stops.count(radio->group()->checkedButton());
        EXPECT_TRUE(choice) << "not reached by Tab: " << w->metaObject()->className() << " \""
                            << (qobject_cast<QAbstractButton*>(w) ? qobject_cast<QAbstractButton*>(w)->text()
                                                                  : w->objectName())
                                   .toStdString()
                            << "\"";
    }

    // Tab from the first control round to it again, then Shift+Tab back.
    std::vector<QWidget*> forward(chain.begin() + 1, chain.end());
    forward.push_back(chain.front());
    chain.front()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Names(Walk(chain.size(), false), names), Names(forward, names));
    std::vector<QWidget*> back(chain.rbegin(), chain.rend());
    chain.front()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Names(Walk(chain.size(), true), names), Names(back, names));

    // Accelerators: one letter for one control among those shown; a label's
    // takes the focus to its buddy, a check box's or a radio button's to the
    // button. (Push buttons are pressed in CheckPushButtonAccelerators.)
    std::map<QChar, std::string> taken;
    for (QWidget* w : d.findChildren<QWidget*>()) {
        QString text;
        if (auto* label = qobject_cast<QLabel*>(w))
            text = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            text = button->text();
        const QChar letter = Mnemonic(text);
        if (letter.isNull() || !Shown(w))
            continue;
        const std::string who = text.toStdString();
        EXPECT_TRUE(taken.emplace(letter, who).second)
            << "Alt+" << QString(letter).toStdString() << ": " << who << " and " << taken[letter];
        QWidget* target = nullptr;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            target = label->buddy();
            EXPECT_TRUE(target) << who << " has an accelerator and no buddy";
        } else if (auto* button = qobject_cast<QAbstractButton*>(w); button->isCheckable()) {
            target = button;
        }
        if (!target)
            continue;
        chain.front()->setFocus(Qt::TabFocusReason);
        if (QApplication::focusWidget() == target && chain.size() > 1)
            chain[1]->setFocus(Qt::TabFocusReason);
        Alt(letter);
        EXPECT_EQ(QApplication::focusWidget(), target) << "Alt+" << QString(letter).toStdString() << " " << who;
    }
}

// Each push button's accelerator presses it. The click itself follows a moment
// later; the dialog is thrown away before that.
void CheckPushButtonAccelerators(QDialog& d) {
    for (QPushButton* button : d.findChildren<QPushButton*>()) {
        const QChar letter = Mnemonic(button->text());
        if (letter.isNull() || !Shown(button))
            continue;
        QSignalSpy pressed(button, &QAbstractButton::pressed);
        Alt(letter);
        EXPECT_EQ(pressed.count(), 1) << button->text().toStdString();
    }
}

template <typename D> D& As(QDialog& d) {
    return static_cast<D&>(d);
}

const TDialogCase kDialogs[] = {
    {"new season", [](TWorld&) { return std::make_unique<TDlgNew>(); },
     [](QDialog& q) {
         auto& d = As<TDlgNew>(q);
         return TChain{{"日本プロ野球", d.RGType->checkedButton()}, {"BtnNext", d.BtnNext}, {"BtnCancel", d.BtnCancel}};
     },
     TEnter::Accepts},
    {"version",
     [](TWorld& w) {
         auto d = std::make_unique<TFmVersion>();
         d->URLLabel1->setText(QStringLiteral("https://tablora.example.org/"));
         d->URLLabel1->adjustSize();
         d->URLLabel1->Opener = &w.Dialogs;
         d->URLLabel2->setText(QStringLiteral("author@tablora.example.org"));
         d->URLLabel2->adjustSize();
         return d;
     },
     [](QDialog& q) {
         auto& d = As<TFmVersion>(q);
         return TChain{{"Button1", d.Button1}, {"URLLabel1", d.URLLabel1}, {"URLLabel2", d.URLLabel2}};
     },
     TEnter::Accepts},
    {"results",
     [](TWorld& w) {
         // Three games, two rows a page; the first row's draw offers a make-up game.
         w.Settings.TMax = 2;
         w.Pennant.GetLeague(0).DrawRule = 1;
         for (const char* pair : {"GT", "CS", "DY"})
             AddGame(w.Fight, Game(std::string(1, pair[0]).c_str(), std::string(1, pair[1]).c_str(), kDay));
         auto d = std::make_unique<TFmKekka>(w.Pennant, w.Fight, w.Settings, kDay, w.Dialogs);
         d->Rows[0].State->button(StatusFinished)->click();
         return d;
     },
     [](QDialog& q) {
         auto& d = As<TFmKekka>(q);
         const auto& r = d.Rows;
         return TChain{{"HomeScore0", r[0].HomeScore},
                       {"VisitorScore0", r[0].VisitorScore},
                       {"State0", r[0].State->checkedButton()},
                       {"NoMakeUp0", r[0].NoMakeUp},
                       {"MakeUpUndecided0", r[0].MakeUpUndecided},
                       {"MakeUpDate0", r[0].MakeUpDate},
                       {"Mark1", r[1].Mark},
                       {"HomeScore1", r[1].HomeScore},
                       {"VisitorScore1", r[1].VisitorScore},
                       {"State1", r[1].State->checkedButton()},
                       {"BtnToroku", d.BtnToroku},
                       {"BtnEnd", d.BtnEnd},
                       {"BtnMae", d.BtnMae},
                       {"BtnTugi", d.BtnTugi},
                       {"BtnBack", d.BtnBack},
                       {"DTPKijun", d.DTPKijun},
                       {"BtnNext", d.BtnNext},
                       {"Mark0", r[0].Mark}};
     },
     TEnter::NothingInAField},
    {"schedule",
     [](TWorld& w) {
         AddGame(w.Fight, Game("G", "T", kDay));
         auto d = std::make_unique<TFmTorokuN>(w.Pennant, w.Fight, true, 15, w.Dialogs);
         d->SetDay(kDay);
         d->BtnAddClick();
         d->Rows[0].ChangeDate->click(); // shows the new date's choices, and bars deleting
         return d;
     },
     [](QDialog& q) {
         auto& d = As<TFmTorokuN>(q);
         const auto& r = d.Rows;
         return TChain{{"Home0", r[0].Home},
                       {"Visitor0", r[0].Visitor},
                       {"Delete0", r[0].Delete},
                       {"ChangeDate0", r[0].ChangeDate},
                       {"Undecided0", r[0].Undecided},
                       {"Date0", r[0].Date},
                       {"Mark1", r[1].Mark},
                       {"Home1", r[1].Home},
                       {"Visitor1", r[1].Visitor},
                       {"BtnAdd", d.BtnAdd},
                       {"BtnClear", d.BtnClear},
                       {"BtnZen", d.BtnZen},
                       {"BtnToroku", d.BtnToroku},
                       {"BtnEnd", d.BtnEnd},
                       {"BtnMae", d.BtnMae},
                       {"BtnTugi", d.BtnTugi},
                       {"BtnBack", d.BtnBack},
                       {"DTPKijun", d.DTPKijun},
                       {"BtnNext", d.BtnNext},
                       {"BtnMitei", d.BtnMitei},
                       {"Mark0", r[0].Mark}};
     },
     TEnter::NothingInAField},
    {"order",
     [](TWorld&) {
         auto d = std::make_unique<TFmJunjo>();
         d->setWindowTitle(QStringLiteral("リーグ順序の設定"));
         d->SetEntries({QStringLiteral("セントラルリーグ"), QStringLiteral("パシフィックリーグ")});
         return d;
     },
     [](QDialog& q) {
         auto& d = As<TFmJunjo>(q);
         return TChain{{"LBJun", d.LBJun},
                       {"SpBtUp", d.SpBtUp},
                       {"SpBtDown", d.SpBtDown},
                       {"BtnOk", d.BtnOk},
                       {"BtnCancel", d.BtnCancel}};
     },
     TEnter::Accepts},
    {"options",
     [](TWorld& w) {
         auto d = std::make_unique<TFmOption>();
         w.Settings.Suspend = true; // "他チームの試合のみでも表示する" is on only with it
         d->Load(w.Settings);
         return d;
     },
     [](QDialog& q) {
         auto& d = As<TFmOption>(q);
         return TChain{{"ChkZenkai", d.ChkZenkai},       {"ChkSche", d.ChkSche},       {"UDTMax", d.UDTMax},
                       {"RBTab", d.RBTab[d.TabIndex()]}, {"ChkSuspend", d.ChkSuspend}, {"ChkOther", d.ChkOther},
                       {"Button1", d.Button1},           {"Button2", d.Button2}};
     },
     TEnter::Accepts},
    {"season settings",
     [](TWorld& w) { return std::make_unique<TFmSettei>(w.Pennant, w.Fight, w.Dialogs, w.ProgramDir); },
     [](QDialog& q) {
         auto& d = As<TFmSettei>(q);
         TChain chain = {{"BtOk", d.BtOk},
                         {"BtCancel", d.BtCancel},
                         {"ENaiyo", d.ENaiyo},
                         {"RBYes/RBNo", d.RBYes->isChecked() ? d.RBYes : d.RBNo},
                         {"ELinker", d.ELinker}};
         auto level = [&chain](const TFmSettei::TLevelControls& c) {
             chain.insert(chain.end(),
                          {{"Add", c.Add}, {"Del", c.Del}, {"Prev", c.Prev}, {"Next", c.Next}, {"Jun", c.Jun}});
         };
         level(d.League);
         chain.insert(
             chain.end(),
             {{"ELeague", d.ELeague}, {"RGDraw", d.RGDraw->checkedButton()}, {"RGRank", d.RGRank->checkedButton()}});
         level(d.District);
         chain.insert(chain.end(), {{"EChiku", d.EChiku}});
         level(d.Team);
         chain.insert(chain.end(), {{"ETName", d.ETName},
                                    {"ETRyaku", d.ETRyaku},
                                    {"ETKigo", d.ETKigo},
                                    {"BtTColor", d.BtTColor},
                                    {"ETPicture", d.ETPicture},
                                    {"BtTPicture", d.BtTPicture}});
         return chain;
     },
     TEnter::Accepts},
    {"colors", [](TWorld& w) { return std::make_unique<TFmColor>(w.Dialogs); },
     [](QDialog& q) {
         auto& d = As<TFmColor>(q);
         return TChain{{"tabs", d.PageControl1->tabBar()},
                       {"CBBackground", d.CBBackground},
                       {"CBLine1", d.CBLine1},
                       {"CBLine2", d.CBLine2},
                       {"CBChar1", d.CBChar1},
                       {"CBChar2", d.CBChar2},
                       {"BtnDflt1", d.BtnDflt[0]},
                       {"BtnOk", d.BtnOk},
                       {"BtnCancel", d.BtnCancel}};
     },
     TEnter::Accepts},
};

// Runs the dialog through the scripted service with `work` as the user.
int RunAsUser(TWorld& world, QDialog& dialog, std::function<int(QDialog&)> work) {
    world.Dialogs.DialogHandlers.push_back(std::move(work));
    return world.Dialogs.Exec(dialog);
}

} // namespace

TEST(DialogKeyboard, TabOrderAcceleratorsEscAndEnter) {
    for (const TDialogCase& c : kDialogs) {
        SCOPED_TRACE(c.Name);
        {
            TWorld world;
            std::unique_ptr<QDialog> d = c.Make(world);
            RunAsUser(world, *d, [&c](QDialog& q) {
                Activate(q);
                CheckFocusChain(q, c.Chain(q));
                return int(QDialog::Rejected);
            });
        }
        {
            TWorld world;
            std::unique_ptr<QDialog> d = c.Make(world);
            const int result = RunAsUser(world, *d, [](QDialog& q) {
                Activate(q);
                Key(Qt::Key_Escape);
                EXPECT_FALSE(q.isVisible()) << "Esc closes";
                return q.result();
            });
            EXPECT_EQ(result, QDialog::Rejected);
        }
        {
            TWorld world;
            std::unique_ptr<QDialog> d = c.Make(world);
            const int result = RunAsUser(world, *d, [&c](QDialog& q) {
                Activate(q);
                c.Chain(q).front().second->setFocus(Qt::TabFocusReason);
                Key(Qt::Key_Return);
                if (c.Enter == TEnter::NothingInAField) {
                    EXPECT_TRUE(q.isVisible()) << "Enter in a field closed the dialog";
                    EXPECT_TRUE(QApplication::focusWidget() == c.Chain(q).front().second);
                    return int(QDialog::Rejected);
                }
                EXPECT_FALSE(q.isVisible()) << "Enter does not close";
                return q.result();
            });
            EXPECT_EQ(result, c.Enter == TEnter::Accepts ? QDialog::Accepted : QDialog::Rejected);
            EXPECT_FALSE(world.Dialogs.Log.join(' ').contains(QStringLiteral("yesno:")))
                << "Enter in a field registered";
        }
        {
            TWorld world;
            std::unique_ptr<QDialog> d = c.Make(world);
            RunAsUser(world, *d, [](QDialog& q) {
                Activate(q);
                CheckPushButtonAccelerators(q);
                return int(QDialog::Rejected);
            });
        } // thrown away before the clicks come
    }
}

// A day's results from the keyboard alone: the scores with the arrow keys, the
// state with the arrows in its group, the mark with Space, registering with its
// accelerator; the focus then waits in the first score again.
TEST(DialogKeyboard, ResultsEnteredAndRegisteredWithKeysOnly) {
    TWorld w;
    AddGame(w.Fight, Game("G", "T", kDay));
    AddGame(w.Fight, Game("C", "S", kDay));
    TFmKekka d(w.Pennant, w.Fight, w.Settings, kDay, w.Dialogs);
    RunAsUser(w, d, [&](QDialog& q) {
        Activate(q);
        EXPECT_EQ(QApplication::focusWidget(), d.Rows[0].HomeScore);
        for (int i = 0; i < 3; ++i)
            Key(Qt::Key_Up);
        Key(Qt::Key_Tab);
        Key(Qt::Key_Up);
        Key(Qt::Key_Tab); // the state, set to finished by the score
        EXPECT_EQ(QApplication::focusWidget(), d.Rows[0].State->button(StatusFinished));
        Key(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), d.Rows[1].Mark);
        Key(Qt::Key_Space);
        EXPECT_TRUE(d.Entries[1].Marked);
        for (int i = 0; i < 3; ++i)
            Key(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), d.Rows[1].State->button(StatusBefore));
        Key(Qt::Key_Down);
        Key(Qt::Key_Down);
        EXPECT_EQ(QApplication::focusWidget(), d.Rows[1].State->button(StatusCancelled));
        EXPECT_EQ(d.Entries[1].NewState, StatusCancelled);
        EXPECT_FALSE(d.Rows[1].HomeScore->isEnabled());

        w.Dialogs.YesNo.push_back(true);
        Alt(QLatin1Char('R'));
        for (int waited = 0; waited < 3000 && w.Dialogs.Log.filter(QStringLiteral("yesno:")).isEmpty(); waited += 20)
            QTest::qWait(20); // the accelerator's click comes a moment later
        EXPECT_EQ(w.Dialogs.Log.filter(QStringLiteral("yesno:")).size(), 1);
        EXPECT_EQ(QApplication::focusWidget(), d.Rows.empty() ? nullptr : d.Rows[0].HomeScore)
            << "the rows were built again; the focus must not be lost with them";
        return int(QDialog::Accepted);
    });
    std::map<std::string, std::tuple<int, int, int>> stored;
    for (const TMatchRec& m : GamesOn(w.Fight, kDay))
        stored[m.HomeSymbol.Text()] = {m.Status, m.HomeScore, m.VisitorScore};
    EXPECT_EQ(stored["G"], std::make_tuple(int(StatusFinished), 3, 1));
    EXPECT_EQ(stored["C"], std::make_tuple(int(StatusCancelled), 0, 0));
}

// Tab into a row below the visible part of the list scrolls it into view;
// Enter on a focused button presses it.
TEST(DialogKeyboard, ScheduleRowsScrollToTheFocusAndEnterPressesTheFocusedButton) {
    TWorld w;
    TFmTorokuN d(w.Pennant, w.Fight, true, 15, w.Dialogs);
    d.SetDay(kDay);
    while (d.Rows.size() < 15)
        d.BtnAddClick();
    RunAsUser(w, d, [&](QDialog& q) {
        Activate(q);
        QWidget* viewport = d.ScrollBox1->viewport();
        d.Rows[0].Home->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < 3 * 13; ++i)
            Key(Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        EXPECT_EQ(focus, d.Rows[13].Home);
        EXPECT_GT(d.ScrollBox1->verticalScrollBar()->value(), 0);
        EXPECT_TRUE(viewport->rect().contains(QRect(focus->mapTo(viewport, QPoint(0, 0)), focus->size())));

        d.BtnAdd->setFocus(Qt::TabFocusReason);
        Key(Qt::Key_Return);
        EXPECT_EQ(d.Entries.size(), 16u);
        EXPECT_TRUE(q.isVisible());
        return int(QDialog::Rejected);
    });
}

// The version window's links: Tab reaches them, Space or Enter follows them.
TEST(DialogKeyboard, VersionLinksFollowedWithSpaceOrEnter) {
    TWorld w;
    std::unique_ptr<QDialog> made = kDialogs[1].Make(w);
    auto& d = As<TFmVersion>(*made);
    QSignalSpy mail(&d, &TFmVersion::MailRequested);
    RunAsUser(w, d, [&](QDialog& q) {
        Activate(q);
        Key(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), d.URLLabel1);
        Key(Qt::Key_Return);
        EXPECT_EQ(w.Dialogs.Log, (QStringList{QStringLiteral("exec:バージョン情報"),
                                              QStringLiteral("url:https://tablora.example.org/")}));
        Key(Qt::Key_Tab);
        Key(Qt::Key_Space);
        EXPECT_EQ(mail.count(), 1);
        EXPECT_TRUE(q.isVisible()) << "following a link keeps the window";
        return int(QDialog::Accepted);
    });
}

// The order list: the arrows choose, Ctrl with an arrow moves the entry.
TEST(DialogKeyboard, OrderListMovesTheChosenEntryWithCtrlAndArrows) {
    TWorld w;
    TFmJunjo d;
    d.SetEntries({QStringLiteral("巨人"), QStringLiteral("阪神"), QStringLiteral("中日")});
    const int result = RunAsUser(w, d, [&](QDialog& q) {
        Activate(q);
        EXPECT_EQ(QApplication::focusWidget(), d.LBJun);
        Key(Qt::Key_Down);
        Key(Qt::Key_Down);
        QTest::keyClick(d.LBJun, Qt::Key_Up, Qt::ControlModifier);
        QTest::keyClick(d.LBJun, Qt::Key_Up, Qt::ControlModifier);
        QTest::keyClick(d.LBJun, Qt::Key_Up, Qt::ControlModifier); // at the top: stays
        Key(Qt::Key_Down);
        QTest::keyClick(d.LBJun, Qt::Key_Down, Qt::ControlModifier);
        Key(Qt::Key_Return);
        return q.result();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(d.Order(), (std::vector<int>{2, 1, 0}));
}

// A radio pair without a group of its own and the swatches answer the keys too.
TEST(DialogKeyboard, InterleagueChoiceAndColorSwatchesByKeys) {
    TWorld w;
    TFmSettei settei(w.Pennant, w.Fight, w.Dialogs, w.ProgramDir);
    RunAsUser(w, settei, [&](QDialog& q) {
        Activate(q);
        settei.RBNo->setFocus(Qt::TabFocusReason);
        Key(Qt::Key_Left);
        EXPECT_TRUE(settei.RBYes->isChecked());
        EXPECT_EQ(w.Pennant.Interleague, 1);
        Key(Qt::Key_Tab);
        Key(Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), settei.RBYes) << "the stop follows the choice";
        return int(QDialog::Accepted);
    });

    TFmColor colors(w.Dialogs);
    w.Dialogs.Colors.push_back(QColor(0x12, 0x34, 0x56));
    RunAsUser(w, colors, [&](QDialog& q) {
        Activate(q);
        Key(Qt::Key_Tab);
        Key(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), colors.CBLine1);
        // Its label shows which swatch has the focus, whatever the swatch's color.
        EXPECT_EQ(colors.Labels[1]->backgroundRole(), QPalette::Highlight);
        EXPECT_EQ(colors.Labels[0]->backgroundRole(), QPalette::Window);
        EXPECT_EQ(colors.Labels[1]->buddy(), colors.CBLine1);
        Key(Qt::Key_Space);
        EXPECT_EQ(colors.CBLine1->Color(), 0x563412);
        // Ctrl+Tab turns the page; Tab from the tabs goes into the page shown.
        Key(Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(colors.PageControl1->currentIndex(), 1);
        colors.PageControl1->tabBar()->setFocus(Qt::TabFocusReason);
        Key(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), colors.CBKekkaWin);
        return int(QDialog::Accepted);
    });
}
