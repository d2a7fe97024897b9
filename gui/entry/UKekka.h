// TFmKekka: results registration, one day at a time.
#pragma once

#include "core/rules/EntryRules.h"
#include "gui/entry/EntryDialog.h"

#include <QDialog>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollArea;
class IDialogService;
class TNumberBox;
class TPennant;
class TFight;
struct TAppSettings;

class TFmKekka : public TEntryDialog {
    Q_OBJECT
public:
    TFmKekka(TPennant& pennant, TFight& fight, const TAppSettings& settings, double startDay, IDialogService& dialogs,
             QWidget* parent = nullptr);

    struct TRow {
        QCheckBox* Mark = nullptr;
        QLabel* HomeName = nullptr;
        TNumberBox* HomeScore = nullptr; // 0 to 99
        QLabel* Dash = nullptr;
        TNumberBox* VisitorScore = nullptr;
        QLabel* VisitorName = nullptr;
        QGroupBox* StateBox = nullptr;
        QButtonGroup* State = nullptr;
        QCheckBox* NoMakeUp = nullptr;
        QCheckBox* MakeUpUndecided = nullptr;
        QLabel* MakeUpLabel = nullptr;
        QDateEdit* MakeUpDate = nullptr;
    };

    QScrollArea* ScrollBox1;
    QPushButton *BtnToroku, *BtnEnd;
    QLabel* NoGames;
    QLabel* HomeHeading;
    QLabel* VisitorHeading;

    std::vector<TRow> Rows;
    std::vector<TResultEntry> Entries;
    void LoadDay() override;
    void ShowPage(int start) override;
    bool BtnTorokuClick();
    void BtnNextClick() override;
    // What a row's controls do, by row on the page.
    void ScoreChanged(size_t rowOnPage, bool home);
    void StateChosen(size_t rowOnPage, int state);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void DayPicked(double day) override;

private:
    TRow& CreateRow();
    void RemoveRows();
    void ShowMakeUp(size_t rowOnPage, bool show);
    void NoMakeUpClicked(size_t rowOnPage, bool on);
    void UndecidedClicked(size_t rowOnPage, bool on);
    void ColorNames(TRow& row, const TResultEntry& entry);
    void UpdateLayout();
    void OrderTabs();
    uint8_t DrawRuleOf(const TResultEntry& entry) const;
    TResultEntry& EntryOf(size_t rowOnPage) { return Entries[EntryIndex(rowOnPage)]; }

    TPennant& Pennant;
    TFight& Fight;
    const TAppSettings& Settings;
    IDialogService& Dialogs;
    QWidget* Content;
};
