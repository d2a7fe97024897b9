// TFmSettei: the team information editor. It edits the open season in place
// and restores the snapshot taken when it was shown if the user cancels.
#pragma once

#include "core/rules/SetteiRules.h"

#include <QColor>
#include <QDialog>
#include <functional>
#include <initializer_list>
#include <string>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class IDialogService;
class TPennant;
class TFight;
class TLeague;
class TDistrict;
class TTeam;

class TFmSettei : public QDialog {
    Q_OBJECT
public:
    TFmSettei(TPennant& pennant, TFight& fight, IDialogService& dialogs, const QString& programDir,
              QWidget* parent = nullptr);

    // One level's counter, buttons and position.
    struct TLevelControls {
        QLabel* Count = nullptr;
        QPushButton* Add = nullptr;
        QPushButton* Del = nullptr;
        QPushButton* Prev = nullptr;
        QPushButton* Next = nullptr;
        QLabel* Page = nullptr;
        QPushButton* Jun = nullptr;
    };

    QLineEdit* ENaiyo;
    QRadioButton* RBYes;
    QRadioButton* RBNo;
    QLineEdit* ELinker;
    TLevelControls League, District, Team;
    QLineEdit* ELeague;
    QButtonGroup* RGDraw;
    QButtonGroup* RGRank;
    QLineEdit* EChiku;
    QLineEdit* ETName;
    QLineEdit* ETRyaku;
    QLineEdit* ETKigo;
    QLabel* ETColor;
    QPushButton* BtTColor;
    QLineEdit* ETPicture;
    QPushButton* BtTPicture;
    QLabel* ImgTPicture;
    QPushButton* BtOk;
    QPushButton* BtCancel;

    int LeagueIndex() const { return CurLeague; }
    int DistrictIndex() const { return CurDistrict; }
    int TeamIndex() const { return CurTeam; }
    bool OrderChanged() const { return Reordered; }

    void FormShow();
    void BtOkClick();
    void BtCancelClick();
    void reject() override; // Esc: the same as Cancel

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The steps of the constructor.
    void BuildSeasonGroup();
    void BuildLeagueGroup();
    void BuildDistrictGroup();
    void BuildTeamGroup();
    void BuildButtons();
    void ConnectFields();
    void ConnectButtons();

    QWidget* BuildGroup(const QString& title, const QRect& where);
    QButtonGroup* BuildChoice(QWidget* parent, const QString& title, const QRect& where,
                              std::initializer_list<QString> items);
    TLevelControls BuildLevel(QWidget* group, int y, const QString& countLabel, const QString& add, const QString& del,
                              const QString& order);
    void ShowLeague(int index);
    void ShowDistrict(int index);
    void ShowTeam(int index);
    void ApplyButtons(TLevelControls& c, TSetteiLevel level, int position, int count);
    void Navigate(TSetteiLevel level, int delta);
    void AddItem(TSetteiLevel level);
    void DeleteItem(TSetteiLevel level);
    void OrderItems(TSetteiLevel level);
    // Text typed into `edit` goes to the season through `store`; filling the field does not.
    void StoreTyped(QLineEdit* edit, std::function<void(const std::string&)> store);
    void ETKigoChange(const QString& text);
    void BtTColorClick();
    void BtTPictureClick();
    void ReloadPreview(bool clearFirst);
    bool HasGames() const;
    TLeague& CurrentLeague() const;
    TDistrict& CurrentDistrict() const;
    TTeam& CurrentTeam() const;

    TPennant& Pennant;
    TFight& Fight;
    IDialogService& Dialogs;
    QString ProgramDir;
    TSeasonSnapshot Snapshot;
    bool Shown = false;
    bool Filling = false; // fields are being filled from the season, not typed
    bool Reordered = false;
    int CurLeague = 0, CurDistrict = 0, CurTeam = 0;
    QColor LastColor = Qt::black;
};
