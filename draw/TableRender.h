// Whole tables as PNG pictures, for tablora-cli render: painted in bands of a
// few megabytes and compressed as they are painted, so memory stays bounded
// whatever the table's height.
#pragma once

#include "draw/TableCanvas.h"

class QPainter;

#include <QPoint>
#include <QRect>
#include <string>
#include <vector>

// One table placed in the picture with its top-left corner at `Offset`.
struct TPicturePart {
    const TTableLayout* Table = nullptr;
    QPoint Offset;
};

// The largest picture made: 1,000,000 pixels a side (what PNG readers accept)
// and 1,000,000,000 pixels in all.
constexpr long long kLargestPictureSide = 1000000;
constexpr long long kLargestPicturePixels = 1000000000;

// Paints the part `area` of the picture made of `parts`, with the painter's
// origin at the picture's top-left corner.
void PaintPictureParts(QPainter& painter, const std::vector<TPicturePart>& parts, const QRect& area);

// The picture of `size` filled with `background` and the parts painted over
// it, as PNG bytes (fast compression). False with the reason (UTF-8) in
// `error` when the picture is too large or cannot be encoded.
bool EncodeTablePicture(const std::vector<TPicturePart>& parts, QSize size, const QColor& background, std::string& png,
                        std::string& error);
