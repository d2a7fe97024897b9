#include "gui/controls/UpDown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

TUpDown::TUpDown(QWidget* parent) : QWidget(parent) {
    auto arrow = [this](Qt::ArrowType type, int delta) {
        auto* button = new QToolButton(this);
        button->setArrowType(type);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, delta] { Step(delta); });
        return button;
    };
    BtnUp = arrow(Qt::UpArrow, 1);
    BtnDown = arrow(Qt::DownArrow, -1);
    resize(17, 21);
}

void TUpDown::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    BtnUp->setGeometry(0, 0, width(), half);
    BtnDown->setGeometry(0, half, width(), height() - half);
}

void TUpDown::SetAssociate(QLineEdit* edit) {
    if (FAssociate)
        FAssociate->removeEventFilter(this);
    FAssociate = edit;
    if (FAssociate) {
        FAssociate->installEventFilter(this);
        SetPosition(FPosition);
    }
}

void TUpDown::SetRange(int min, int max) {
    FMin = std::min(min, max);
    FMax = std::max(min, max);
    FPosition = std::clamp(FPosition, FMin, FMax);
}

int TUpDown::Position() const {
    if (!FAssociate)
        return FPosition;
    bool ok = false;
    const int value = FAssociate->text().trimmed().toInt(&ok);
    return ok ? std::clamp(value, FMin, FMax) : FMin;
}

void TUpDown::SetPosition(int position) {
    FPosition = std::clamp(position, FMin, FMax);
    if (FAssociate)
        FAssociate->setText(QString::number(FPosition));
}

void TUpDown::Step(int delta) {
    SetPosition(Position() + delta);
    if (FAssociate)
        FAssociate->selectAll();
}

bool TUpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FAssociate && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
