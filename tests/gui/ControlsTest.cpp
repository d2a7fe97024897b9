#include "draw/Pictures.h"
#include "draw/QtText.h"
#include "gui/controls/CuteBtn.h"
#include "gui/controls/TabStrip.h"
#include "gui/controls/URLLabel.h"
#include "gui/controls/UVersion.h"
#include "tests/gui/ScriptedDialogs.h"

#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

TEST(QtText, StoredColors) {
    QPalette pal;
    pal.setColor(QPalette::Base, QColor(1, 2, 3));
    pal.setColor(QPalette::Text, QColor(4, 5, 6));
    EXPECT_EQ(StoredToQColor(255, pal), QColor(255, 0, 0));
    EXPECT_EQ(StoredToQColor(16711680, pal), QColor(0, 0, 255));
    EXPECT_EQ(StoredToQColor(-2147483643, pal), QColor(1, 2, 3));
    EXPECT_EQ(StoredToQColor(-2147483640, pal), QColor(4, 5, 6));
    // The bevel colors: 15 button face, 16 button shadow (dark), 20 button highlight (light).
    pal.setColor(QPalette::Button, QColor(7, 7, 7));
    pal.setColor(QPalette::Dark, QColor(16, 16, 16));
    pal.setColor(QPalette::Light, QColor(20, 20, 20));
    EXPECT_EQ(StoredToQColor(static_cast<int32_t>(0x8000000Fu), pal), QColor(7, 7, 7));
    EXPECT_EQ(StoredToQColor(static_cast<int32_t>(0x80000010u), pal), QColor(16, 16, 16));
    EXPECT_EQ(StoredToQColor(static_cast<int32_t>(0x80000014u), pal), QColor(20, 20, 20));
    EXPECT_EQ(QColorToStored(QColor(0x12, 0x34, 0x56)), 0x563412);
    EXPECT_EQ(FromQ(QStringLiteral("巨人")), sjis::S("巨人"));
    EXPECT_EQ(Q(sjis::S("阪神")), QStringLiteral("阪神"));
}

TEST(Pictures, References) {
    const QString dir = QStringLiteral("/opt/tablora");
    EXPECT_EQ(ResolvePicture("{DEFAULT}g.bmp", dir), QStringLiteral("/opt/tablora/picture/g.bmp"));
    EXPECT_EQ(ResolvePicture("/home/x/g.bmp", dir), QStringLiteral("/home/x/g.bmp"));
    EXPECT_EQ(PictureReference(QStringLiteral("/opt/tablora/picture/g.bmp"), dir), "{DEFAULT}g.bmp");
    EXPECT_EQ(PictureReference(QStringLiteral("/opt/tablora/PICTURE/g.bmp"), dir), "{DEFAULT}g.bmp");
    EXPECT_EQ(PictureReference(QStringLiteral("/opt/tablora/picture/sub/g.bmp"), dir),
              "/opt/tablora/picture/sub/g.bmp");
    EXPECT_TRUE(LoadPicture("", dir).isNull());
    EXPECT_TRUE(LoadPicture("{DEFAULT}missing.bmp", dir).isNull());
}

