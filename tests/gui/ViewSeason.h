// A season built league by league and game by game for the table view tests,
// and what a whole table shows, read from the canvas record.
#pragma once

#include "core/base/DayNumber.h"
#include "core/base/SjisText.h"
#include "core/io/AppSettings.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "draw/TableCanvas.h"
#include "draw/ViewContext.h"
#include "tests/gui/QtPrint.h"

#include <QStringList>
#include <QTemporaryDir>

struct TViewSeason {
    TPennant Pennant;
    TFight Fight;
    TAppSettings Settings;
    QTemporaryDir Program; // an empty program folder: no pictures

    TViewSeason() {
        Settings.BackGround = 0xFFFFFF;
        Settings.Char1 = 0x000000;
        Settings.Char2 = 0xC0C0C0;
    }
    // A league with one district per list of symbols; teams are named after their symbols.
    TLeague& League(const char* name, std::initializer_list<std::initializer_list<const char*>> districts,
                    uint8_t drawRule = 0, uint8_t rankRule = 0) {
        TLeague& l = Pennant.GetLeague(Pennant.AddLeague());
        l.Name = sjis::S(name);
        l.DrawRule = drawRule;
        l.RankRule = rankRule;
        int n = 0;
        for (const auto& symbols : districts) {
            TDistrict& d = l.GetDistrict(l.AddDistrict());
            d.Name = sjis::S(std::string("地区") + std::to_string(++n));
            for (const char* s : symbols) {
                TTeam& t = d.GetTeam(d.AddTeam());
                t.SetSymbol(s);
                t.ShortName = sjis::S(std::string("略") + s);
                t.Name = sjis::S(std::string("チーム") + s);
            }
        }
        return l;
    }
    TViewSeason& Game(const char* home, const char* visitor, int hs, int vs, double day,
                      uint8_t status = StatusFinished) {
        TMatchRec& m = Fight.GetMatch(Fight.NewMatch());
        m.HomeSymbol.Set(home);
        m.VisitorSymbol.Set(visitor);
        m.HomeScore = static_cast<int8_t>(hs);
        m.VisitorScore = static_cast<int8_t>(vs);
        m.GameDate = day;
        m.Status = status;
        return *this;
    }
    TViewSeason& Sorted() {
        Fight.SortMatches();
        return *this;
    }
    TViewContext View() const { return {&Pennant, &Fight, &Settings, Program.path(), QPalette()}; }
};

inline QStringList TextsOf(const TRecordingCanvas& c, const QRect& area) {
    QStringList texts;
    for (const TDrawnText& t : c.TextsIn(area))
        texts << t.Text;
    return texts;
}
