// libFuzzer target for the CSV and game-log readers: any bytes, read as
// recognised and as each format by force, must read without crashing or
// hanging; a CSV read without fault must write back to a CSV that reads to
// the same games, and any readable file must import, replaced and merged.

#include "core/io/Csv.h"
#include "core/io/MatchImport.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "core/season/SeasonTemplates.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

namespace {

const TPennant& Season(int kind) {
    static TPennant seasons[2];
    static bool built[2] = {false, false};
    if (!built[kind]) {
        BuildTemplate(kind, seasons[kind]);
        seasons[kind].Checker = "Fuzzing1";
        built[kind] = true;
    }
    return seasons[kind];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The tokenizer alone: every record ends, and the lines only go forward.
    TCsvReader reader(bytes);
    std::vector<std::string> fields;
    int line = 0;
    while (reader.Next(fields)) {
        if (reader.Line() <= line)
            std::abort();
        line = reader.Line();
    }

    for (int kind : {TemplateJapan, TemplateMajor}) {
        const TPennant& pennant = Season(kind);
        for (std::optional<TMatchFormat> format :
             {std::optional<TMatchFormat>(), std::optional(TMatchFormat::Csv), std::optional(TMatchFormat::GameLog)}) {
            TImportFile file = ReadImportBytes(bytes, pennant, format);
            if (!file.Refusal.empty() || file.Text.UnreadLines > 0 || file.Format == TMatchFormat::MatchText)
                continue;
            TFight season;
            season.GetMatch(season.NewMatch()).HomeSymbol.Set(pennant.GetLeague(0).GetDistrict(0).GetTeam(0).Symbol);
            ApplyImport(pennant, season, ReadImportBytes(bytes, pennant, format).Text, true);

            TFight fight;
            ApplyImport(pennant, fight, std::move(file.Text));
            const std::string csv = EncodeMatchCsv(pennant, fight);
            TImportFile back = ReadImportBytes(csv, pennant, TMatchFormat::Csv);
            if (back.Text.UnreadLines > 0 || back.Text.Fight->MatchCount() != fight.MatchCount())
                std::abort();
            TFight again;
            ApplyImport(pennant, again, std::move(back.Text));
            for (int i = 0; i < fight.MatchCount(); ++i)
                if (std::memcmp(&fight.GetMatch(i), &again.GetMatch(i), sizeof(TMatchRec)) != 0)
                    std::abort();
        }
    }
    return 0;
}
