#include "gui/controls/DialogService.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QUrl>

IDialogService::TAnswer TQtDialogService::AskYesNoCancel(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return TAnswer::Yes;
    case QMessageBox::No:
        return TAnswer::No;
    default:
        return TAnswer::Cancel;
    }
}

bool TQtDialogService::AskYesNo(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

int TQtDialogService::AskChoice(QWidget* parent, const QString& text, const QStringList& buttons, int defaultIndex) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("確認"), text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> made;
    for (const QString& caption : buttons)
        made << box.addButton(caption, QMessageBox::AcceptRole);
    if (defaultIndex >= 0 && defaultIndex < made.size()) {
        box.setDefaultButton(static_cast<QPushButton*>(made[defaultIndex]));
        box.setEscapeButton(made[defaultIndex]);
    }
    box.exec();
    return static_cast<int>(made.indexOf(box.clickedButton()));
}

void TQtDialogService::ShowEntryError(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QStringLiteral("エラー"), text);
}

void TQtDialogService::ShowInfoError(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QStringLiteral("情報"), text);
}

void TQtDialogService::ShowPlain(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("タブローラ"), text, QMessageBox::Ok, parent);
    box.exec();
}

QString TQtDialogService::OpenFileName(QWidget* parent, const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QString(), folder, filter);
}

QString TQtDialogService::SaveFileName(QWidget* parent, const QString& folder, const QString& filter,
                                       const QString& suffix) {
    QFileDialog dialog(parent, QString(), folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    // A name typed without a suffix takes the one of the file type chosen.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& chosen) {
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(chosen);
        if (m.hasMatch())
            dialog.setDefaultSuffix(m.captured(1));
    });
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

QString TQtDialogService::OpenPictureName(QWidget* parent, const QString& folder) {
    // Qt's own dialog, so there is a layout to put the preview pane in.
    QFileDialog dialog(parent, QStringLiteral("チーム画像"), folder, QStringLiteral("ビットマップ(*.bmp)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setFileMode(QFileDialog::ExistingFile);
    auto* preview = new QLabel(&dialog);
    preview->setFixedSize(160, 120);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(preview, 1, grid->columnCount(), 1, 1);
    auto show = [preview](const QString& path) {
        QPixmap picture(path);
        preview->setPixmap(picture.isNull()
                               ? QPixmap()
                               : picture.scaled(preview->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    };
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview, show);
    // A file picked by typing its name moves only the views' selection.
    for (QAbstractItemView* view : dialog.findChildren<QAbstractItemView*>())
        if (view->selectionModel())
            QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, preview,
                             [&dialog, show] { show(dialog.selectedFiles().value(0)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

std::optional<QColor> TQtDialogService::ChooseColor(QWidget* parent, const QColor& initial) {
    const QColor color = QColorDialog::getColor(initial, parent);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

int TQtDialogService::Exec(QDialog& dialog) {
    return dialog.exec();
}

void TQtDialogService::OpenUrl(const QString& url) {
    QDesktopServices::openUrl(QUrl(url));
}
