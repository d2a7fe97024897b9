// The registered wheel message every view treats like a wheel event.
#pragma once

#include <QEvent>

// Registered once, on first use (the program does it at start).
QEvent::Type MsWheelRollMsg();
