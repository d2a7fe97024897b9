#include "gui/app/UHelp.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

THelpWindow::THelpWindow(const QString& helpDir, QWidget* parent) : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("タブローラ ヘルプ"));
    resize(640, 520);
    Browser = new QTextBrowser(this);
    Browser->setOpenExternalLinks(true);
    Browser->setSearchPaths({helpDir});
    auto* home = new QPushButton(QStringLiteral("目次"), this);
    auto* back = new QPushButton(QStringLiteral("戻る"), this);
    connect(home, &QPushButton::clicked, Browser, &QTextBrowser::home);
    connect(back, &QPushButton::clicked, Browser, &QTextBrowser::backward);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(home);
    buttons->addStretch();
    auto* column = new QVBoxLayout(this);
    column->addLayout(buttons);
    column->addWidget(Browser);
    const QString contents = QDir(helpDir).filePath(QStringLiteral("index.html"));
    if (QFileInfo::exists(contents))
        Browser->setSource(QUrl::fromLocalFile(contents));
    else
        Browser->setHtml(QStringLiteral("<p>ヘルプのファイルが見つかりません: %1</p>").arg(contents.toHtmlEscaped()));
}
