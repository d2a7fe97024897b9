#include "gui/controls/CuteBtn.h"

#include "draw/QtText.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QShortcutEvent>
#include <QStyle>
#include <QStyleOptionFocusRect>

TCuteButtonTimer::TCuteButtonTimer(TCuteButton* button) : QTimer(button), FCuteButton(button) {
    setSingleShot(true);
    connect(this, &QTimer::timeout, button, &TCuteButton::HoldTimerFired);
}

TCuteButton::TCuteButton(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(75, 25);
}

TCuteButton::~TCuteButton() = default;

// ---- properties: each repaints only when its value changes ----

void TCuteButton::SetCaption(const QString& caption) {
    if (caption == FCaption)
        return;
    FCaption = caption;
    if (FShortcutId)
        releaseShortcut(FShortcutId);
    FShortcutId = 0;
    const QKeySequence accelerator = QKeySequence::mnemonic(caption);
    if (!accelerator.isEmpty())
        FShortcutId = grabShortcut(accelerator);
    update();
}

void TCuteButton::SetColor(int32_t color) {
    if (color == FColor)
        return;
    FColor = color;
    update();
}

void TCuteButton::SetAlignment(Qt::Alignment alignment) {
    alignment &= Qt::AlignHorizontal_Mask;
    if (alignment == FAlignment)
        return;
    FAlignment = alignment;
    update();
}

void TCuteButton::SetBevelWidth(int width) {
    width = std::max(width, 1);
    if (width == FBevelWidth)
        return;
    FBevelWidth = width;
    update();
}

void TCuteButton::SetBevelHighlightColor(int32_t color) {
    if (color == FBevelHighlightColor)
        return;
    FBevelHighlightColor = color;
    update();
}

void TCuteButton::SetBevelShadowColor(int32_t color) {
    if (color == FBevelShadowColor)
        return;
    FBevelShadowColor = color;
    update();
}

void TCuteButton::SetDisabledColor(int32_t color) {
    if (color == FDisabledColor)
        return;
    FDisabledColor = color;
    if (!isEnabled())
        update();
}

void TCuteButton::SetUseDisabledColor(bool on) {
    if (on == FUseDisabledColor)
        return;
    FUseDisabledColor = on;
    if (!isEnabled())
        update();
}

void TCuteButton::SetFlat(bool on) {
    if (on == FFlat)
        return;
    FFlat = on;
    update();
}

void TCuteButton::SetLayout(TLayout layout) {
    if (layout == FLayout)
        return;
    FLayout = layout;
    update();
}

void TCuteButton::SetMarginX(int margin) {
    margin = std::max(margin, -1);
    if (margin == FMarginX)
        return;
    FMarginX = margin;
    update();
}

void TCuteButton::SetMarginY(int margin) {
    margin = std::max(margin, -1);
    if (margin == FMarginY)
        return;
    FMarginY = margin;
    update();
}

void TCuteButton::SetShowFocusRect(bool on) {
    if (on == FShowFocusRect)
        return;
    FShowFocusRect = on;
    update();
}

void TCuteButton::SetTabFocusUp(bool on) {
    if (on == FTabFocusUp)
        return;
    FTabFocusUp = on;
    update();
}

void TCuteButton::SetBevelOuter(TBevel bevel) {
    if (bevel == FBevelOuter)
        return;
    FBevelOuter = bevel;
    update();
}

void TCuteButton::RestUp() {
    SetBevelOuter(FTabFocusUp ? TBevel::Raised : TBevel::None);
}

bool TCuteButton::IsActiveControl() const {
    return window()->focusWidget() == this;
}

// ---- the pointer ----

void TCuteButton::MouseEnter() {
    const QPoint at = mapFromGlobal(QCursor::pos());
    emit OnMouseEnter(QApplication::keyboardModifiers(), QApplication::mouseButtons(), at.x(), at.y());
}

void TCuteButton::MouseLeave() {
    const QPoint at = mapFromGlobal(QCursor::pos());
    emit OnMouseLeave(QApplication::keyboardModifiers(), QApplication::mouseButtons(), at.x(), at.y());
}

void TCuteButton::PointerEntered() {
    if (FPointerInside)
        return;
    FPointerInside = true;
    MouseEnter();
    SetBevelOuter((QApplication::mouseButtons() & Qt::LeftButton) || FLeftHeld ? TBevel::Lowered : TBevel::Raised);
}

