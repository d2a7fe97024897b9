#include "gui/controls/DialogFrame.h"

#include <QDialog>
#include <QMainWindow>
#include <QTest>
#include <gtest/gtest.h>

// Minimizing a dialog never leaves it, or the main window with it, minimized:
// both come back, and a maximized main window stays maximized.
TEST(DialogFrame, AMinimizedDialogComesBackWithItsMainWindow) {
    QMainWindow main;
    main.setWindowState(Qt::WindowMaximized);
    main.show();
    QDialog dialog(&main);
    UseDialogFrame(dialog);
    dialog.show();
    main.setWindowState(main.windowState() | Qt::WindowMinimized); // what some window managers do with the group
    dialog.setWindowState(Qt::WindowMinimized);
    for (int i = 0; i < 20 && (dialog.windowState() & Qt::WindowMinimized); ++i)
        QTest::qWait(10);
    EXPECT_FALSE(dialog.windowState() & Qt::WindowMinimized);
    EXPECT_FALSE(main.windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(main.windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(dialog.isVisible());
}
