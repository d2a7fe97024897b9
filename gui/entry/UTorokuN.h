// TFmTorokuN: schedule registration, one day (or the undecided games) at a time.
#pragma once

#include "core/rules/EntryRules.h"
#include "gui/entry/EntryDialog.h"

#include <QDialog>
#include <vector>

class QStringListModel;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QScrollArea;
class IDialogService;
class TPennant;
class TFight;

class TFmTorokuN : public TEntryDialog {
    Q_OBJECT
public:
    TFmTorokuN(TPennant& pennant, TFight& fight, bool useSymbols, int rowsPerPage, IDialogService& dialogs,
               QWidget* parent = nullptr);

    // The controls of one row on screen.
    struct TRow {
        QCheckBox* Mark = nullptr;
        QComboBox* Home = nullptr;
        QLabel* Vs = nullptr;
        QComboBox* Visitor = nullptr;
        QCheckBox* Delete = nullptr;
        QCheckBox* ChangeDate = nullptr;
        QDateEdit* Date = nullptr;
        QCheckBox* Undecided = nullptr;
    };

    QPushButton* BtnMitei;
    QScrollArea* ScrollBox1;
    QPushButton *BtnAdd, *BtnClear, *BtnZen, *BtnToroku, *BtnEnd;

    std::vector<TRow> Rows;              // on screen
    std::vector<TScheduleEntry> Entries; // all pages
    int ComboWidth() const { return TeamBoxWidth; }
    // The width of the symbol boxes: three capital letters show whole (with
    // Fusion and IPAPGothic at 12 pixels that is 61 instead of 50).
    static int SymbolBoxWidth(const QFont& font);
    static constexpr int kLineEditMargin = 2; // the space a line edit keeps on each side of its text

    void LoadDay() override;
    void ShowPage(int start) override;
    void BtnAddClick();
    void BtnClearClick();
    void BtnZenClick();
    bool BtnTorokuClick();
    void BtnMiteiClick();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void DayPicked(double day) override;

private:
    TRow& CreateRow();
    void RemoveRows();
    void SelectTeams(TRow& row, const TScheduleEntry& entry);
    void TeamChanged(size_t rowOnPage, bool home);
    void ChangeDateClicked(size_t rowOnPage, bool on);
    void UpdateWidth();
    void OrderTabs();
    void SetClientWidth(int width);
    TScheduleEntry& EntryOf(size_t rowOnPage) { return Entries[EntryIndex(rowOnPage)]; }

    TPennant& Pennant;
    TFight& Fight;
    IDialogService& Dialogs;
    bool Sche;
    int TeamBoxWidth; // the team boxes, fixed at creation (symbols or short names)
    std::vector<TTeamItem> Teams;
    QStringListModel* TeamNames = nullptr; // shared by the rows' team boxes
    QWidget* Content;
};
