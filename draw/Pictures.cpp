#include "draw/Pictures.h"

#include "draw/QtText.h"

#include <QDir>
#include <QFileInfo>

namespace {
const char kDefault[] = "{DEFAULT}";
}

QString PictureFolder(const QString& programDir) {
    return QDir(programDir).filePath(QStringLiteral("picture"));
}

QString ResolvePicture(const std::string& reference, const QString& programDir) {
    if (reference.rfind(kDefault, 0) == 0)
        return QDir(PictureFolder(programDir)).filePath(Q(reference.substr(sizeof kDefault - 1)));
    return Q(reference);
}

std::string PictureReference(const QString& chosenPath, const QString& programDir) {
    const QFileInfo chosen(chosenPath);
    const QString folder = QDir::cleanPath(chosen.absolutePath());
    const QString pictures = QDir::cleanPath(QFileInfo(PictureFolder(programDir)).absoluteFilePath());
    if (folder.compare(pictures, Qt::CaseInsensitive) == 0)
        return kDefault + FromQ(chosen.fileName());
    return FromQ(chosen.absoluteFilePath());
}

QImage LoadPicture(const std::string& reference, const QString& programDir) {
    if (reference.empty())
        return QImage();
    const QString path = ResolvePicture(reference, programDir);
    if (!QFileInfo(path).isFile())
        return QImage();
    return QImage(path); // null when it cannot be read as a picture
}
