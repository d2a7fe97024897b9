// TTabStrip: the tab strip of every view window. Tabs sit at the bottom of the
// window and wrap into as many rows as they need, so every district or team is
// one click away however many there are (a tab bar with scroll arrows hides
// most of thirty teams).
//
// It speaks the part of QTabBar the views use (addTab, count, currentIndex,
// setCurrentIndex, tabText, tabRect, currentChanged), so a view swaps one for
// the other without other changes. The rows keep their places when the
// selection moves: a tab never jumps away from under the mouse.
//
// Keyboard (with the focus on the strip): Left/Right step to the previous or
// next tab, Up/Down to the tab above or below in the neighbouring row,
// Home/End to the first or last tab.
#pragma once

#include <QStringList>
#include <QWidget>
#include <vector>

class QStyleOptionTab;

class TTabStrip : public QWidget {
    Q_OBJECT
public:
    explicit TTabStrip(QWidget* parent = nullptr);

    int addTab(const QString& text);
    void clear();
    int count() const { return static_cast<int>(Texts.size()); }
    QString tabText(int index) const { return Texts.value(index); }
    void setTabText(int index, const QString& text);

    int currentIndex() const { return Current; }
    void setCurrentIndex(int index);

    // Where a tab lies for the strip's present width, and how many rows that takes.
    QRect tabRect(int index) const;
    int rowCount() const;
    int tabAt(const QPoint& at) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

signals:
    void currentChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct TLayout {
        std::vector<QRect> Rects; // one per tab
        std::vector<int> Rows;    // the row of each tab, 0 at the top
        int RowCount = 0;
        int Height = 0;
    };
    QSize TabSize(int index) const;
    QSize MeasureTab(int index) const;
    int RowHeight() const;
    TLayout LayOut(int width) const;
    const TLayout& Laid() const; // the layout for the present width, computed when needed
    void Relayout();
    void InitTabOption(QStyleOptionTab& option, int index) const;
    int TabInNeighbourRow(int index, int step) const;

    QStringList Texts;
    mutable std::vector<QSize> Sizes; // per tab, once measured
    int Current = -1;
    int Hovered = -1;
    mutable TLayout Cached;
    mutable int CachedWidth = -1; // -1: to be laid out again
};
