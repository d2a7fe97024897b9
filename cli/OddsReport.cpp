// tablora-race's side of `odds`: plays the district's season and prints the
// chances as a table, JSON or CSV, or their history day by day.
#include "cli/OddsCommand.h"

#include "core/base/DayNumber.h"
#include "core/base/SjisText.h"
#include "core/odds/OddsRace.h"
#include "core/odds/SeasonOdds.h"
#include "core/race/TitleRace.h"
#include "core/season/BaseballPennant.h"
#include "core/standings/DistrictStandings.h"
#include "core/standings/StandingsText.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <ostream>

namespace {

using clitext::Cell;
using clitext::U;
using nlohmann::ordered_json;

std::string Fixed(double value, int digits) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", digits, value);
    return text;
}

std::string PlaceName(int place) {
    return place == 1 ? std::string("優勝") : std::to_string(place) + "位以内";
}

std::string ModelName(TOddsModel model) {
    return model == TOddsModel::Even ? "五分五分" : "得失点";
}

std::string DistrictName(const TDistrictStandings& s) {
    return U(s.League->Name + s.District->Name);
}

struct TRun {
    TOddsResult Result;
    std::vector<TRaceAnswer> First, Top;
};

void OddsText(std::ostream& out, const TDistrictStandings& s, const TRun& run) {
    const TOddsResult& r = run.Result;
    const bool noDraws = s.League->DrawRule == 2;
    out << DistrictName(s) << "  " << U(StandingsStateText(s.AllPlayed(), s.Keys)) << "  優勝確率 ("
        << ModelName(r.Model) << ", " << r.Runs << " 回, seed " << r.Seed << ")\n";
    out << "順位 記号 チーム          " << (noDraws ? "勝-敗     " : "勝-敗-分  ") << "  残    優勝  "
        << Cell(sjis::S(PlaceName(r.Place)), 8, true) << "  平均成績           勝数10-90%  状況\n";
    const std::vector<int> ranks = [&] {
        std::vector<int> w, l, d;
        for (const TOddsTeamResult& t : r.Teams) {
            w.push_back(t.Wins);
            l.push_back(t.Losses);
            d.push_back(t.Draws);
        }
        return RankFinals(w, l, d, s.ByWins);
    }();
    for (size_t i = 0; i < r.Teams.size(); ++i) {
        const TOddsTeamResult& t = r.Teams[i];
        std::string record = std::to_string(t.Wins) + "-" + std::to_string(t.Losses);
        std::string mean = Fixed(t.MeanWins, 1) + "-" + Fixed(t.MeanLosses, 1);
        if (!noDraws) {
            record += "-" + std::to_string(t.Draws);
            mean += "-" + Fixed(t.MeanDraws, 1);
        }
        out << Cell(std::to_string(ranks[i]), 4, true) << " " << Cell(t.Symbol, 4, false) << " "
            << Cell(t.ShortName, 14, false) << " " << Cell(record, 10, false) << Cell(std::to_string(t.Remain), 4, true)
            << Cell(OddsPercentText(t.First, t.FirstPin), 8, true) << Cell(OddsPercentText(t.Top, t.TopPin), 10, true)
            << "  " << Cell(mean, 18, false) << " "
            << Cell(std::to_string(t.WinsP10) + "-" + std::to_string(t.WinsP90), 11, false) << " "
            << U(RaceStatusText(run.First[i], 1)) << "\n";
    }
}

void OddsJson(std::ostream& out, const TDistrictStandings& s, const TRun& run, std::optional<double> day) {
    const TOddsResult& r = run.Result;
    ordered_json j;
    j["district"] = DistrictName(s);
    j["day"] = day ? ordered_json(days::FormatDate(*day)) : ordered_json();
    j["model"] = OddsModelName(r.Model);
    j["runs"] = r.Runs;
    j["seed"] = r.Seed;
    j["place"] = r.Place;
    j["teams"] = ordered_json::array();
    for (size_t i = 0; i < r.Teams.size(); ++i) {
        const TOddsTeamResult& t = r.Teams[i];
        ordered_json row;
        row["symbol"] = U(t.Symbol);
        row["shortName"] = U(t.ShortName);
        row["wins"] = t.Wins;
        row["losses"] = t.Losses;
        row["draws"] = t.Draws;
        row["remain"] = t.Remain;
        row["first"] = t.First;
        row["top"] = t.Top;
        row["places"] = t.Places;
        row["meanWins"] = t.MeanWins;
        row["meanLosses"] = t.MeanLosses;
        row["meanDraws"] = t.MeanDraws;
        row["winsP10"] = t.WinsP10;
        row["winsP90"] = t.WinsP90;
        row["status"] = RaceStatusKey(run.First[i].Status);
        row["topStatus"] = RaceStatusKey(run.Top[i].Status);
        j["teams"].push_back(std::move(row));
    }
    out << j.dump(2) << "\n";
}

