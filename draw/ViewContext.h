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
