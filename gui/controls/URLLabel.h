// TURLLabel: a label that behaves like a link.
#pragma once

#include <QColor>
#include <QLabel>

class IDialogService;

class TURLLabel : public QLabel {
    Q_OBJECT
public:
    explicit TURLLabel(QWidget* parent = nullptr);

    bool HotTrack = true;
    QColor HotColor = QColor(0, 255, 255);
    QColor PushedColor = QColor(255, 0, 0);
    bool Executable = false;
    // Where an executable link is opened; none leaves it to the desktop.
    IDialogService* Opener = nullptr;

    void SetHotTrack(bool on);
    void SetHotColor(const QColor& color);
    void SetPushedColor(const QColor& color);
    QColor TextColor() const;
    void SetTextColor(const QColor& color);

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor SavedColor;
    bool Pressed = false;
};
