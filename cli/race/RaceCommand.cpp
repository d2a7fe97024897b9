// The race program's side of `race`: decides the district's race and prints it.
#include "cli/race/RaceCommand.h"

#include "cli/CliCommands.h"
#include "core/base/DayNumber.h"
#include "core/base/SjisText.h"
#include "core/export/JsonArrayWriter.h"
#include "core/race/TitleRace.h"
#include "core/season/BaseballPennant.h"
#include "core/standings/DistrictStandings.h"
#include "core/standings/StandingsText.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <ostream>

namespace {

using clitext::Cell;
using clitext::DrawRuleText;
using clitext::U;
using nlohmann::ordered_json;

std::string OptionalNumber(const std::optional<int>& n, const char* none) {
    return n ? std::to_string(*n) : none;
}

std::string ScenarioText(const TRaceScenario& scenario) {
    if (scenario.Finals.empty())
        return U(RaceTimeUpText());
    std::string text;
    for (const TRaceRecord& r : scenario.Finals) {
        if (!text.empty())
            text += "  ";
        text += U(r.Symbol);
        for (const auto& [mark, value] : {std::pair{" ", r.Wins}, std::pair{"-", r.Losses}, std::pair{"-", r.Draws}}) {
            text += mark;
            text += std::to_string(value);
        }
    }
    return text;
}

// Whether the evidence of the team `symbol` is given: always in a district of
// up to kRaceScenarioTeams teams, else only for the team asked for.
bool GivesEvidence(const TTitleRace& race, const std::string& symbol, const TRaceRequest& request) {
    return race.TeamCount() <= kRaceScenarioTeams || symbol == request.Scenario;
}

// The likely completion behind a team's evidence, within its share of the
// table's time (half a second at least).
TRaceScenario ScenarioOf(const TTitleRace& race, int team, int place) {
    const TRaceStop stop = TRaceStop::In(std::max(0.5, kRaceTableSeconds / std::max(1, race.TeamCount())));
    return race.Scenario(team, place, &stop);
}

void RaceText(std::ostream& out, const TDistrictStandings& s, const TTitleRace& race, const TRaceRequest& request) {
    const int place = request.Place;
    const bool noDraws = s.League->DrawRule == 2;
    out << U(s.League->Name + s.District->Name) << "  " << U(StandingsStateText(s.AllPlayed(), s.Calc->GetKeyDates()))
        << "  " << (place == 1 ? std::string("優勝争い") : std::to_string(place) + "位以内争い") << " ("
        << (s.ByWins ? "勝数優先" : "勝率優先") << ", 引き分け" << DrawRuleText(s.League->DrawRule) << ")\n";
    out << U(sjis::S(noDraws ? "順位 記号 チーム          勝-敗       残  マジック  状況          自力  消滅"
                             : "順位 記号 チーム          勝-敗-分    残  マジック  状況          自力  消滅"))
        << "\n";
    const std::vector<TRaceAnswer> answers = DecideAll(race, place, kRaceTableSeconds);
    for (int i = 0; i < race.TeamCount(); ++i) {
        const TRaceTeam& t = race.Input().Teams[static_cast<size_t>(i)];
        const TRaceAnswer& a = answers[static_cast<size_t>(i)];
        // Put together in steps: GCC 12 warns falsely on a + chain of short texts.
        std::string record = std::to_string(t.Wins);
        record += "-";
        record += std::to_string(t.Losses);
        if (!noDraws) {
            record += "-";
            record += std::to_string(t.Draws);
        }
        out << Cell(std::to_string(t.Rank), 4, true) << " " << Cell(t.Symbol, 4, false) << " "
            << Cell(t.ShortName, 14, false) << " " << Cell(record, 10, false) << Cell(std::to_string(t.Remain), 4, true)
            << "  " << Cell(t.Magic < 0 ? "-" : MagicText(t.Magic), 8, false) << "  "
            << Cell(RaceStatusText(a, place), 12, false) << Cell(OptionalNumber(a.ClinchNumber, "-"), 6, true)
            << Cell(OptionalNumber(a.EliminationNumber, "-"), 6, true) << "\n";
        if (!GivesEvidence(race, t.Symbol, request))
            continue;
        if (a.Status == TRaceStatus::Eliminated || a.Status == TRaceStatus::Unknown)
            out << "       理由: " << U(a.Reason) << "\n";
        else
            out << "       例: " << ScenarioText(ScenarioOf(race, i, place)) << "\n";
    }
}

ordered_json OptionalJson(const std::optional<int>& n) {
    return n ? ordered_json(*n) : ordered_json();
}

ordered_json ScenarioJson(const TRaceScenario& s) {
    if (s.Finals.empty())
        return ordered_json();
    ordered_json scenario = ordered_json::array();
    for (const TRaceRecord& r : s.Finals) {
        ordered_json record;
        record["symbol"] = U(r.Symbol);
        record["wins"] = r.Wins;
        record["losses"] = r.Losses;
        record["draws"] = r.Draws;
        scenario.push_back(std::move(record));
    }
    return scenario;
}

void RaceJson(std::ostream& out, const TDistrictStandings& s, const TTitleRace& race, const TRaceRequest& request) {
    const int place = request.Place;
    const std::optional<double>& day = request.Day;
    ordered_json head;
    head["district"] = U(s.League->Name + s.District->Name);
    head["rankRule"] = int(s.League->RankRule);
    head["drawRule"] = int(s.League->DrawRule);
    head["place"] = place;
    head["day"] = day ? ordered_json(days::FormatDate(*day)) : ordered_json();
    TJsonArrayWriter teams(out, head, "teams");
    const std::vector<TRaceAnswer> answers = DecideAll(race, place, kRaceTableSeconds);
    for (int i = 0; i < race.TeamCount(); ++i) {
        const TRaceTeam& t = race.Input().Teams[static_cast<size_t>(i)];
        const TRaceAnswer& a = answers[static_cast<size_t>(i)];
        const bool eliminated = a.Status == TRaceStatus::Eliminated || a.Status == TRaceStatus::Unknown;
        ordered_json row;
        row["rank"] = t.Rank;
        row["symbol"] = U(t.Symbol);
        row["shortName"] = U(t.ShortName);
        row["wins"] = t.Wins;
        row["losses"] = t.Losses;
        row["draws"] = t.Draws;
        row["remain"] = t.Remain;
        row["magic"] = t.Magic < 0 ? ordered_json() : ordered_json(t.Magic);
        row["status"] = RaceStatusKey(a.Status);
        row["levelAssured"] = a.LevelAssured;
        row["clinchNumber"] = OptionalJson(a.ClinchNumber);
        row["eliminationNumber"] = OptionalJson(a.EliminationNumber);
        // One completion in which it gets there, or why it cannot.
        // (In a large district, only for the team asked for: null for the others.)
        const bool evidence = GivesEvidence(race, t.Symbol, request);
        row["scenario"] = eliminated || !evidence ? ordered_json() : ScenarioJson(ScenarioOf(race, i, place));
        row["reason"] = eliminated && evidence ? ordered_json(U(a.Reason)) : ordered_json();
        teams.Add(row);
    }
    teams.Finish();
}

} // namespace

int RunRace(const TRaceRequest& request, std::ostream& out, std::ostream& err) {
    std::optional<TCliSeason> season = LoadCliSeason(request.Season, err);
    if (!season)
        return 1;
    std::optional<TDistrictStandings> s =
        BuildDistrictStandings(*season->Pennant, *season->Fight, request.District, request.Day);
    if (!s) {
        err << "tablora-cli: " << request.Season << ": 地区 " << request.District << " はありません (地区数 "
            << season->Pennant->TotalDistrictCount() << ")\n";
        return 2; // an index that names nothing, as for render
    }
    if (!request.Scenario.empty()) {
        bool member = false;
        for (int i = 0; i < s->Calc->Count(); ++i)
            member = member || s->Calc->Items(i).Symbol == request.Scenario;
        if (!member) {
            err << "tablora-cli: " << request.Season << ": チーム " << sjis::ToUtf8(request.Scenario) << " は地区 "
                << request.District << " にありません\n";
            return 2;
        }
    }
    const TTitleRace race(RaceInputFrom(*season->Pennant, *s));
    if (request.Format == "json")
        RaceJson(out, *s, race, request);
    else
        RaceText(out, *s, race, request);
    return 0;
}
