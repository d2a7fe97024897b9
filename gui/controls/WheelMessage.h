// The registered wheel message every view treats like a wheel event, and the
// one-line-per-notch scrolling all table views share.
#pragma once

#include <QEvent>

class QScrollArea;

// Registered once, on first use (the program does it at start).
QEvent::Type MsWheelRollMsg();

// The registered message carries its delta like a wheel notch.
class TWheelRollEvent : public QEvent {
public:
    explicit TWheelRollEvent(int delta) : QEvent(MsWheelRollMsg()), Delta(static_cast<short>(delta)) {}
    short Delta;
};

// For a wheel event or the registered message: scrolls `box` one line up for
// a positive delta and one line down otherwise, and says the event is handled.
bool ScrollOneLine(QEvent* event, QScrollArea* box);