// A CSV field: quoted when it holds a comma, a quote or a line break.
std::string Csv(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

void OddsCsv(std::ostream& out, const TRun& run) {
    const TOddsResult& r = run.Result;
    out << "symbol,shortName,wins,losses,draws,remain,first,top";
    for (size_t q = 1; q <= r.Teams.size(); ++q)
        out << ",place" << q;
    out << ",meanWins,meanLosses,meanDraws,winsP10,winsP90,status\n";
    for (size_t i = 0; i < r.Teams.size(); ++i) {
        const TOddsTeamResult& t = r.Teams[i];
        out << Csv(U(t.Symbol)) << "," << Csv(U(t.ShortName)) << "," << t.Wins << "," << t.Losses << "," << t.Draws
            << "," << t.Remain << "," << Fixed(t.First, 6) << "," << Fixed(t.Top, 6);
        for (double p : t.Places)
            out << "," << Fixed(p, 6);
        out << "," << Fixed(t.MeanWins, 3) << "," << Fixed(t.MeanLosses, 3) << "," << Fixed(t.MeanDraws, 3) << ","
            << t.WinsP10 << "," << t.WinsP90 << "," << RaceStatusKey(run.First[i].Status) << "\n";
    }
}

void HistoryOut(std::ostream& out, const TDistrictStandings& s, const TOddsHistory& h, TOddsModel model,
                const TOddsRequest& request, long long runs) {
    const size_t n = h.Symbols.size();
    if (request.Format == "json") {
        ordered_json j;
        j["district"] = DistrictName(s);
        j["model"] = OddsModelName(model);
        j["runs"] = runs;
        j["seed"] = request.Seed;
        j["place"] = h.Place;
        j["days"] = ordered_json::array();
        for (double day : h.Days)
            j["days"].push_back(days::FormatDate(day));
        j["teams"] = ordered_json::array();
        for (size_t t = 0; t < n; ++t) {
            ordered_json team;
            team["symbol"] = U(h.Symbols[t]);
            team["shortName"] = U(h.ShortNames[t]);
            team["first"] = ordered_json::array();
            team["top"] = ordered_json::array();
            for (size_t d = 0; d < h.Days.size(); ++d) {
                team["first"].push_back(h.First[d][t]);
                team["top"].push_back(h.Top[d][t]);
            }
            j["teams"].push_back(std::move(team));
        }
        out << j.dump(2) << "\n";
        return;
    }
    const bool csv = request.Format == "csv";
    const std::string top = PlaceName(h.Place);
    if (csv) {
        out << "day";
        for (const std::string& name : h.ShortNames)
            out << "," << Csv(U(name) + " 優勝");
        for (const std::string& name : h.ShortNames)
            out << "," << Csv(U(name) + " " + top);
        out << "\n";
    } else {
        out << DistrictName(s) << "  優勝確率の推移 (" << ModelName(model) << ", 1 日 " << runs << " 回, seed "
            << request.Seed << ")  優勝 / " << top << "\n";
        out << "日付      ";
        for (const std::string& name : h.ShortNames)
            out << " " << Cell(name, 15, true);
        out << "\n";
    }
    for (size_t d = 0; d < h.Days.size(); ++d) {
        out << days::FormatDate(h.Days[d]);
        if (csv) {
            for (size_t t = 0; t < n; ++t)
                out << "," << Fixed(h.First[d][t], 6);
            for (size_t t = 0; t < n; ++t)
                out << "," << Fixed(h.Top[d][t], 6);
        } else {
            for (size_t t = 0; t < n; ++t)
                out << " "
                    << Cell(OddsPercentText(h.First[d][t], h.FirstPins[d][t]) + "/" +
                                OddsPercentText(h.Top[d][t], h.TopPins[d][t]),
                            15, true);
        }
        out << "\n";
    }
}

} // namespace

int RunOdds(const TOddsRequest& request, std::ostream& out, std::ostream& err) {
    std::optional<TCliSeason> season = LoadCliSeason(request.Season, err);
    if (!season)
        return 1;
    const TPennant& pennant = *season->Pennant;
    const TFight& fight = *season->Fight;
    const std::optional<TDistrictStandings> s = BuildDistrictStandings(pennant, fight, request.District, request.Day);
    if (!s) {
        err << "tablora-cli: " << request.Season << ": 地区 " << request.District << " はありません (地区数 "
            << pennant.TotalDistrictCount() << ")\n";
        return 2;
    }
    if (s->Calc->Count() > kOddsMostTeams) {
        err << "tablora-cli: " << request.Season << ": 地区 " << request.District << " はチームが多すぎます ("
            << s->Calc->Count() << " チーム。優勝確率は " << kOddsMostTeams << " チームまでの地区で計算します)\n";
        return 1;
    }
    const TOddsModel model = OddsModelFromName(request.Model).value_or(TOddsModel::Runs);
    if (request.History) {
        const long long runs = request.Runs > 0 ? request.Runs : kOddsHistoryRuns;
        const TOddsHistory h =
            OddsHistory(pennant, fight, request.District, model, request.Place, runs, request.Seed, request.Threads,
                        [&](const TDistrictStandings& day) { return TOddsRacePins::Shared(pennant, day); });
        HistoryOut(out, *s, h, model, request, runs);
        return 0;
    }
    const long long runs = request.Runs > 0 ? request.Runs : kOddsDefaultRuns;
    const TOddsInput input = OddsInputFrom(pennant, fight, *s, model, request.Day);
    const TOddsTally tally = SimulateOdds(input, request.Place, request.Seed, 0, runs, request.Threads);
    const TTitleRace race(RaceInputFrom(pennant, *s));
    TRun run;
    // Within the race table's time, as the race command decides: an answer not found is unknown.
    run.First = DecideAll(race, 1, kRaceTableSeconds);
    run.Top = request.Place == 1 ? run.First : DecideAll(race, request.Place, kRaceTableSeconds);
    auto pin = [](const TRaceAnswer& a) {
        return a.Status == TRaceStatus::Clinched     ? TOddsPin::Clinched
               : a.Status == TRaceStatus::Eliminated ? TOddsPin::Eliminated
                                                     : TOddsPin::Open;
    };
    run.Result = SummarizeOdds(input, tally, request.Seed, [&](int team, int place) {
        const size_t t = static_cast<size_t>(team);
        return pin(place == 1 ? run.First[t] : run.Top[t]);
    });
    if (request.Format == "json")
        OddsJson(out, *s, run, request.Day);
    else if (request.Format == "csv")
        OddsCsv(out, run);
    else
        OddsText(out, *s, run);
    return 0;
}
