// What every table view reads from the main window: the season, the settings
// and the program's folder. The views keep no copy; the main window closes
// them before the season changes.
#pragma once

#include "core/io/AppSettings.h"

#include <QColor>
#include <QPalette>
#include <QString>

class TPennant;
class TFight;

struct TViewContext {
    const TPennant* Pennant = nullptr;
    const TFight* Fight = nullptr;
    const TAppSettings* Settings = nullptr;
    QString ProgramDir;
    QPalette Palette; // the desktop's colors, for the stored system colors

    QColor Color(int32_t stored) const;
    // The color under every table (BackGround).
    QColor Background() const { return Color(Settings->BackGround); }
};

// "4月05日(土)", or "試合日未定" for a game without a date.
QString GameDayText(double day);

// The line that heads what is published of a view (a saved picture, a copied
// table, every printed page): where, what and when, as in
// "セントラルリーグ 勝敗表 7月12日(日) 現在". Empty parts are left out.
QString TitleLine(const QString& where, const QString& what, const QString& when);
// A district (counted over the whole season) named as its tab is: league and
// district name. Empty for no district.
QString DistrictTitle(const TPennant& pennant, int districtIndex);
// The day a district's standings stand on, as their header says it:
// "7月12日(日) 現在", "全日程終了" or "開始前". Empty for no district.
QString DistrictDayText(const TPennant& pennant, const TFight& fight, int districtIndex);
