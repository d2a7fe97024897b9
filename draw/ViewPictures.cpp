#include "draw/ViewPictures.h"

#include <QDir>
#include <QFont>
#include <QPainter>

QImage LevelPicture(int level) {
    QImage image(40, 36, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A gauge from blue (cold) to red (hot), filled as far as the level reaches.
    const double t = (level - 1) / 10.0;
    const QColor color = QColor::fromHsvF((1.0 - t) * 0.66, 0.85, 0.95);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(14.5, 3.5, 11, 29), 5, 5);
    const double height = 4 + 23 * t;
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawRoundedRect(QRectF(16, 31 - height, 8, height), 3, 3);
    // Small flames for the hottest, drops for the coldest.
    if (level >= 10) {
        p.setBrush(QColor(255, 120, 0));
        p.drawEllipse(QRectF(4, 6, 6, 8));
        p.drawEllipse(QRectF(30, 6, 6, 8));
    } else if (level <= 2) {
        p.setBrush(QColor(80, 140, 255));
        p.drawEllipse(QRectF(5, 20, 5, 7));
        p.drawEllipse(QRectF(30, 20, 5, 7));
    }
    return image;
}

QImage RankPicture(int rank) {
    QImage image(11, 11, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(QColor(40, 40, 40));
    p.drawRect(0, 0, 10, 10);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(rank >= 10 ? 7 : 9);
    font.setBold(rank < 10);
    p.setFont(font);
    p.setPen(QColor(20, 20, 60));
    p.drawText(QRect(0, 0, 11, 11), Qt::AlignCenter, QString::number(rank));
    return image;
}

QString LevelPicturePath(const QString& programDir, int level) {
    return QDir(programDir).filePath(QStringLiteral("Level/level%1.bmp").arg(level));
}

QString RankPicturePath(const QString& programDir, int rank) {
    return QDir(programDir).filePath(QStringLiteral("Rank/rank%1.bmp").arg(rank));
}
