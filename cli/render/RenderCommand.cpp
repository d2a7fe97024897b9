// The render program's side of render: the tables painted in bands into a PNG,
// written to the file band by band.
#include "cli/render/RenderCommand.h"

#include "cli/CliCommands.h"
#include "core/base/SjisText.h"
#include "core/io/AppSettings.h"
#include "core/io/SettingsFile.h"
#include "core/season/BaseballPennant.h"
#include "draw/JuniDrawing.h"
#include "draw/NitteiDrawing.h"
#include "draw/OddsDrawing.h"
#include "draw/RaceDrawing.h"
#include "draw/TablePicture.h"
#include "draw/TaisenDrawing.h"
#include "draw/TmJuniDrawing.h"
#include "draw/VersusDrawing.h"

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QStandardPaths>
#include <memory>
#include <optional>
#include <ostream>

namespace {

// Painting needs a GUI application; the offscreen platform needs no display.
void EnsureApplication() {
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's own notices (runtime folders and the like) are not ours to print.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char name[] = "tablora-cli";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
}

// The tables of the schedule, head-to-head and versus views, as laid out for
// the request; the reason, and none, when an index, page or symbol names nothing.
struct TPictureTables {
    std::unique_ptr<TNitteiLayout> Schedule;
    std::unique_ptr<TTaisenLayout> HeadToHead;
    std::unique_ptr<TVersusLayout> Versus;
};

// A district of so many teams that its rows alone (35 pixels each in the
// standings and the head-to-head table) make a picture taller than any made:
// refused before it is laid out, which would cost minutes for nothing. A
// picture at `scale` has that many pixels to each of the table's.
std::optional<std::string> TallerThanAPicture(const TPennant& pennant, int districtIndex, int scale) {
    const TDistrict* district = pennant.DistrictAt(districtIndex);
    const long long rows = district ? district->TeamCount() : 0;
    const long long pixels = rows * 35 * scale;
    if (pixels <= kLargestPictureSide)
        return std::nullopt;
    return "画像が大きすぎます (地区のチーム " + std::to_string(rows) + "、行だけで " + std::to_string(pixels) +
           " ピクセル。縦横とも " + std::to_string(kLargestPictureSide) + " ピクセルまでです)";
}

std::optional<std::string> LayOutTables(const TViewContext& view, const TRenderRequest& request, TPictureTables& t,
                                        TTablePicture& picture) {
    const TPennant& pennant = *view.Pennant;
    if (request.View == "schedule") {
        if (request.Index < 0 || request.Index >= pennant.LeagueCount())
            return "リーグ " + std::to_string(request.Index) + " はありません (リーグは " +
                   std::to_string(pennant.LeagueCount()) + " 個)";
        t.Schedule = std::make_unique<TNitteiLayout>(LayoutNittei(view, request.Index));
        picture = SingleTablePicture(*t.Schedule);
        return std::nullopt;
    }
    if (request.Index < 0 || request.Index >= pennant.TotalDistrictCount())
        return "地区 " + std::to_string(request.Index) + " はありません (地区は " +
               std::to_string(pennant.TotalDistrictCount()) + " 個)";
    if (request.View == "headtohead") {
        const std::vector<int> pages = TaisenPages(pennant, request.Index);
        if (request.Page >= static_cast<int>(pages.size()))
            return "ページ " + std::to_string(request.Page) + " はありません (この地区のページは 0 から " +
                   std::to_string(pages.size() - 1) + " まで)";
        t.HeadToHead =
            std::make_unique<TTaisenLayout>(LayoutTaisen(view, request.Index, pages, request.Filter, request.Page));
        picture = SingleTablePicture(t.HeadToHead->Table);
        return std::nullopt;
    }
    TLeague* league = nullptr;
    const TDistrict* district = pennant.DistrictAt(request.Index, &league);
    bool member = false;
    for (int i = 0; i < district->TeamCount(); ++i)
        member = member || district->GetTeam(i).Symbol == request.Team;
    if (!member)
        return "チーム " + sjis::ToUtf8(request.Team) + " は地区 " + std::to_string(request.Index) + " (" +
               sjis::ToUtf8(league->Name + district->Name) + ") にありません";
    if (!pennant.TeamBySymbol(request.Opponent))
        return "相手チーム " + sjis::ToUtf8(request.Opponent) + " はありません";
    t.Versus = std::make_unique<TVersusLayout>(
        LayoutVersus(view, request.Index, request.Team, request.Opponent, request.Filter));
    picture = VersusPicture(*t.Versus);
    return std::nullopt;
}

} // namespace

