// A season as the program shows it: default colors, no pictures beside it;
// and the program's own sample season loaded into one (its last results are
// of Sunday 12 July).
#pragma once

#include "core/io/AppSettings.h"
#include "core/io/IniFile.h"
#include "core/io/SeasonFile.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "draw/ViewContext.h"

#include <QPalette>
#include <QTemporaryDir>
#include <memory>
#include <string>

struct TShownSeason {
    std::unique_ptr<TPennant> Pennant;
    std::unique_ptr<TFight> Fight;
    TAppSettings Settings = ReadSettings(TIniFile::Parse(""), TWorkArea{0, 0, 1280, 800});
    QTemporaryDir Program;
    TViewContext View() const { return {Pennant.get(), Fight.get(), &Settings, Program.path(), QPalette()}; }
};

// None when the build's copy of the sample cannot be read.
inline std::unique_ptr<TShownSeason> LoadSampleSeason() {
    auto s = std::make_unique<TShownSeason>();
    if (!LoadSeason(std::string(TABLORA_BINARY_DIR) + "/bin/data/sample.qvk", s->Pennant, s->Fight))
        return nullptr;
    return s;
}
