#include "gui/controls/WheelMessage.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

QEvent::Type MsWheelRollMsg() {
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

bool ScrollOneLine(QEvent* event, QScrollArea* box) {
    int delta;
    if (event->type() == QEvent::Wheel)
        delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
    else if (event->type() == MsWheelRollMsg())
        delta = static_cast<TWheelRollEvent*>(event)->Delta;
    else
        return false;
    box->verticalScrollBar()->triggerAction(delta > 0 ? QAbstractSlider::SliderSingleStepSub
                                                      : QAbstractSlider::SliderSingleStepAdd);
    event->accept();
    return true;
}
