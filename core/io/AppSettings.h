// The program's preferences: window placement, tool bar layout, last file,
// options and the 23 view colors, kept in the .ini file beside the program.
#pragma once

#include "core/io/IniFile.h"

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
    // The main window's restored bounds, and whether it was maximized ([Form]).
    int32_t Top = 0, Left = 0, Width = 696, Height = 480;
    bool Max = false;
    std::string LastFile; // the season file open at the last exit, as stored (see StoredLastFile)

    // Options ("オプション" dialog).
    bool Zenkai = true;   // reopen the last file at start
    bool Sche = true;     // schedule registration takes team symbols (else a list of short names)
    int32_t TMax = 15;    // rows per page in both registration dialogs (1 to 20)
    int32_t TTab = 1;     // rank transition tabs show 0 the full name, 1 the short name, 2 the symbol
    bool Suspend = false; // the rank transition table lists cancelled games too
    bool Other = false;   // … and days on which only other teams of the district played

    // The view colors ("色の設定" dialog): 0x00BBGGRR, or a system color (top bit set).
    int32_t BackGround = SysColorWindow;    // background of every table
    int32_t Line1 = 8421504;                // cell borders and outlines
    int32_t Line2 = 12632256;               // light lines: single day cells, rules within a week
    int32_t Char1 = SysColorWindowText;     // table text
    int32_t Char2 = 12632256;               // light text: the other league's team in the schedule
    int32_t KekkaWin = 255;                 // results registration: the winning team's name
    int32_t KekkaLost = SysColorWindowText; // … the losing team's name
    int32_t KekkaDraw = 16711680;           // … both names of a drawn game
    int32_t Up = 255;                       // standings: rank went up
    int32_t Down = 16711680;                // standings: rank went down
    int32_t Magic = 255;                    // standings: the magic number
    int32_t Ritu = 16776960;                // standings: the games-played bar
    int32_t Active = 65535;                 // standings: the square of the display mode shown
    int32_t UnActive = 8421504;             // standings: the other mode squares
    int32_t BatNo = 12632256;               // head-to-head: no games between the pair
    int32_t BatW = 16764159;                // head-to-head: ahead for now
    int32_t BatWW = 6684927;                // head-to-head: ahead for certain
    int32_t BatL = 16777164;                // head-to-head: behind for now
    int32_t BatLL = 16748574;               // head-to-head: behind for certain
    int32_t BatD = 13499135;                // head-to-head: level for now
    int32_t BatDD = 65535;                  // head-to-head: level for certain
    int32_t BackPt1 = SysColorWindow;       // row stripes of the rank transition and versus tables
    int32_t BackPt2 = 14474460;             // … and the other stripe

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

// Every key, in the order the settings file has always had. Sections and keys of `previous` that we
// do not write (a user's own additions) are kept after ours; CoolBands is
// always written afresh.
TIniFile WriteSettings(const TAppSettings& settings, const TIniFile& previous = TIniFile());

// Options that must stay in the range the dialogs offer.
void ClampOptions(TAppSettings& settings);
