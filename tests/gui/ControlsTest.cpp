#include "controls/Pictures.h"
#include "controls/QtText.h"
#include "controls/URLLabel.h"
#include "controls/UVersion.h"
#include "gui/ScriptedDialogs.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

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
