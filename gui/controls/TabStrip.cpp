#include "gui/controls/TabStrip.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <algorithm>

TTabStrip::TTabStrip(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
    // Not Fixed: a fixed policy would hold the strip to one row's height.
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int TTabStrip::addTab(const QString& text) {
    Texts.append(text);
    Sizes.push_back(QSize());
    Relayout();
    if (Current < 0)
        setCurrentIndex(0);
    return count() - 1;
}

void TTabStrip::clear() {
    Texts.clear();
    Sizes.clear();
    Current = -1;
    Hovered = -1;
    Relayout();
}

void TTabStrip::setTabText(int index, const QString& text) {
    if (index < 0 || index >= count())
        return;
    Texts[index] = text;
    Sizes[static_cast<size_t>(index)] = QSize();
    Relayout();
}

void TTabStrip::setCurrentIndex(int index) {
    if (index < 0 || index >= count() || index == Current)
        return;
    Current = index;
    update();
    emit currentChanged(index);
}

QRect TTabStrip::tabRect(int index) const {
    if (index < 0 || index >= count())
        return {};
    return Laid().Rects[static_cast<size_t>(index)];
}

int TTabStrip::rowCount() const {
    return Laid().RowCount;
}

int TTabStrip::tabAt(const QPoint& at) const {
    for (int i = 0; i < count(); ++i)
        if (Laid().Rects[static_cast<size_t>(i)].contains(at))
            return i;
    return -1;
}

void TTabStrip::InitTabOption(QStyleOptionTab& option, int index) const {
    option.initFrom(this);
    option.shape = QTabBar::RoundedSouth;
    option.text = Texts.value(index);
    option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
    if (index == Current)
        option.state |= QStyle::State_Selected;
    if (index == Hovered)
        option.state |= QStyle::State_MouseOver;
    if (index == Current && hasFocus())
        option.state |= QStyle::State_HasFocus;
    option.position = QStyleOptionTab::Middle;
    if (index >= 0 && static_cast<size_t>(index) < Laid().Rows.size()) {
        const int row = Laid().Rows[static_cast<size_t>(index)];
        const bool first = index == 0 || Laid().Rows[static_cast<size_t>(index - 1)] != row;
        const bool last = index == count() - 1 || Laid().Rows[static_cast<size_t>(index + 1)] != row;
        option.position = first && last ? QStyleOptionTab::OnlyOneTab
                          : first       ? QStyleOptionTab::Beginning
                          : last        ? QStyleOptionTab::End
                                        : QStyleOptionTab::Middle;
    }
}

QSize TTabStrip::TabSize(int index) const {
    // Measured once per text, font and style: a strip of many tabs is laid
    // out for every width the window asks about.
    if (index >= 0 && index < count()) {
        QSize& size = Sizes[static_cast<size_t>(index)];
        if (!size.isValid())
            size = MeasureTab(index);
        return size;
    }
    return MeasureTab(index);
}

QSize TTabStrip::MeasureTab(int index) const {
    QStyleOptionTab option;
    option.initFrom(this);
    option.shape = QTabBar::RoundedSouth;
    option.text = Texts.value(index);
    const QFontMetrics metrics = fontMetrics();
    const int hspace = style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &option, this);
    const int vspace = style()->pixelMetric(QStyle::PM_TabBarTabVSpace, &option, this);
    const QSize contents(metrics.horizontalAdvance(option.text) + hspace, metrics.height() + vspace);
    return style()->sizeFromContents(QStyle::CT_TabBarTab, &option, contents, this);
}

int TTabStrip::RowHeight() const {
    int height = 0;
    for (int i = 0; i < count(); ++i)
        height = std::max(height, TabSize(i).height());
    return count() > 0 ? height : TabSize(-1).height();
}

// Tabs fill a row from the left and wrap when the next one would not fit; a
// tab wider than the whole strip gets a row of its own.
TTabStrip::TLayout TTabStrip::LayOut(int width) const {
    TLayout laid;
    const int rowHeight = RowHeight();
    int x = 0;
    int row = 0;
    for (int i = 0; i < count(); ++i) {
        const int w = TabSize(i).width();
        if (x > 0 && x + w > width) {
            x = 0;
            ++row;
        }
        laid.Rects.emplace_back(x, row * rowHeight, std::min(w, std::max(width, 1)), rowHeight);
        laid.Rows.push_back(row);
        x += w;
    }
    laid.RowCount = count() > 0 ? row + 1 : 1;
    laid.Height = laid.RowCount * rowHeight;
    return laid;
}

