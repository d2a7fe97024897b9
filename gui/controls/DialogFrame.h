// The frame of the program's fixed dialogs: a title bar with a close box only,
// no minimize or maximize buttons. Closing answers like Cancel (Esc).
//
// The close box stays on purpose: Qt describes a title bar without any button
// by the window's functions alone, which several window managers (Openbox
// among them) ignore for buttons, and those then draw all three. Asking for the
// close box makes Qt name the decorations, and every window manager drops the
// minimize and maximize buttons.
#pragma once

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <vector>

// A dialog is never minimized: where the window manager still offers it, the
// dialog comes back at once, and the main window (which some window managers
// minimize together with its dialog) is shown again with it. A minimized
// modal dialog would leave the program hidden and blocked.
class TDialogUnminimizer : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowStateChange && watched->isWidgetType()) {
            QWidget* dialog = static_cast<QWidget*>(watched);
            if (dialog->windowState() & Qt::WindowMinimized)
                QTimer::singleShot(0, dialog, [dialog] {
                    QWidget* main = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
                    if (main && main->isMinimized())
                        main->setWindowState(main->windowState() & ~Qt::WindowMinimized); // maximized stays so
                    dialog->setWindowState(dialog->windowState() & ~Qt::WindowMinimized);
                    dialog->activateWindow();
                });
        }
        return false;
    }
};

inline void KeepDialogUnminimized(QWidget& dialog) {
    dialog.installEventFilter(new TDialogUnminimizer(&dialog)); // freed with the dialog
}

inline void UseDialogFrame(QWidget& dialog) {
    dialog.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    KeepDialogUnminimized(dialog);
}

// The Tab order of a dialog's controls, given in the order the eye reads them
// (top to bottom, left to right): each control takes the focus after the one
// before it. Controls that are hidden or disabled at the moment are passed by
// Tab as usual; null entries are left out.
inline void ChainTabs(const std::vector<QWidget*>& order) {
    QWidget* previous = nullptr;
    for (QWidget* next : order) {
        if (!next)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, next);
        previous = next;
    }
}
