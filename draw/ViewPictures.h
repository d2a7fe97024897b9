// The small pictures the views show: the eleven form levels and the twelve
// rank markers. They are delivered as files beside the program (made at build
// time from these same functions); the views read the files.
#pragma once

#include <QImage>
#include <QString>

// Form level 1 (cold) to 11 (hot), 40 x 36.
QImage LevelPicture(int level);
// Rank 1 to 12: a dark number on a white square, 11 x 11.
QImage RankPicture(int rank);

QString LevelPicturePath(const QString& programDir, int level); // Level/levelN.bmp
QString RankPicturePath(const QString& programDir, int rank);   // Rank/rankN.bmp
