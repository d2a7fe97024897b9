#include "core/io/AppSettings.h"
#include "gui/controls/CuteBtn.h"
#include "gui/controls/NumberBox.h"
#include "gui/setup/UColor.h"
#include "gui/setup/UOption.h"
#include "tests/gui/ScriptedDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

// ---- options ----

TEST(Options, RowCountBoxKeepsANumberFrom1To20) {
    TFmOption d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("オプションの設定"));
    EXPECT_EQ(d.UDTMax->value(), 15);
    EXPECT_EQ(d.LblTMax->buddy(), d.UDTMax);
    QLineEdit* field = d.UDTMax->lineEdit();
    EXPECT_EQ(field->text(), QStringLiteral("15"));

    // Each change (a paste, an input-method commit) is put right at once, caret at the end.
    const struct {
        const char* Text;
        int Shown;
    } cases[] = {{"25", 20}, {"0", 1}, {"-3", 1}, {" 7", 7}, {"１２", 12}, {"x", 15}, {"", 15}, {"99999999999", 20}};
    for (const auto& c : cases) {
        field->setText(QString::fromUtf8(c.Text));
        EXPECT_EQ(field->text(), QString::number(c.Shown)) << c.Text;
        EXPECT_EQ(field->cursorPosition(), field->text().size()) << c.Text;
        EXPECT_EQ(d.UDTMax->value(), c.Shown) << c.Text;
    }
    // Typed key by key: "2" stands, "25" becomes 20; a full-width digit from the
    // input method counts; emptied is 15.
    d.UDTMax->selectAll();
    QTest::keyClicks(d.UDTMax, QStringLiteral("25"));
    EXPECT_EQ(field->text(), QStringLiteral("20"));
    d.UDTMax->selectAll();
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("８"));
    QApplication::sendEvent(field, &commit);
    EXPECT_EQ(d.UDTMax->value(), 8);
    d.UDTMax->selectAll();
    QTest::keyClick(d.UDTMax, Qt::Key_Delete);
    EXPECT_EQ(field->text(), QStringLiteral("15"));

    // The Up and Down keys step within 1 to 20 without wrapping.
    d.UDTMax->setValue(20);
    QTest::keyClick(d.UDTMax, Qt::Key_Up);
    EXPECT_EQ(field->text(), QStringLiteral("20"));
    QTest::keyClick(d.UDTMax, Qt::Key_Down);
    EXPECT_EQ(field->text(), QStringLiteral("19"));
    d.UDTMax->setValue(1);
    QTest::keyClick(d.UDTMax, Qt::Key_Down);
    EXPECT_EQ(field->text(), QStringLiteral("1"));

    // What is stored is what the box shows; a stored count out of range opens clamped.
    TAppSettings s;
    s.TMax = 40;
    d.Load(s);
    EXPECT_EQ(field->text(), QStringLiteral("20"));
    QTest::keyClick(d.UDTMax, Qt::Key_Down);
    TAppSettings out;
    d.Store(out);
    EXPECT_EQ(out.TMax, 19);
}

TEST(Options, SuspendGovernsOtherOnOpenAndOnClick) {
    TFmOption d;
    EXPECT_FALSE(d.ChkOther->isEnabled()); // the defaults: Suspend off

    TAppSettings s;
    s.Suspend = true;
    s.Other = true;
    d.Load(s);
    EXPECT_TRUE(d.ChkOther->isEnabled());
    EXPECT_TRUE(d.ChkOther->isChecked());

    d.show();
    QTest::mouseClick(d.ChkSuspend, Qt::LeftButton, {}, QPoint(5, d.ChkSuspend->height() / 2));
    EXPECT_FALSE(d.ChkSuspend->isChecked());
    EXPECT_FALSE(d.ChkOther->isChecked());
    EXPECT_FALSE(d.ChkOther->isEnabled());
    d.ChkSuspend->click();
    EXPECT_TRUE(d.ChkOther->isEnabled());
    EXPECT_FALSE(d.ChkOther->isChecked());

    s.Suspend = false;
    s.Other = false;
    d.Load(s);
    EXPECT_FALSE(d.ChkOther->isEnabled());
}

// Tab into the radio group lands on the choice made, whichever it is, and the
// next Tab leaves the group; Shift+Tab back lands on it again.
TEST(Options, TabIntoTheRadioGroupFocusesItsCheckedButton) {
    TFmOption d;
    d.show();
    QApplication::setActiveWindow(&d);
    for (int choice : {1, 2, 0}) {
        TAppSettings s;
        s.TTab = choice;
        d.Load(s);
        ASSERT_TRUE(d.RBTab[choice]->isChecked());
        d.UDTMax->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), d.RBTab[choice]) << choice;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), d.ChkSuspend) << choice;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        EXPECT_EQ(QApplication::focusWidget(), d.RBTab[choice]) << choice;
    }
}