int RunRender(const TRenderRequest& request, std::ostream& err) {
    std::optional<TCliSeason> season = LoadCliSeason(request.Season, err);
    if (!season)
        return 1;
    return RenderView(*season->Pennant, *season->Fight, request, err);
}

int RenderView(const TPennant& pennant, const TFight& fight, const TRenderRequest& request, std::ostream& err) {
    EnsureApplication();
    // The colors the user chose in the program, when its settings file is beside us.
    const QString programDir = QCoreApplication::applicationDirPath();
    TWorkArea anywhere{0, 0, 100000, 100000};
    const TSettingsFiles files{QDir(programDir).filePath(QStringLiteral("tablora.ini")).toStdString(),
                               QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                                   .filePath(QStringLiteral("tablora/tablora.ini"))
                                   .toStdString()};
    const TAppSettings settings = ReadSettings(TIniFile::Load(SettingsFileToRead(files)), anywhere);
    const TViewContext view{&pennant, &fight, &settings, programDir, QGuiApplication::palette()};

    std::unique_ptr<TJuniTable> standings;
    std::unique_ptr<TTableLayout> odds; // or the race
    TTmJuniPanes transition;
    TPictureTables tables;
    TTablePicture picture;
    if ((request.View == "standings" || request.View == "headtohead") && request.Index >= 0 &&
        request.Index < pennant.TotalDistrictCount())
        if (const std::optional<std::string> why = TallerThanAPicture(pennant, request.Index, request.Scale)) {
            err << "tablora-cli: " << request.Out << ": " << *why << "\n";
            return 1;
        }
    if (request.View == "schedule" || request.View == "headtohead" || request.View == "versus") {
        if (const std::optional<std::string> why = LayOutTables(view, request, tables, picture)) {
            err << "tablora-cli: " << request.Season << ": " << *why << "\n";
            return 2;
        }
    } else if (request.View == "standings") {
        if (request.Index < 0 || request.Index >= pennant.TotalDistrictCount()) {
            err << "tablora-cli: " << request.Season << ": 地区 " << request.Index << " はありません\n";
            return 2;
        }
        standings = std::make_unique<TJuniTable>(view, request.Index, request.Mode);
        picture = SingleTablePicture(*standings);
    } else if (request.View == "race") {
        if (request.Index < 0 || request.Index >= pennant.TotalDistrictCount()) {
            err << "tablora-cli: " << request.Season << ": 地区 " << request.Index << " はありません\n";
            return 2;
        }
        // As the window shows it, with the evidence of the first team.
        odds = std::make_unique<TRaceTable>(view, request.Index, request.Place > 0 ? request.Place : 3, TRaceWhen::Now,
                                            request.Day);
        picture = SingleTablePicture(*odds);
    } else if (request.View == "odds" || request.View == "oddshistory") {
        if (request.Index < 0 || request.Index >= pennant.TotalDistrictCount()) {
            err << "tablora-cli: " << request.Season << ": 地区 " << request.Index << " はありません\n";
            return 2;
        }
        if (const TDistrict* district = pennant.DistrictAt(request.Index); district->TeamCount() > kOddsMostTeams) {
            err << "tablora-cli: " << request.Season << ": 地区 " << request.Index << " はチームが多すぎます ("
                << kOddsMostTeams << " チームまで)\n";
            return 1;
        }
        // The runs model, seeded as asked: the same picture every time.
        if (request.View == "odds")
            odds = ComputedOddsTable(view, request.Index, TOddsModel::Runs, request.Place > 0 ? request.Place : 3,
                                     request.Runs > 0 ? request.Runs : 100000, request.Seed);
        else
            odds = ComputedOddsHistory(view, request.Index, TOddsModel::Runs, request.Place > 0 ? request.Place : 3,
                                       request.Place > 0, request.Runs > 0 ? request.Runs : 10000, request.Seed);
        picture = SingleTablePicture(*odds);
    } else {
        if (request.Index < 0 || request.Index >= pennant.TotalTeamCount()) {
            err << "tablora-cli: " << request.Season << ": チーム " << request.Index << " はありません\n";
            return 2;
        }
        transition = LayOutTmJuni(view, request.Index);
        picture = TransitionPicture(transition);
    }
    if (!request.Title)
        picture.Title = {}; // the line above the tables only when asked for
    std::string why;
    if (!SaveTablePicture(picture, request.Out, why, nullptr, request.Scale)) {
        err << "tablora-cli: " << request.Out << ": " << why << "\n";
        return 1;
    }
    return 0;
}
