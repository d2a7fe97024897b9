// Team picture references: "{DEFAULT}" followed by a file name means that
// file in the folder "picture" beside the program; any other text is a path.
#pragma once

#include <QImage>
#include <QString>
#include <string>

QString PictureFolder(const QString& programDir);
// The file a stored reference (Shift-JIS) points at.
QString ResolvePicture(const std::string& reference, const QString& programDir);
// The reference to store for a chosen file: "{DEFAULT}" + name for a file in
// the picture folder (folder compared without regard to case), else the full path.
std::string PictureReference(const QString& chosenPath, const QString& programDir);
// The picture, or a null image when the reference is empty, the file is
// missing or it is not a picture. Never reports anything.
QImage LoadPicture(const std::string& reference, const QString& programDir);
