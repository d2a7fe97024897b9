#include "RenderCommand.h"

#include "model/BaseballPennant.h"
#include "model/SjisText.h"
#include "settings/AppSettings.h"
#include "views/JuniDrawing.h"
#include "views/NitteiDrawing.h"
#include "views/TaisenDrawing.h"
#include "views/TmJuniDrawing.h"
#include "views/VersusDrawing.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <functional>
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

// The whole of a table laid out for on-demand painting, painted band by band:
// no canvas larger than a band is ever made.
void PaintInBands(QImage& image, int top, int width, int height, const QColor& background,
                  const std::function<void(TTableCanvas&, const QRect&)>& paint) {
    constexpr int kBand = 1024;
    QPainter p(&image);
    for (int y = 0; y < height; y += kBand) {
        const QRect band(0, y, width, std::min(kBand, height - y));
        TTableCanvas canvas(band, background);
        paint(canvas, band);
        p.drawImage(0, top + y, canvas.Picture());
    }
}

// The schedule, head-to-head and versus views: 0, or 2 with the reason.
int RenderTable(const TViewContext& view, const TRenderRequest& request, const std::string& seasonPath,
                std::ostream& err, QImage& image) {
    const TPennant& pennant = *view.Pennant;
    const QColor background = view.Color(view.Settings->BackGround);
    auto fail = [&](const std::string& why) {
        err << "tablora-cli: " << seasonPath << ": " << why << "\n";
        return 2;
    };
    if (request.View == "schedule") {
        if (request.Index < 0 || request.Index >= pennant.LeagueCount())
            return fail("リーグ " + std::to_string(request.Index) + " はありません (リーグは " +
                        std::to_string(pennant.LeagueCount()) + " 個)");
        const TNitteiLayout layout = LayoutNittei(view, request.Index);
        image = QImage(layout.Width, layout.Height, QImage::Format_RGB32);
        PaintInBands(image, 0, layout.Width, layout.Height, background,
                     [&](TTableCanvas& c, const QRect& area) { PaintNittei(view, layout, c, area); });
        return 0;
    }
    if (request.Index < 0 || request.Index >= pennant.TotalDistrictCount())
        return fail("地区 " + std::to_string(request.Index) + " はありません (地区は " +
                    std::to_string(pennant.TotalDistrictCount()) + " 個)");
    if (request.View == "headtohead") {
        const std::vector<int> pages = TaisenPages(pennant, request.Index);
        if (request.Page >= static_cast<int>(pages.size()))
            return fail("ページ " + std::to_string(request.Page) + " はありません (この地区のページは 0 から " +
                        std::to_string(pages.size() - 1) + " まで)");
        const TTaisenLayout layout = LayoutTaisen(view, request.Index, pages, request.Filter, request.Page);
        image = QImage(layout.Width, layout.Height, QImage::Format_RGB32);
        PaintInBands(image, 0, layout.Width, layout.Height, background,
                     [&](TTableCanvas& c, const QRect& area) { layout.List.Paint(c, area); });
        return 0;
    }
    // versus
    TLeague* league = nullptr;
    const TDistrict* district = pennant.DistrictAt(request.Index, &league);
    bool member = false;
    for (int t = 0; t < district->TeamCount(); ++t)
        member = member || district->GetTeam(t).Symbol == request.Team;
    if (!member)
        return fail("チーム " + sjis::ToUtf8(request.Team) + " は地区 " + std::to_string(request.Index) + " (" +
                    sjis::ToUtf8(league->Name + district->Name) + ") にありません");
    if (!pennant.TeamBySymbol(request.Opponent))
        return fail("相手チーム " + sjis::ToUtf8(request.Opponent) + " はありません");
    const TVersusLayout layout = LayoutVersus(view, request.Index, request.Team, request.Opponent, request.Filter);
    // The summary above the game list, as the window shows them.
    const int listTop = layout.HeadPaneHeight + 3;
    image = QImage(layout.Width, listTop + layout.ListHeight, QImage::Format_RGB32);
    image.fill(background);
    PaintInBands(image, 0, layout.Width, layout.HeadHeight, background,
                 [&](TTableCanvas& c, const QRect& area) { layout.Head.Paint(c, area); });
    PaintInBands(image, listTop, layout.Width, layout.ListHeight, background,
                 [&](TTableCanvas& c, const QRect& area) { layout.List.Paint(c, area); });
    return 0;
}

} // namespace

int RenderView(const TPennant& pennant, const TFight& fight, const TRenderRequest& request,
               const std::string& seasonPath, std::ostream& err) {
    EnsureApplication();
    // The colors the user chose in the program, when its settings file is beside us.
    const QString programDir = QCoreApplication::applicationDirPath();
    TWorkArea anywhere{0, 0, 100000, 100000};
    const TAppSettings settings =
        ReadSettings(TIniFile::Load(QDir(programDir).filePath(QStringLiteral("tablora.ini")).toStdString()), anywhere);
    const TViewContext view{&pennant, &fight, &settings, programDir, QGuiApplication::palette()};

    QImage image;
    if (request.View == "schedule" || request.View == "headtohead" || request.View == "versus") {
        if (const int code = RenderTable(view, request, seasonPath, err, image))
            return code;
    } else if (request.View == "standings") {
        if (request.Index < 0 || request.Index >= pennant.TotalDistrictCount()) {
            err << "tablora-cli: " << seasonPath << ": 地区 " << request.Index << " はありません\n";
            return 1;
        }
        image = DrawJuni(view, request.Index, request.Mode).Canvas->Picture();
    } else {
        if (request.Index < 0 || request.Index >= pennant.TotalTeamCount()) {
            err << "tablora-cli: " << seasonPath << ": チーム " << request.Index << " はありません\n";
            return 1;
        }
        // The summary above the day-by-day table, as the window shows them.
        const TTmJuniDrawing d = DrawTmJuni(view, request.Index);
        const QImage& head = d.Head->Picture();
        const QImage& table = d.Table->Picture();
        image =
            QImage(std::max(head.width(), table.width()), d.HeadPaneHeight + 3 + table.height(), QImage::Format_RGB32);
        image.fill(view.Color(settings.BackGround));
        QPainter p(&image);
        p.drawImage(0, 0, head);
        p.drawImage(0, d.HeadPaneHeight + 3, table);
    }
    if (!image.save(QString::fromStdString(request.Out), "PNG")) {
        err << "tablora-cli: " << request.Out << ": 画像を書き込めません\n";
        return 1;
    }
    return 0;
}
