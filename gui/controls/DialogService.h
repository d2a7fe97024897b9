// Every modal question, message and common dialog goes through this
// interface, so tests can answer them without a person at the screen.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QWidget;

class IDialogService {
public:
    enum class TAnswer { Yes, No, Cancel };

    virtual ~IDialogService() = default;

    // Caption "確認", question icon.
    virtual TAnswer AskYesNoCancel(QWidget* parent, const QString& text) = 0;
    // Caption "確認", question icon, Yes and No; true for Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& text) = 0;
    // Caption "確認", warning icon, a button per text ("上書きする", …), the
    // one at `defaultIndex` the default. The index chosen; -1 when the box
    // is closed without a choice.
    virtual int AskChoice(QWidget* parent, const QString& text, const QStringList& buttons, int defaultIndex) = 0;
    // Caption "エラー", error icon (refused input).
    virtual void ShowEntryError(QWidget* parent, const QString& text) = 0;
    // Caption "情報", error icon (file read and write failures).
    virtual void ShowInfoError(QWidget* parent, const QString& text) = 0;
    // A plain message with the program's title as caption.
    virtual void ShowPlain(QWidget* parent, const QString& text) = 0;
    // Empty when cancelled. `filter` in Qt's form, e.g. "QVK File(*.qvk)".
    virtual QString OpenFileName(QWidget* parent, const QString& folder, const QString& filter) = 0;
    // Asks before replacing an existing file; adds `suffix` when the name has none.
    virtual QString SaveFileName(QWidget* parent, const QString& folder, const QString& filter,
                                 const QString& suffix) = 0;
    // A bitmap chooser with a preview pane.
    virtual QString OpenPictureName(QWidget* parent, const QString& folder) = 0;
    virtual std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) = 0;
    // Runs a modal dialog; returns QDialog::Accepted or Rejected.
    virtual int Exec(QDialog& dialog) = 0;
    virtual void OpenUrl(const QString& url) = 0;
};

// The real dialogs.
class TQtDialogService : public IDialogService {
public:
    TAnswer AskYesNoCancel(QWidget* parent, const QString& text) override;
    bool AskYesNo(QWidget* parent, const QString& text) override;
    int AskChoice(QWidget* parent, const QString& text, const QStringList& buttons, int defaultIndex) override;
    void ShowEntryError(QWidget* parent, const QString& text) override;
    void ShowInfoError(QWidget* parent, const QString& text) override;
    void ShowPlain(QWidget* parent, const QString& text) override;
    QString OpenFileName(QWidget* parent, const QString& folder, const QString& filter) override;
    QString SaveFileName(QWidget* parent, const QString& folder, const QString& filter, const QString& suffix) override;
    QString OpenPictureName(QWidget* parent, const QString& folder) override;
    std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) override;
    int Exec(QDialog& dialog) override;
    void OpenUrl(const QString& url) override;
};
