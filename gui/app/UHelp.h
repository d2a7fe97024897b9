// The in-program help window: the HTML pages in help/ beside the program,
// opened at their table of contents.
#pragma once

#include <QWidget>

class QTextBrowser;

class THelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit THelpWindow(const QString& helpDir, QWidget* parent = nullptr);
    QTextBrowser* Browser;
};
