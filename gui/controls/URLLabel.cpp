#include "gui/controls/URLLabel.h"

#include "gui/controls/DialogService.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

TURLLabel::TURLLabel(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    SavedColor = TextColor();
}

QColor TURLLabel::TextColor() const {
    return palette().color(QPalette::WindowText);
}

void TURLLabel::SetTextColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
    update();
}

void TURLLabel::SetHotTrack(bool on) {
    if (HotTrack != on) {
        HotTrack = on;
        update();
    }
}

void TURLLabel::SetHotColor(const QColor& color) {
    if (HotColor != color) {
        HotColor = color;
        update();
    }
}

void TURLLabel::SetPushedColor(const QColor& color) {
    if (PushedColor != color) {
        PushedColor = color;
        update();
    }
}

void TURLLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    if (HotTrack) {
        SavedColor = TextColor();
        SetTextColor(HotColor);
    }
}

void TURLLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    if (HotTrack)
        SetTextColor(SavedColor);
}

void TURLLabel::mousePressEvent(QMouseEvent* event) {
    QLabel::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    Pressed = true;
    if (HotTrack)
        SetTextColor(PushedColor);
    // The link opens on press, not on release.
    if (Executable) {
        if (Opener)
            Opener->OpenUrl(text());
        else
            QDesktopServices::openUrl(QUrl(text()));
    }
}

void TURLLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !Pressed)
        return;
    Pressed = false;
    const bool inside = rect().contains(event->position().toPoint());
    if (HotTrack)
        SetTextColor(inside ? HotColor : SavedColor);
    if (inside)
        emit clicked();
}