const TTabStrip::TLayout& TTabStrip::Laid() const {
    if (CachedWidth != width()) {
        Cached = LayOut(width());
        CachedWidth = width();
    }
    return Cached;
}

void TTabStrip::Relayout() {
    CachedWidth = -1;
    updateGeometry(); // the number of rows may have changed
    update();
}

QSize TTabStrip::sizeHint() const {
    int width = 0;
    for (int i = 0; i < count(); ++i)
        width += TabSize(i).width();
    return {width, RowHeight()};
}

QSize TTabStrip::minimumSizeHint() const {
    return {0, RowHeight()};
}

int TTabStrip::heightForWidth(int width) const {
    return LayOut(width).Height;
}

void TTabStrip::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    // Styles draw a tab as if it were in the first row (Fusion mirrors bottom
    // tabs about their own height), so each tab is drawn at the origin and moved.
    // A tab's painting stays inside its own row: a selected bottom tab is drawn
    // taller than its rectangle and would otherwise blank the tab above it.
    auto draw = [&](int index) {
        const QRect r = tabRect(index);
        QStyleOptionTab option;
        InitTabOption(option, index);
        option.rect = QRect(QPoint(0, 0), r.size());
        painter.save();
        painter.translate(r.topLeft());
        painter.setClipRect(QRect(-r.left(), 0, width(), r.height()));
        painter.drawControl(QStyle::CE_TabBarTab, option);
        if (index == Current && hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = option.rect.adjusted(3, 3, -3, -3);
            painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
        painter.restore();
    };
    // The selected tab is drawn last so that it lies over its neighbours.
    for (int i = 0; i < count(); ++i)
        if (i != Current)
            draw(i);
    if (Current >= 0)
        draw(Current);
}

void TTabStrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const int index = tabAt(event->position().toPoint());
    if (index >= 0)
        setCurrentIndex(index);
}

void TTabStrip::mouseMoveEvent(QMouseEvent* event) {
    const int index = tabAt(event->position().toPoint());
    if (index != Hovered) {
        Hovered = index;
        update();
    }
}

void TTabStrip::leaveEvent(QEvent*) {
    if (Hovered >= 0) {
        Hovered = -1;
        update();
    }
}

// The tab of the row above (step -1) or below (step 1) that lies under the
// middle of `index`, or the nearest one of that row.
int TTabStrip::TabInNeighbourRow(int index, int step) const {
    if (index < 0 || index >= count())
        return -1;
    const int row = Laid().Rows[static_cast<size_t>(index)] + step;
    const int middle = tabRect(index).center().x();
    int best = -1;
    int bestDistance = 0;
    for (int i = 0; i < count(); ++i) {
        if (Laid().Rows[static_cast<size_t>(i)] != row)
            continue;
        const QRect r = tabRect(i);
        const int distance = middle < r.left() ? r.left() - middle : middle > r.right() ? middle - r.right() : 0;
        if (best < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

void TTabStrip::keyPressEvent(QKeyEvent* event) {
    int next = -1;
    switch (event->key()) {
    case Qt::Key_Left:
        next = Current - 1;
        break;
    case Qt::Key_Right:
        next = Current + 1;
        break;
    case Qt::Key_Up:
        next = TabInNeighbourRow(Current, -1);
        break;
    case Qt::Key_Down:
        next = TabInNeighbourRow(Current, 1);
        break;
    case Qt::Key_Home:
        next = 0;
        break;
    case Qt::Key_End:
        next = count() - 1;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    setCurrentIndex(next); // out of range: stays where it is
    event->accept();
}

void TTabStrip::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (Laid().Height != height())
        updateGeometry(); // a new width may need another number of rows
    update();
}

void TTabStrip::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        Sizes.assign(Sizes.size(), QSize());
        Relayout();
    }
}
