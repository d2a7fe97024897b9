#include "controls/Pictures.h"
#include "controls/QtText.h"
#include "controls/TabStrip.h"
#include "controls/URLLabel.h"
#include "controls/UVersion.h"
#include "gui/ScriptedDialogs.h"

#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

TEST(QtText, StoredColors) {
    QPalette pal;
    pal.setColor(QPalette::Base, QColor(1, 2, 3));
    pal.setColor(QPalette::Text, QColor(4, 5, 6));
    EXPECT_EQ(StoredToQColor(255, pal), QColor(255, 0, 0));
    EXPECT_EQ(StoredToQColor(16711680, pal), QColor(0, 0, 255));
    EXPECT_EQ(StoredToQColor(-2147483643, pal), QColor(1, 2, 3));
    EXPECT_EQ(StoredToQColor(-2147483640, pal), QColor(4, 5, 6));
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
