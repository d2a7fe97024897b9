// Whole tables as PNG pictures, for tablora-cli render: painted in bands of a
// few megabytes and handed on as they are compressed, so memory stays bounded
// whatever the table's height.
#pragma once

#include "draw/TableCanvas.h"

class QPainter;

#include <QPoint>
#include <QRect>
#include <functional>
#include <string>
#include <string_view>
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

// Where a picture's PNG bytes go, a piece at a time as they are made; false
// when they cannot be taken.
using TPngSink = std::function<bool(std::string_view bytes)>;

// The picture of `size` filled with `background` and the parts painted over
// it, as PNG (fast compression) handed to `sink` band by band. False when the
// picture is too large or memory runs out, with the reason (UTF-8) in `error`;
// false with `error` empty when the sink refuses bytes (it knows why).
// At `scale` 2 to 4 the picture has that many pixels to one of the table, a
// side, painted at that resolution (the same layout, sharper), and says so
// in its resolution: it prints at the size of the picture at scale 1.
bool EncodeTablePicture(const std::vector<TPicturePart>& parts, QSize size, const QColor& background,
                        const TPngSink& sink, std::string& error, int scale = 1);
// The same PNG as bytes in memory.
bool EncodeTablePicture(const std::vector<TPicturePart>& parts, QSize size, const QColor& background, std::string& png,
                        std::string& error, int scale = 1);

// The scales a picture can be made at.
constexpr int kLargestPictureScale = 4;
