// TFmJunjo: rearranges a list of names by moving one entry at a time.
#pragma once

#include <QDialog>
#include <QStringList>
#include <vector>

class QListWidget;
class QPushButton;
class QToolButton;

class TFmJunjo : public QDialog {
    Q_OBJECT
public:
    explicit TFmJunjo(QWidget* parent = nullptr);

    void SetEntries(const QStringList& names);
    QStringList Entries() const;
    // The entries' first positions in their new order: items that share a
    // name keep the places the user gave them.
    std::vector<int> Order() const;

    QListWidget* LBJun;
    QToolButton* SpBtUp;
    QToolButton* SpBtDown;
    QPushButton* BtnOk;
    QPushButton* BtnCancel;

    void SpBtUpClick();
    void SpBtDownClick();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Swap(int from, int to);
};
