#include "PictureFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>
#include <cerrno>

bool SavePngAtomically(const QImage& image, const std::string& path, std::string& reason, const TWriteFaults* faults) {
    if (image.isNull()) {
        reason = "画像を作れません (大きすぎます)";
        return false;
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) {
        reason = "PNG にできません (" + writer.errorString().toStdString() + ")";
        return false;
    }
    if (!WriteFileAtomically(path, std::string_view(png.constData(), static_cast<size_t>(png.size())), faults)) {
        reason = "画像を書き込めません (" + FileErrorText(errno) + ")";
        return false;
    }
    return true;
}