TEST(URLLabel, HoverPressAndOpen) {
    TScriptedDialogs dialogs;
    TURLLabel link;
    link.setText(QStringLiteral("https://tablora.example.org/"));
    link.resize(200, 20);
    link.SetTextColor(QColor(0, 0, 255));
    link.SetHotColor(QColor(255, 0, 0));
    link.Opener = &dialogs;
    link.Executable = true;
    QSignalSpy clicks(&link, &TURLLabel::clicked);

    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&link, &enter);
    EXPECT_EQ(link.TextColor(), QColor(255, 0, 0));
    QTest::mousePress(&link, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(link.TextColor(), link.PushedColor);
    EXPECT_EQ(dialogs.Log, QStringList({"url:https://tablora.example.org/"})); // opens on press
    // Released outside: back to the color from before the hover, no click.
    QTest::mouseRelease(&link, Qt::LeftButton, {}, QPoint(500, 5));
    EXPECT_EQ(link.TextColor(), QColor(0, 0, 255));
    EXPECT_EQ(clicks.count(), 0);

    QTest::mousePress(&link, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&link, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(link.TextColor(), QColor(255, 0, 0)); // still over it

    // Without hot tracking the color never changes, and the link still opens.
    link.SetHotTrack(false);
    link.SetTextColor(QColor(0, 0, 255));
    QTest::mousePress(&link, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(link.TextColor(), QColor(0, 0, 255));
    EXPECT_EQ(dialogs.Log.size(), 3);
}

TEST(Version, MailLinkAsksForMail) {
    TFmVersion v;
    EXPECT_EQ(v.windowTitle(), QStringLiteral("バージョン情報"));
    EXPECT_EQ(v.Label3->text(), QStringLiteral("Version 1.0.2"));
    EXPECT_TRUE(v.URLLabel1->Executable);
    EXPECT_FALSE(v.URLLabel2->Executable);
    QSignalSpy mail(&v, &TFmVersion::MailRequested);
    v.URLLabel2->setText(QStringLiteral("author@tablora.example.org"));
    v.URLLabel2->adjustSize();
    QTest::mouseClick(v.URLLabel2, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(mail.count(), 1);
}

TEST(TabStrip, ThirtyTabsWrapIntoRowsAndSwitchByClickAndKeyboard) {
    // Laid out as in a view window: the table above, the strip below.
    QWidget window;
    auto* column = new QVBoxLayout(&window);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(new QScrollArea);
    TTabStrip& strip = *new TTabStrip;
    column->addWidget(&strip);
    for (int i = 1; i <= 30; ++i)
        strip.addTab(QStringLiteral("チーム%1").arg(i));
    EXPECT_EQ(strip.currentIndex(), 0); // the first tab added is selected
    window.resize(420, 400);
    window.show();
    ASSERT_GT(strip.rowCount(), 2);
    EXPECT_EQ(strip.width(), 420);
    EXPECT_EQ(strip.height(), strip.rowCount() * strip.tabRect(0).height()); // every row shows
    // Every tab lies whole inside the strip, rows fill from the left, none overlap.
    for (int i = 0; i < strip.count(); ++i) {
        const QRect r = strip.tabRect(i);
        EXPECT_TRUE(strip.rect().contains(r)) << i;
        if (i > 0) {
            const QRect before = strip.tabRect(i - 1);
            EXPECT_TRUE(r.top() == before.top() ? r.left() == before.right() + 1
                                                : r.left() == 0 && r.top() == before.bottom() + 1)
                << i;
        }
    }
    // A wider strip takes fewer rows; a single tab wider than the strip still gets a row.
    EXPECT_LT(strip.heightForWidth(1200), strip.heightForWidth(420));
    EXPECT_EQ(strip.heightForWidth(10), 30 * strip.tabRect(0).height());

    QSignalSpy changes(&strip, &TTabStrip::currentChanged);
    QTest::mouseClick(&strip, Qt::LeftButton, {}, strip.tabRect(17).center());
    EXPECT_EQ(strip.currentIndex(), 17);
    QTest::keyClick(&strip, Qt::Key_End);
    EXPECT_EQ(strip.currentIndex(), 29);
    QTest::keyClick(&strip, Qt::Key_Right); // past the last tab: stays
    QTest::keyClick(&strip, Qt::Key_Home);
    QTest::keyClick(&strip, Qt::Key_Left);
    EXPECT_EQ(strip.currentIndex(), 0);
    QTest::keyClick(&strip, Qt::Key_Right);
    EXPECT_EQ(strip.currentIndex(), 1);
    QTest::keyClick(&strip, Qt::Key_Down); // the tab below, in the second row
    const int below = strip.currentIndex();
    EXPECT_EQ(strip.tabRect(below).top(), strip.tabRect(1).bottom() + 1);
    EXPECT_TRUE(strip.tabRect(below).left() <= strip.tabRect(1).center().x() &&
                strip.tabRect(below).right() >= strip.tabRect(1).center().x());
    QTest::keyClick(&strip, Qt::Key_Up);
    EXPECT_EQ(strip.currentIndex(), 1);
    QList<int> seen;
    for (const QList<QVariant>& args : changes)
        seen.append(args.at(0).toInt());
    EXPECT_EQ(seen, QList<int>({17, 29, 0, 1, below, 1}));
}

// ---- the bevel button ----

namespace {

using TBevel = TCuteButton::TBevel;

// A form with the button and one other control to take the focus away.
struct TButtonForm {
    QWidget Form;
    TCuteButton* Button = new TCuteButton(&Form);
    QPushButton* Other = new QPushButton(QStringLiteral("other"), &Form);
    TButtonForm() {
        Other->move(100, 0);
        Form.setGeometry(300, 300, 200, 60); // away from the pointer
        Form.show();
        Form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Form));
    }
    void Enter() {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(Button, &enter);
    }
    void Leave() {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(Button, &leave);
    }
};

} // namespace

TEST(CuteButton, OuterBevelFollowsPointerFocusAndMouse) {
    TButtonForm f;
    TCuteButton& b = *f.Button;
    QSignalSpy clicks(&b, &TCuteButton::clicked);
    QSignalSpy entered(&b, &TCuteButton::OnMouseEnter);
    f.Other->setFocus();
    EXPECT_EQ(b.BevelOuter(), TBevel::None);
    EXPECT_EQ(b.BevelInner(), TBevel::Raised);
    f.Enter();
    EXPECT_EQ(b.BevelOuter(), TBevel::Raised);
    EXPECT_EQ(entered.count(), 1);
    f.Leave();
    EXPECT_EQ(b.BevelOuter(), TBevel::None);

    b.setFocus(); // focus raises it, and leaving keeps it up
    EXPECT_EQ(b.BevelOuter(), TBevel::Raised);
    f.Enter();
    f.Leave();
    EXPECT_EQ(b.BevelOuter(), TBevel::Raised);
    b.SetTabFocusUp(false);
    f.Enter();
    f.Leave();
    EXPECT_EQ(b.BevelOuter(), TBevel::None);
    b.SetTabFocusUp(true);
    f.Other->setFocus();
    EXPECT_EQ(b.BevelOuter(), TBevel::None);

    // Pressing takes the focus and sinks; releasing inside clicks.
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(b.hasFocus());
    EXPECT_EQ(b.BevelOuter(), TBevel::Lowered);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(b.BevelOuter(), TBevel::Raised);
    EXPECT_EQ(clicks.count(), 1);

    // Dragged out while held: up at once while it keeps the focus with TabFocusUp, else flat, never
    // drawn pressed; released outside: no click.
    auto dragOut = [&b] {
        QMouseEvent move(QEvent::MouseMove, QPointF(90, 50), b.mapToGlobal(QPointF(90, 50)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&b, &move);
    };
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
    dragOut();
    EXPECT_EQ(b.BevelOuter(), TBevel::Raised);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(90, 50));
    EXPECT_EQ(b.BevelOuter(), TBevel::Raised);
    b.SetTabFocusUp(false);
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
    dragOut();
    EXPECT_EQ(b.BevelOuter(), TBevel::None);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(90, 50));
    EXPECT_EQ(b.BevelOuter(), TBevel::None);
    EXPECT_EQ(clicks.count(), 1);

    // A double click arrives as two clicks (Qt sends press, release, double click, release).
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseDClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks.count(), 3);
}

