#include "WheelMessage.h"

QEvent::Type MsWheelRollMsg() {
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}