TEST(Options, StoreCopiesEveryControl) {
    TFmOption d;
    TAppSettings s;
    s.Zenkai = false;
    s.TMax = 4;
    s.TTab = 2;
    d.Load(s);
    EXPECT_FALSE(d.ChkZenkai->isChecked());
    EXPECT_EQ(d.UDTMax->value(), 4);
    EXPECT_TRUE(d.RBTab[2]->isChecked());

    d.ChkZenkai->setChecked(true);
    d.ChkSche->setChecked(false);
    d.UDTMax->lineEdit()->setText(QStringLiteral("9"));
    d.RBTab[0]->setChecked(true);
    d.ChkSuspend->setChecked(true);
    d.ChkOther->setChecked(true);
    TAppSettings out;
    d.Store(out);
    EXPECT_TRUE(out.Zenkai);
    EXPECT_FALSE(out.Sche);
    EXPECT_EQ(out.TMax, 9);
    EXPECT_EQ(out.TTab, 0);
    EXPECT_TRUE(out.Suspend && out.Other);
}

// ---- colors ----

namespace {

// Settings whose 23 colors are all different from their defaults and from each other.
TAppSettings CustomColors() {
    TAppSettings s;
    int32_t value = 0x010101;
    for (const auto& key : TAppSettings::ColorKeys())
        s.*key.Field = value += 0x000102;
    return s;
}

} // namespace

TEST(Colors, PagesSwatchesAndFocusOrder) {
    TScriptedDialogs dialogs;
    TFmColor d(dialogs);
    d.show();
    ASSERT_EQ(d.PageControl1->count(), 5);
    EXPECT_EQ(d.PageControl1->tabText(3), QStringLiteral("対戦成績表"));
    EXPECT_EQ(d.CBUnActive->geometry(), QRect(248, 136, 75, 25));
    EXPECT_EQ(d.Labels[13]->text(), QStringLiteral("切替非Active"));

    // Nothing overlaps, and everything stands inside its page.
    for (int page = 0; page < 5; ++page) {
        d.PageControl1->setCurrentIndex(page);
        QWidget* p = d.Pages[page];
        const QList<QWidget*> children = p->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (QWidget* a : children) {
            EXPECT_TRUE(p->rect().contains(a->geometry())) << a->objectName().toStdString();
            for (QWidget* b : children)
                EXPECT_TRUE(a == b || !a->geometry().intersects(b->geometry()))
                    << a->objectName().toStdString() << " / " << b->objectName().toStdString();
        }
    }

    // Tab walks the swatches in the table's order, then the page's default button.
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    d.PageControl1->setCurrentIndex(3);
    d.CBBatNo->setFocus();
    for (QWidget* next :
         std::initializer_list<QWidget*>{d.CBBatW, d.CBBatWW, d.CBBatL, d.CBBatLL, d.CBBatD, d.CBBatDD, d.BtnDflt[3]}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
}

TEST(Colors, EachDefaultButtonResetsItsOwnPageOnly) {
    const TAppSettings custom = CustomColors(), defaults;
    TScriptedDialogs dialogs;
    TFmColor d(dialogs);
    for (int page = 0; page < 5; ++page) {
        d.Load(custom);
        d.BtnDflt[page]->click();
        TAppSettings out;
        d.Store(out);
        for (size_t i = 0; i < TAppSettings::ColorKeys().size(); ++i) {
            const auto field = TAppSettings::ColorKeys()[i].Field;
            const bool onPage = d.Swatches[i]->parentWidget() == d.Pages[page];
            EXPECT_EQ(out.*field, onPage ? defaults.*field : custom.*field)
                << "page " << page << " key " << TAppSettings::ColorKeys()[i].Key;
        }
    }
    // The system colors stay system values, not the RGB they show as.
    d.Load(custom);
    d.BtnDflt[0]->click();
    d.BtnDflt[1]->click();
    d.BtnDflt[4]->click();
    TAppSettings out = custom;
    d.Store(out);
    EXPECT_EQ(out.BackGround, -2147483643);
    EXPECT_EQ(out.Char1, -2147483640);
    EXPECT_EQ(out.KekkaLost, -2147483640);
    EXPECT_EQ(out.BackPt1, -2147483643);
}

TEST(Colors, ChooserOpensOnTheLastColorChosenInIt) {
    TScriptedDialogs dialogs;
    dialogs.Colors = {QColor(255, 0, 0), std::nullopt, QColor(0, 0, 255)};
    TFmColor d(dialogs, QColor(1, 2, 3));
    d.Load(CustomColors());
    d.show();
    QTest::mouseClick(d.CBLine1, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(dialogs.LastColorOffered, QColor(1, 2, 3));
    EXPECT_EQ(d.CBLine1->Color(), 255);

    const int32_t up = d.CBUp->Color();
    d.CBClick(d.CBUp); // cancelled: nothing changes
    EXPECT_EQ(dialogs.LastColorOffered, QColor(255, 0, 0));
    EXPECT_EQ(d.CBUp->Color(), up);

    d.CBClick(d.CBChar1);
    EXPECT_EQ(dialogs.LastColorOffered, QColor(255, 0, 0));
    EXPECT_EQ(d.CBChar1->Color(), 16711680);
    EXPECT_EQ(d.LastChosen(), QColor(0, 0, 255));
}