TEST(CuteButton, KeysClickCancelAndAccelerate) {
    TButtonForm f;
    TCuteButton& b = *f.Button;
    QSignalSpy clicks(&b, &TCuteButton::clicked);
    b.setFocus();

    QTest::keyPress(&b, Qt::Key_Space);
    EXPECT_EQ(b.BevelOuter(), TBevel::Lowered);
    QTest::keyRelease(&b, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(b.BevelOuter(), TBevel::Raised);

    // Another key while space is held cancels the space click.
    QTest::keyPress(&b, Qt::Key_Space);
    QTest::keyClick(&b, Qt::Key_A);
    EXPECT_EQ(b.BevelOuter(), TBevel::Raised);
    QTest::keyRelease(&b, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 1);

    QTest::keyClick(&b, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 2);
    b.SetTabFocusUp(false);
    QTest::keyClick(&b, Qt::Key_Enter);
    EXPECT_EQ(clicks.count(), 3);
    EXPECT_EQ(b.BevelOuter(), TBevel::None);

    // The caption's accelerator, from anywhere in the form.
    b.SetCaption(QStringLiteral("色(&C)"));
    f.Other->setFocus();
    QTest::keyClick(&f.Form, Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 4);

    b.setEnabled(false);
    QTest::keyClick(&f.Form, Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 4);
}

TEST(CuteButton, PropertiesAndPaint) {
    TCuteButton b;
    EXPECT_EQ(b.size(), QSize(75, 25));
    EXPECT_EQ(b.BevelHighlightColor(), static_cast<int32_t>(0x80000014u));
    EXPECT_EQ(b.BevelShadowColor(), static_cast<int32_t>(0x80000010u));
    EXPECT_EQ(b.DisabledColor(), 8421504);
    EXPECT_EQ(b.Layout(), TCuteButton::TLayout::Center);
    EXPECT_TRUE(b.TabFocusUp());
    EXPECT_FALSE(b.Flat() || b.ShowFocusRect() || b.EgnoreContClick() || b.UseDisabledColor());
    b.SetMarginX(-5);
    b.SetMarginY(-2);
    EXPECT_EQ(b.MarginX(), -1);
    EXPECT_EQ(b.MarginY(), -1);
    b.SetBevelWidth(0);
    EXPECT_EQ(b.BevelWidth(), 1);

    // Caption rectangle: twice the bevel width in (once when flat), then the margins.
    b.SetBevelWidth(2);
    EXPECT_EQ(b.CaptionRect(), QRect(4, 4, 67, 17));
    b.SetAlignment(Qt::AlignRight);
    b.SetLayout(TCuteButton::TLayout::Top);
    b.SetMarginX(3);
    b.SetMarginY(5);
    EXPECT_EQ(b.CaptionRect(), QRect(4, 9, 64, 12));
    b.SetFlat(true);
    EXPECT_EQ(b.BevelInner(), TBevel::None);
    EXPECT_EQ(b.CaptionRect(), QRect(2, 7, 68, 16));

    // The face, and the bevel edges in the highlight (20) and shadow (16) colors.
    QPalette pal = b.palette();
    pal.setColor(QPalette::Light, QColor(250, 0, 0));
    pal.setColor(QPalette::Dark, QColor(0, 0, 250));
    b.setPalette(pal);
    b.SetBevelWidth(1);
    b.SetFlat(false);
    b.SetColor(0x00FF00);
    QImage face = b.grab().toImage();
    EXPECT_EQ(face.pixelColor(37, 12), QColor(0, 255, 0));
    EXPECT_EQ(face.pixelColor(0, 12), QColor(250, 0, 0)); // inner bevel raised: light top-left
    EXPECT_EQ(face.pixelColor(74, 12), QColor(0, 0, 250));
    b.setEnabled(false);
    b.SetUseDisabledColor(true);
    face = b.grab().toImage();
    EXPECT_EQ(face.pixelColor(37, 12), QColor(128, 128, 128));
}

TEST(CuteButton, EgnoreContClickDropsClicksQueuedWhileHandlerRuns) {
    for (const bool ignore : {true, false}) {
        TButtonForm f;
        TCuteButton& b = *f.Button;
        b.SetEgnoreContClick(ignore);
        int handled = 0;
        QObject::connect(&b, &TCuteButton::clicked, [&] {
            if (++handled > 1)
                return;
            // A second click arrives while the first one's handler is still busy.
            const QPointF at(5, 5), global = b.mapToGlobal(at);
            QCoreApplication::postEvent(&b, new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton,
                                                            Qt::LeftButton, Qt::NoModifier));
            QCoreApplication::postEvent(&b, new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton,
                                                            Qt::NoButton, Qt::NoModifier));
        });
        QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
        QCoreApplication::processEvents();
        EXPECT_EQ(handled, ignore ? 1 : 2) << "EgnoreContClick " << ignore;
        QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5)); // the handler is back afterwards
        EXPECT_EQ(handled, ignore ? 2 : 3);
    }
}

