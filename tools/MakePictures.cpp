// Writes the form level and rank pictures into Level/ and Rank/ of a folder.
//   make_pictures FOLDER

#include "draw/ViewPictures.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {}); // a build step stays quiet
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(QDir(folder).filePath(QStringLiteral("Level")));
    QDir().mkpath(QDir(folder).filePath(QStringLiteral("Rank")));
    for (int level = 1; level <= 11; ++level)
        if (!LevelPicture(level).save(LevelPicturePath(folder, level), "BMP"))
            return 1;
    for (int rank = 1; rank <= 12; ++rank)
        if (!RankPicture(rank).save(RankPicturePath(folder, rank), "BMP"))
            return 1;
    return 0;
}
