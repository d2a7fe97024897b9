#include "RenderCommand.h"

#include "model/BaseballPennant.h"
#include "settings/AppSettings.h"
#include "settings/SettingsFile.h"
#include "views/JuniDrawing.h"
#include "views/PictureFile.h"
#include "views/TmJuniDrawing.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QStandardPaths>
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

int RenderView(const TPennant& pennant, const TFight& fight, const TRenderRequest& request,
               const std::string& seasonPath, std::ostream& err) {
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

    QImage image;
    if (request.View == "standings") {
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
    std::string reason;
    if (!SavePngAtomically(image, request.Out, reason)) {
        err << "tablora-cli: " << request.Out << ": " << reason << "\n";
        return 1;
    }
    return 0;
}