TEST(CuteButton, DropDownMenuAtOnceOrAfterTheHoldDelay) {
    TButtonForm f;
    TCuteButton& b = *f.Button;
    QSignalSpy clicks(&b, &TCuteButton::clicked);
    QMenu menu;
    menu.addAction(QStringLiteral("item"));
    int shown = 0;
    QObject::connect(&menu, &QMenu::aboutToShow, [&] {
        ++shown;
        QTimer::singleShot(0, &menu, &QMenu::close);
    });
    b.SetDropDownMenu(&menu);

    // No delay: a press drops the menu, and the release that follows is no click.
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(shown, 1);
    QTest::keyClick(&b, Qt::Key_Return); // Enter shows it too, instead of clicking
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(clicks.count(), 0);

    // With a delay: released in time, nothing drops and the button clicks.
    b.SetDropDownDelay(150);
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(b.HoldTimerRunning());
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(b.HoldTimerRunning());
    QTest::qWait(250);
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(clicks.count(), 1);
    QTest::keyClick(&b, Qt::Key_Return); // a delay means Enter clicks
    EXPECT_EQ(clicks.count(), 2);

    // Held past the delay (mouse or space): the menu drops, no click follows.
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown == 3; }, 2000));
    QTest::keyPress(&b, Qt::Key_Space);
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown == 4; }, 2000));
    QTest::keyRelease(&b, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 2);
}
