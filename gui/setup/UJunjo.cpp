#include "gui/setup/UJunjo.h"

#include "gui/controls/DialogFrame.h"

#include <QListWidget>
#include <QPushButton>
#include <QResizeEvent>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>

TFmJunjo::TFmJunjo(QWidget* parent) : QDialog(parent) {
    UseDialogFrame(*this);
    LBJun = new QListWidget(this);
    SpBtUp = new QToolButton(this);
    SpBtDown = new QToolButton(this);
    SpBtUp->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    SpBtDown->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    SpBtUp->setObjectName("SpBtUp");
    SpBtDown->setObjectName("SpBtDown");
    BtnOk = new QPushButton(QStringLiteral("OK"), this);
    BtnCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    BtnOk->setDefault(true);
    connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject); // Esc rejects too
    connect(SpBtUp, &QToolButton::clicked, this, &TFmJunjo::SpBtUpClick);
    connect(SpBtDown, &QToolButton::clicked, this, &TFmJunjo::SpBtDownClick);
    // From the keyboard: the arrow keys choose an entry in the list, Ctrl with
    // an arrow moves it there (as the two buttons do, which Tab also reaches).
    SpBtUp->setToolTip(QStringLiteral("上へ (Ctrl+↑)"));
    SpBtDown->setToolTip(QStringLiteral("下へ (Ctrl+↓)"));
    SpBtUp->setAccessibleName(QStringLiteral("上へ"));
    SpBtDown->setAccessibleName(QStringLiteral("下へ"));
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up), LBJun, this, &TFmJunjo::SpBtUpClick, Qt::WidgetShortcut);
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down), LBJun, this, &TFmJunjo::SpBtDownClick, Qt::WidgetShortcut);
    resize(285, 213);
}

void TFmJunjo::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // The list grows with the dialog; the arrows keep to the right edge, the buttons to the bottom.
    const int w = width(), h = height();
    LBJun->setGeometry(11, 16, w - 54, h - 58);
    SpBtUp->setGeometry(w - 32, 77, 23, 22);
    SpBtDown->setGeometry(w - 32, 109, 23, 22);
    BtnOk->setGeometry(w - 176, h - 36, 80, 26);
    BtnCancel->setGeometry(w - 90, h - 36, 80, 26);
}

void TFmJunjo::SetEntries(const QStringList& names) {
    LBJun->clear();
    LBJun->addItems(names);
    for (int i = 0; i < LBJun->count(); ++i)
        LBJun->item(i)->setData(Qt::UserRole, i); // where it stood, whatever its name
    LBJun->setCurrentRow(-1);
    LBJun->clearSelection();
}

QStringList TFmJunjo::Entries() const {
    QStringList names;
    for (int i = 0; i < LBJun->count(); ++i)
        names << LBJun->item(i)->text();
    return names;
}

std::vector<int> TFmJunjo::Order() const {
    std::vector<int> order;
    for (int i = 0; i < LBJun->count(); ++i)
        order.push_back(LBJun->item(i)->data(Qt::UserRole).toInt());
    return order;
}

void TFmJunjo::Swap(int from, int to) {
    QListWidgetItem* item = LBJun->takeItem(from);
    LBJun->insertItem(to, item);
    LBJun->setCurrentRow(to);
}

void TFmJunjo::SpBtUpClick() {
    const int row = LBJun->currentRow();
    if (row > 0 && LBJun->currentItem()->isSelected())
        Swap(row, row - 1);
}

void TFmJunjo::SpBtDownClick() {
    const int row = LBJun->currentRow();
    if (row >= 0 && row < LBJun->count() - 1 && LBJun->currentItem()->isSelected())
        Swap(row, row + 1);
}
