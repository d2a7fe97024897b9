// The program's preferences: window placement, tool bar layout, last file,
// options and the 23 view colors, kept in the .ini file beside the program.
#pragma once

#include "IniFile.h"

#include <cstdint>
#include <string>
#include <vector>

// Colors with the top bit set name a system color by index.
inline constexpr int32_t SysColorWindow = static_cast<int32_t>(0x80000005u);     // -2147483643
inline constexpr int32_t SysColorWindowText = static_cast<int32_t>(0x80000008u); // -2147483640

struct TWorkArea {
    int Left = 0, Top = 0, Right = 1024, Bottom = 768;
};

// One band of the tool bar's band bar.
struct TBandLayout {
    std::string Control;
    bool Break = true;
    int32_t Width = 100;
};

struct TAppSettings {
    int32_t Top = 0, Left = 0, Width = 696, Height = 480;
    bool Max = false;
    std::string LastFile; // Shift-JIS path, as stored
    bool Zenkai = true;
    bool Sche = true;
    int32_t TMax = 15;
    int32_t TTab = 1;
    bool Suspend = false;
    bool Other = false;

    int32_t BackGround = SysColorWindow, Line1 = 8421504, Line2 = 12632256, Char1 = SysColorWindowText,
            Char2 = 12632256, KekkaWin = 255, KekkaLost = SysColorWindowText, KekkaDraw = 16711680, Up = 255,
            Down = 16711680, Magic = 255, Ritu = 16776960, Active = 65535, UnActive = 8421504, BatNo = 12632256,
            BatW = 16764159, BatWW = 6684927, BatL = 16777164, BatLL = 16748574, BatD = 13499135, BatDD = 65535,
            BackPt1 = SysColorWindow, BackPt2 = 14474460;

    // Held by the main window's controls, read and written with the rest.
    bool ToolBarVisible = true;
    std::vector<TBandLayout> Bands;

    // The 23 colors with their keys, in file order.
    struct TColorKey {
        const char* Key;
        int32_t TAppSettings::*Field;
    };
    static const std::vector<TColorKey>& ColorKeys();
};

// Settings with every default for a desktop work area (the window centred).
TAppSettings DefaultSettings(const TWorkArea& area);

// Reads every key (missing or malformed values take their defaults) and keeps
// the window inside the work area. `bandCount` is how many bands the main
// window has; a larger saved count is not valid and is cut to it.
TAppSettings ReadSettings(const TIniFile& ini, const TWorkArea& area, int bandCount = 1);

// Every key in the documented order. Sections and keys of `previous` that we
// do not write (a user's own additions) are kept after ours; CoolBands is
// always written afresh.
TIniFile WriteSettings(const TAppSettings& settings, const TIniFile& previous = TIniFile());

// Options that must stay in the range the dialogs offer.
void ClampOptions(TAppSettings& settings);
