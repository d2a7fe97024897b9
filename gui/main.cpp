// タブローラ: the desktop program.

#include "core/season/BaseballFight.h"
#include "gui/app/UMain.h"
#include "gui/controls/DialogService.h"
#include "gui/controls/WheelMessage.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>
#include <chrono>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tablora"));

    // The program's face is "ＭＳ Ｐゴシック" at 12 pixels; IPAPGothic has the same metrics.
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont face(QStringLiteral("ＭＳ Ｐゴシック"));
    face.setPixelSize(12);
    QApplication::setFont(face);

    // The standard dialogs speak Japanese like the rest of the program.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    MsWheelRollMsg();
    SeedRandom(static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));

    TQtDialogService dialogs;
    TMainForm window(dialogs, QCoreApplication::applicationFilePath());
    window.show();
    const QStringList args = QApplication::arguments();
    window.Start(args.size() > 1 ? args.at(1) : QString());
    return app.exec();
}
