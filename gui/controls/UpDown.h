// TUpDown: a pair of arrow buttons bound to an edit field holding a number.
// The arrows (and the Up and Down keys in the field) step the number within
// the range, without wrapping; the field shows the new value.
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

class TUpDown : public QWidget {
    Q_OBJECT
public:
    explicit TUpDown(QWidget* parent = nullptr);

    // The field this control writes its position into (and reads it back from before a step).
    void SetAssociate(QLineEdit* edit);
    QLineEdit* Associate() const { return FAssociate; }
    void SetRange(int min, int max);
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    // The field's number clamped to the range (the minimum when it holds none).
    int Position() const;
    void SetPosition(int position);
    void Step(int delta);

    QToolButton* BtnUp;
    QToolButton* BtnDown;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLineEdit* FAssociate = nullptr;
    int FMin = 0, FMax = 100;
    int FPosition = 0;
};
