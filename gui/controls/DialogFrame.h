// The frame of the program's fixed dialogs: a title bar with a close box only,
// no minimize or maximize buttons. Closing answers like Cancel (Esc).
//
// The close box stays on purpose: Qt describes a title bar without any button
// by the window's functions alone, which several window managers (Openbox
// among them) ignore for buttons, and those then draw all three. Asking for the
// close box makes Qt name the decorations, and every window manager drops the
// minimize and maximize buttons.
#pragma once

#include <QWidget>

inline void UseDialogFrame(QWidget& dialog) {
    dialog.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}
