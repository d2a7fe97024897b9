// TCuteButton: a flat push button with a solid face. Its outer bevel shows
// the state (flat at rest, raised under the pointer or with the focus, sunk
// while pressed); it can carry a caption, ignore clicks that pile up while its
// click handler runs, and drop down a menu at once or after a hold delay.
#pragma once

#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstdint>

class TCuteButton;

// The hold timer of a delayed drop-down: a timer that knows its button.
class TCuteButtonTimer : public QTimer {
    Q_OBJECT
public:
    explicit TCuteButtonTimer(TCuteButton* button);
    TCuteButton* FCuteButton;
};

class TCuteButton : public QWidget {
    Q_OBJECT
public:
    enum class TBevel { None, Raised, Lowered };
    enum class TLayout { Top, Center, Bottom };

    // Colors are stored values: 0x00BBGGRR, or a system color with the top bit set.
    static constexpr int32_t SysBtnFace = static_cast<int32_t>(0x8000000Fu);
    static constexpr int32_t SysBtnShadow = static_cast<int32_t>(0x80000010u);
    static constexpr int32_t SysBtnHighlight = static_cast<int32_t>(0x80000014u);

    explicit TCuteButton(QWidget* parent = nullptr);
    ~TCuteButton() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption);
    int32_t Color() const { return FColor; }
    void SetColor(int32_t color);
    Qt::Alignment Alignment() const { return FAlignment; }
    void SetAlignment(Qt::Alignment alignment); // left, centre or right
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int width); // at least 1

    int32_t BevelHighlightColor() const { return FBevelHighlightColor; }
    void SetBevelHighlightColor(int32_t color);
    int32_t BevelShadowColor() const { return FBevelShadowColor; }
    void SetBevelShadowColor(int32_t color);
    int32_t DisabledColor() const { return FDisabledColor; }
    void SetDisabledColor(int32_t color);
    bool UseDisabledColor() const { return FUseDisabledColor; }
    void SetUseDisabledColor(bool on);
    bool Flat() const { return FFlat; }
    void SetFlat(bool on);
    TLayout Layout() const { return FLayout; }
    void SetLayout(TLayout layout);
    int MarginX() const { return FMarginX; }
    void SetMarginX(int margin); // below −1 becomes −1 (none)
    int MarginY() const { return FMarginY; }
    void SetMarginY(int margin);
    bool ShowFocusRect() const { return FShowFocusRect; }
    void SetShowFocusRect(bool on);
    bool TabFocusUp() const { return FTabFocusUp; }
    void SetTabFocusUp(bool on);
    bool EgnoreContClick() const { return FEgnoreContClick; }
    void SetEgnoreContClick(bool on) { FEgnoreContClick = on; }
    QMenu* DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(QMenu* menu) { FDropDownMenu = menu; }
    int DropDownDelay() const { return FDropDownDelay; }
    void SetDropDownDelay(int milliseconds) { FDropDownDelay = milliseconds; }

    // The visual state; the inner bevel only follows Flat.
    TBevel BevelOuter() const { return FBevelOuter; }
    TBevel BevelInner() const { return FFlat ? TBevel::None : TBevel::Raised; }
    bool HoldTimerRunning() const { return FTimer != nullptr; }

    // The rectangle the caption is drawn in, for the present state.
    QRect CaptionRect() const;

    // Clicks the button as a user would (the click handler, or nothing right
    // after a dropped menu).
    virtual void Click();

    QSize sizeHint() const override { return {75, 25}; }

signals:
    void clicked();
    void OnMouseEnter(Qt::KeyboardModifiers shift, Qt::MouseButtons buttons, int x, int y);
    void OnMouseLeave(Qt::KeyboardModifiers shift, Qt::MouseButtons buttons, int x, int y);

protected:
    // Starts the hold timer, or drops the menu at once when there is no delay.
    virtual void BeginDropDown(bool fromKeyboard);
    virtual void ShowDropDownMenu();
    virtual void MouseEnter();
    virtual void MouseLeave();

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class TCuteButtonTimer;
    void SetBevelOuter(TBevel bevel);
    void PointerEntered();
    void PointerLeft();
    bool IsActiveControl() const;
    void RestUp(); // raised with TabFocusUp, else flat
    void ClickOrMenu();
    void HoldTimerFired();
    void StopHoldTimer();
    QColor Resolve(int32_t stored) const;
    void DrawBevel(QPainter& painter, QRect& rect, TBevel bevel) const;

    QString FCaption;
    int FShortcutId = 0;
    int32_t FColor = SysBtnFace;
    Qt::Alignment FAlignment = Qt::AlignHCenter;
    int FBevelWidth = 1;
    int32_t FBevelHighlightColor = SysBtnHighlight;
    int32_t FBevelShadowColor = SysBtnShadow;
    int32_t FDisabledColor = 8421504; // #808080
    bool FUseDisabledColor = false;
    bool FFlat = false;
    TLayout FLayout = TLayout::Center;
    int FMarginX = -1;
    int FMarginY = -1;
    bool FShowFocusRect = false;
    bool FTabFocusUp = true;
    bool FEgnoreContClick = false;
    QPointer<QMenu> FDropDownMenu;
    int FDropDownDelay = 0;

    TBevel FBevelOuter = TBevel::None;
    bool FMenuShown = false;   // the click after a dropped menu does nothing
    bool FSpaceHeld = false;   // space went down on this button
    bool FKeyDropDown = false; // the running drop-down was started by the keyboard
    bool FLeftHeld = false;    // the left button went down on this button (it holds the mouse)
    bool FPointerInside = false;
    bool FHandlerDetached = false; // the click handler runs with EgnoreContClick on
    TCuteButtonTimer* FTimer = nullptr;
};