void TCuteButton::PointerLeft() {
    if (!FPointerInside)
        return;
    FPointerInside = false;
    MouseLeave();
    // Flat, or raised while it keeps the focus: never left drawn pressed when
    // the pointer is dragged out with the button held.
    SetBevelOuter(hasFocus() && FTabFocusUp ? TBevel::Raised : TBevel::None);
}

void TCuteButton::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    PointerEntered();
}

void TCuteButton::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    PointerLeft();
}

void TCuteButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    FLeftHeld = true;
    FPointerInside = rect().contains(event->position().toPoint());
    setFocus(Qt::MouseFocusReason);
    SetBevelOuter(TBevel::Lowered);
    if (FDropDownMenu)
        BeginDropDown(false);
}

void TCuteButton::mouseMoveEvent(QMouseEvent* event) {
    // While the button holds the mouse, Qt reports no crossing of its edge:
    // follow it here so the button rises and sinks as the pointer leaves and returns.
    if (FLeftHeld) {
        if (rect().contains(event->position().toPoint()))
            PointerEntered();
        else
            PointerLeft();
    }
    QWidget::mouseMoveEvent(event);
}

void TCuteButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    StopHoldTimer();
    const bool wasHeld = FLeftHeld;
    FLeftHeld = false;
    const bool inside = rect().contains(event->position().toPoint());
    SetBevelOuter(inside || (FTabFocusUp && IsActiveControl()) ? TBevel::Raised : TBevel::None);
    if (wasHeld && inside)
        Click();
}

// ---- the keyboard and the focus ----

void TCuteButton::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Space && event->isAutoRepeat())
        return; // space held down
    if (key == Qt::Key_Space && isEnabled()) {
        SetBevelOuter(TBevel::Lowered);
        FSpaceHeld = true;
        if (FDropDownMenu)
            BeginDropDown(true);
        return;
    }
    if (FSpaceHeld) { // another key cancels a held space
        FSpaceHeld = false;
        RestUp();
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && isEnabled()) {
        SetBevelOuter(TBevel::Lowered);
        QPointer<TCuteButton> self(this);
        ClickOrMenu();
        if (self)
            RestUp();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TCuteButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat())
        return;
    StopHoldTimer();
    if (event->key() == Qt::Key_Space && FSpaceHeld) {
        FSpaceHeld = false;
        QPointer<TCuteButton> self(this);
        Click();
        if (self)
            RestUp();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

bool TCuteButton::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut && static_cast<QShortcutEvent*>(event)->shortcutId() == FShortcutId) {
        // The caption's accelerator.
        if (isEnabled() && parentWidget() && parentWidget()->isVisible()) {
            SetBevelOuter(TBevel::Lowered);
            QPointer<TCuteButton> self(this);
            ClickOrMenu();
            if (self)
                RestUp();
        }
        return true;
    }
    return QWidget::event(event);
}

void TCuteButton::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (FTabFocusUp)
        SetBevelOuter(TBevel::Raised);
    else
        update(); // the focus rectangle
}

void TCuteButton::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    FSpaceHeld = false; // its release goes elsewhere now
    SetBevelOuter(TBevel::None);
    update();
}

void TCuteButton::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::PaletteChange ||
        event->type() == QEvent::FontChange)
        update();
}

// ---- clicks and the drop-down menu ----

void TCuteButton::Click() {
    if (FMenuShown) {
        FMenuShown = false;
        return;
    }
    if (!FEgnoreContClick) {
        emit clicked();
        return;
    }
    if (FHandlerDetached)
        return; // arrived while the handler runs: lost
    FHandlerDetached = true;
    QPointer<TCuteButton> self(this);
    emit clicked();
    // Clicks queued while the handler ran are delivered now and find no handler.
    QCoreApplication::processEvents();
    if (self)
        FHandlerDetached = false;
}

void TCuteButton::ClickOrMenu() {
    if (FDropDownMenu && FDropDownDelay <= 0) {
        FKeyDropDown = true;
        ShowDropDownMenu();
    } else {
        Click();
    }
}

void TCuteButton::BeginDropDown(bool fromKeyboard) {
    FKeyDropDown = fromKeyboard;
    if (FDropDownDelay <= 0) {
        ShowDropDownMenu();
        return;
    }
    if (FTimer)
        return;
    FTimer = new TCuteButtonTimer(this);
    FTimer->start(FDropDownDelay);
}

