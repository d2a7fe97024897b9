// TFmVersion: the version window with the author's two links.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TURLLabel;

class TFmVersion : public QDialog {
    Q_OBJECT
public:
    explicit TFmVersion(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    TURLLabel* URLLabel1;
    TURLLabel* URLLabel2;
    QPushButton* Button1;

signals:
    // URLLabel2Click: the main window writes the mail.
    void MailRequested();
};

// The program's icon, drawn rather than shipped so it is the same everywhere.
QPixmap ProgramIcon(int size);
