// The render program's side of render: the tables painted in bands into a PNG.
#include "RenderCommand.h"

#include "CliCommands.h"
#include "model/AtomicFile.h"
#include "model/BaseballPennant.h"
#include "settings/AppSettings.h"
#include "views/JuniDrawing.h"
#include "views/TableRender.h"
#include "views/TmJuniDrawing.h"

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <memory>
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

} // namespace

int RunRender(const std::vector<std::string>&, const TRenderRequest& request, std::ostream& err) {
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
    const TAppSettings settings =
        ReadSettings(TIniFile::Load(QDir(programDir).filePath(QStringLiteral("tablora.ini")).toStdString()), anywhere);
    const TViewContext view{&pennant, &fight, &settings, programDir, QGuiApplication::palette()};

    std::unique_ptr<TJuniTable> standings;
    TTmJuniPanes transition;
    std::vector<TPicturePart> parts;
    QSize size;
    if (request.View == "standings") {
        if (request.Index < 0 || request.Index >= pennant.TotalDistrictCount()) {
            err << "tablora-cli: " << request.Season << ": 地区 " << request.Index << " はありません\n";
            return 1;
        }
        standings = std::make_unique<TJuniTable>(view, request.Index, request.Mode);
        parts.push_back({standings.get(), QPoint(0, 0)});
        size = standings->Size();
    } else {
        if (request.Index < 0 || request.Index >= pennant.TotalTeamCount()) {
            err << "tablora-cli: " << request.Season << ": チーム " << request.Index << " はありません\n";
            return 1;
        }
        // The summary above the day-by-day table, as the window shows them.
        transition = LayOutTmJuni(view, request.Index);
        const int tableTop = transition.HeadPaneHeight + 3;
        parts.push_back({transition.Head.get(), QPoint(0, 0)});
        parts.push_back({transition.Table.get(), QPoint(0, tableTop)});
        size = QSize(std::max(transition.Head->Size().width(), transition.Table->Size().width()),
                     tableTop + transition.Table->Size().height());
    }
    std::string png, why;
    if (!EncodeTablePicture(parts, size, view.Color(settings.BackGround), png, why)) {
        err << "tablora-cli: " << request.Out << ": " << why << "\n";
        return 1;
    }
    if (!WriteFileAtomically(request.Out, png)) {
        err << "tablora-cli: " << request.Out << ": 画像を書き込めません\n";
        return 1;
    }
    return 0;
}
