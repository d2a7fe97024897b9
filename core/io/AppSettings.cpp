#include "core/io/AppSettings.h"

#include <algorithm>

const std::vector<TAppSettings::TColorKey>& TAppSettings::ColorKeys() {
    static const std::vector<TColorKey> keys = {
        {"BackGround", &TAppSettings::BackGround},
        {"Line1", &TAppSettings::Line1},
        {"Line2", &TAppSettings::Line2},
        {"Char1", &TAppSettings::Char1},
        {"Char2", &TAppSettings::Char2},
        {"KekkaWin", &TAppSettings::KekkaWin},
        {"KekkaLost", &TAppSettings::KekkaLost},
        {"KekkaDraw", &TAppSettings::KekkaDraw},
        {"Up", &TAppSettings::Up},
        {"Down", &TAppSettings::Down},
        {"Magic", &TAppSettings::Magic},
        {"Ritu", &TAppSettings::Ritu},
        {"Active", &TAppSettings::Active},
        {"UnActive", &TAppSettings::UnActive},
        {"BatNo", &TAppSettings::BatNo},
        {"BatW", &TAppSettings::BatW},
        {"BatWW", &TAppSettings::BatWW},
        {"BatL", &TAppSettings::BatL},
        {"BatLL", &TAppSettings::BatLL},
        {"BatD", &TAppSettings::BatD},
        {"BatDD", &TAppSettings::BatDD},
        {"BackPt1", &TAppSettings::BackPt1},
        {"BackPt2", &TAppSettings::BackPt2},
    };
    return keys;
}

TAppSettings DefaultSettings(const TWorkArea& area) {
    TAppSettings s;
    s.Top = (area.Bottom - 480) / 2;
    s.Left = (area.Right - 696) / 2;
    return s;
}

void ClampOptions(TAppSettings& s) {
    // The registration windows show 1 to 20 rows; the tab captions are 0 to 2.
    if (s.TMax < 1 || s.TMax > 20)
        s.TMax = 15;
    if (s.TTab < 0 || s.TTab > 2)
        s.TTab = 1;
}

TAppSettings ReadSettings(const TIniFile& ini, const TWorkArea& area, int bandCount) {
    const TAppSettings d = DefaultSettings(area);
    TAppSettings s = d;
    s.Top = ini.ReadInteger("Form", "Top", d.Top);
    s.Left = ini.ReadInteger("Form", "Left", d.Left);
    s.Width = ini.ReadInteger("Form", "Width", d.Width);
    s.Height = ini.ReadInteger("Form", "Height", d.Height);
    s.Max = ini.ReadBool("Form", "Max", d.Max);
    // A window cannot be smaller than nothing.
    if (s.Width <= 0)
        s.Width = d.Width;
    if (s.Height <= 0)
        s.Height = d.Height;

    const int count = std::clamp(ini.ReadInteger("CoolBands", "Count", 0), 0, bandCount);
    for (int n = 1; n <= count; ++n) {
        const std::string i = std::to_string(n);
        s.Bands.push_back({ini.ReadString("CoolBands", "Control" + i, ""), ini.ReadBool("CoolBands", "Break" + i, true),
                           ini.ReadInteger("CoolBands", "Width" + i, 100)});
    }

    s.LastFile = ini.ReadString("File", "Last", "");
    s.ToolBarVisible = ini.ReadBool("View", "ToolBar", true);

    s.Zenkai = ini.ReadBool("Option", "Zenkai", d.Zenkai);
    s.Sche = ini.ReadBool("Option", "Sche", d.Sche);
    s.TMax = ini.ReadInteger("Option", "TMax", d.TMax);
    s.TTab = ini.ReadInteger("Option", "TTab", d.TTab);
    s.Suspend = ini.ReadBool("Option", "Suspend", d.Suspend);
    s.Other = ini.ReadBool("Option", "Other", d.Other);
    ClampOptions(s);
    for (const auto& c : TAppSettings::ColorKeys())
        s.*c.Field = ini.ReadInteger("Color", c.Key, d.*c.Field);

    // Keep the window inside the work area, in this order.
    if (s.Height > area.Bottom)
        s.Height = area.Bottom;
    if (s.Width > area.Right)
        s.Width = area.Right;
    if (area.Bottom - s.Height < s.Top)
        s.Top = area.Bottom - s.Height;
    if (s.Top < area.Top)
        s.Top = area.Top;
    if (area.Right - s.Width < s.Left)
        s.Left = area.Right - s.Width;
    if (s.Left < area.Left)
        s.Left = area.Left;
    return s;
}

TIniFile WriteSettings(const TAppSettings& s, const TIniFile& previous) {
    TIniFile ini;
    ini.WriteInteger("Form", "Top", s.Top);
    ini.WriteInteger("Form", "Left", s.Left);
    ini.WriteInteger("Form", "Width", s.Width);
    ini.WriteInteger("Form", "Height", s.Height);
    ini.WriteBool("Form", "Max", s.Max);
    ini.WriteInteger("CoolBands", "Count", static_cast<int32_t>(s.Bands.size()));
    for (size_t n = 0; n < s.Bands.size(); ++n) {
        const std::string i = std::to_string(n + 1);
        ini.WriteString("CoolBands", "Control" + i, s.Bands[n].Control);
        ini.WriteBool("CoolBands", "Break" + i, s.Bands[n].Break);
        ini.WriteInteger("CoolBands", "Width" + i, s.Bands[n].Width);
    }
    ini.WriteString("File", "Last", s.LastFile);
    ini.WriteBool("View", "ToolBar", s.ToolBarVisible);
    ini.WriteBool("Option", "Zenkai", s.Zenkai);
    ini.WriteBool("Option", "Sche", s.Sche);
    ini.WriteInteger("Option", "TMax", s.TMax);
    ini.WriteInteger("Option", "TTab", s.TTab);
    ini.WriteBool("Option", "Suspend", s.Suspend);
    ini.WriteBool("Option", "Other", s.Other);
    for (const auto& c : TAppSettings::ColorKeys())
        ini.WriteInteger("Color", c.Key, s.*c.Field);

    ini.MergeMissing(previous, "CoolBands");
    return ini;
}
