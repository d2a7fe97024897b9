// A dialog service for tests: answers come from queues the test fills, and
// everything asked is recorded.
#pragma once

#include "gui/controls/DialogService.h"
#include "tests/gui/QtPrint.h"

#include <QApplication>
#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

class TScriptedDialogs : public IDialogService {
public:
    std::deque<TAnswer> Answers;
    std::deque<QString> FileNames;
    std::deque<std::optional<QColor>> Colors;
    // Each modal dialog run takes the next handler; it may work the dialog and returns its result.
    std::deque<std::function<int(QDialog&)>> DialogHandlers;
    QStringList
        Log; // "ask:…", "choice:…", "error:…", "plain:…", "open", "save", "picture", "color", "exec:<title>", "url:…"
    QString LastFolder;
    QColor LastColorOffered;

    TAnswer AskYesNoCancel(QWidget*, const QString& text) override {
        Log << "ask:" + text;
        return Next(Answers, TAnswer::Cancel);
    }
    std::deque<bool> YesNo;
    bool AskYesNo(QWidget*, const QString& text) override {
        Log << "yesno:" + text;
        return Next(YesNo, false);
    }
    std::deque<int> Choices; // the index of the button chosen; none left: -1, closed
    int AskChoice(QWidget*, const QString& text, const QStringList& buttons, int defaultIndex) override {
        Log << "choice:" + text + " [" + buttons.join('/') + "] " + QString::number(defaultIndex);
        return Next(Choices, -1);
    }
    void ShowEntryError(QWidget*, const QString& text) override { Log << "entry:" + text; }
    void ShowInfoError(QWidget*, const QString& text) override { Log << "error:" + text; }
    void ShowPlain(QWidget*, const QString& text) override { Log << "plain:" + text; }
    QString OpenFileName(QWidget*, const QString& folder, const QString&) override {
        Log << "open";
        LastFolder = folder;
        return Next(FileNames, QString());
    }
    QString SaveFileName(QWidget*, const QString& folder, const QString&, const QString&) override {
        Log << "save";
        LastFolder = folder;
        return Next(FileNames, QString());
    }
    QString OpenPictureName(QWidget*, const QString& folder) override {
        Log << "picture";
        LastFolder = folder;
        return Next(FileNames, QString());
    }
    std::optional<QColor> ChooseColor(QWidget*, const QColor& initial) override {
        Log << "color";
        LastColorOffered = initial;
        return Next(Colors, std::optional<QColor>());
    }
    int Exec(QDialog& dialog) override {
        Log << "exec:" + dialog.windowTitle();
        if (DialogHandlers.empty()) {
            ADD_FAILURE() << "unexpected dialog " << dialog.windowTitle().toStdString();
            return QDialog::Rejected;
        }
        auto handler = std::move(DialogHandlers.front());
        DialogHandlers.pop_front();
        dialog.show(); // runs the dialog's own showing steps
        QApplication::processEvents();
        const int result = handler(dialog);
        dialog.hide();
        return result;
    }
    void OpenUrl(const QString& url) override { Log << "url:" + url; }

private:
    template <typename T, typename U> static T Next(std::deque<T>& queue, U fallback) {
        if (queue.empty())
            return fallback;
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

// Accepts or rejects without touching the dialog.
inline std::function<int(QDialog&)> Accept() {
    return [](QDialog&) { return int(QDialog::Accepted); };
}
inline std::function<int(QDialog&)> Reject() {
    return [](QDialog&) { return int(QDialog::Rejected); };
}