void TCuteButton::StopHoldTimer() {
    if (!FTimer)
        return;
    FTimer->stop();
    FTimer->deleteLater();
    FTimer = nullptr;
}

void TCuteButton::HoldTimerFired() {
    StopHoldTimer();
    // A mouse-started drop-down shows only while the button is still held.
    if (FKeyDropDown || FLeftHeld)
        ShowDropDownMenu();
}

void TCuteButton::ShowDropDownMenu() {
    if (!FDropDownMenu)
        return;
    FMenuShown = true;
    QPointer<TCuteButton> self(this);
    QCoreApplication::processEvents();
    if (!self)
        return;
    if (FDropDownMenu)
        FDropDownMenu->exec(mapToGlobal(QPoint(0, height())));
    if (!self)
        return;
    // The menu took the release; give the button the one it waits for. The
    // click it brings is swallowed by the menu-shown flag.
    if (FKeyDropDown) {
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QApplication::sendEvent(this, &release);
    } else {
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(0, 0), mapToGlobal(QPointF(0, 0)), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(this, &release);
    }
    if (self)
        FMenuShown = false;
}

// ---- painting ----

QColor TCuteButton::Resolve(int32_t stored) const {
    return StoredToQColor(stored, palette());
}

void TCuteButton::DrawBevel(QPainter& painter, QRect& rect, TBevel bevel) const {
    if (bevel == TBevel::None)
        return;
    const QColor light = Resolve(FBevelHighlightColor), dark = Resolve(FBevelShadowColor);
    const QColor& topLeft = bevel == TBevel::Raised ? light : dark;
    const QColor& bottomRight = bevel == TBevel::Raised ? dark : light;
    // Each line fills its pixels of the widget: on a screen at 200% a bevel
    // line is two device pixels, whole ones, as the button is twice the size.
    // A pen would straddle device pixels at ratios like 150%.
    for (int i = 0; i < FBevelWidth && rect.width() > 0 && rect.height() > 0; ++i) {
        painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), topLeft);
        painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), topLeft);
        painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), bottomRight);
        painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), bottomRight);
        rect.adjust(1, 1, -1, -1);
    }
}

QRect TCuteButton::CaptionRect() const {
    const int inset = FFlat ? FBevelWidth : 2 * FBevelWidth;
    QRect r = rect().adjusted(inset, inset, -inset, -inset);
    if (FMarginX != -1) {
        if (FAlignment & Qt::AlignLeft)
            r.setLeft(r.left() + FMarginX);
        else if (FAlignment & Qt::AlignRight)
            r.setRight(r.right() - FMarginX);
    }
    if (FMarginY != -1) {
        if (FLayout == TLayout::Top)
            r.setTop(r.top() + FMarginY);
        else if (FLayout == TLayout::Bottom)
            r.setBottom(r.bottom() - FMarginY);
    }
    if (FBevelOuter == TBevel::Lowered) {
        r.setLeft(r.left() + 2);
        r.setTop(r.top() + 2);
    }
    return r;
}

void TCuteButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool disabledFace = FUseDisabledColor && !isEnabled();
    painter.fillRect(rect(), Resolve(disabledFace ? FDisabledColor : FColor));

    QRect bevels = rect();
    DrawBevel(painter, bevels, FBevelOuter);
    DrawBevel(painter, bevels, BevelInner());

    const QRect caption = CaptionRect();
    if (!FCaption.isEmpty()) {
        const Qt::Alignment vertical = FLayout == TLayout::Top      ? Qt::AlignTop
                                       : FLayout == TLayout::Bottom ? Qt::AlignBottom
                                                                    : Qt::AlignVCenter;
        const int flags = static_cast<int>(FAlignment | vertical) | Qt::TextSingleLine | Qt::TextShowMnemonic;
        painter.setFont(font());
        if (isEnabled()) {
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawText(caption, flags, FCaption);
        } else { // engraved
            painter.setPen(Resolve(SysBtnHighlight));
            painter.drawText(caption.translated(1, 1), flags, FCaption);
            painter.setPen(Resolve(SysBtnShadow));
            painter.drawText(caption, flags, FCaption);
        }
    }

    if (FShowFocusRect && hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = caption.adjusted(2, 2, -2, -2);
        option.backgroundColor = Resolve(FColor);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}
