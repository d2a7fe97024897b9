// The bevel button on screens of more device pixels than its own (150%,
// 200%): each bevel line fills its pixel of the button, whole device pixels,
// with no blend between the bevel and the face.

#include "gui/controls/CuteBtn.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>

namespace {

int Edge(int v, qreal ratio) {
    return static_cast<int>(std::floor(v * ratio + 0.5));
}

TEST(CuteButtonRatio, BevelLinesFillTheirPixelsAtEveryRatio) {
    const QRgb face = qRgb(0, 255, 0), light = qRgb(255, 0, 0), dark = qRgb(0, 0, 255);
    for (const int width : {1, 2}) {
        for (const qreal r : {1.0, 1.5, 2.0, 3.0}) {
            SCOPED_TRACE("bevel " + std::to_string(width) + " at ratio " + std::to_string(r));
            TCuteButton button;
            button.resize(40, 20);
            button.SetColor(0x0000FF00);
            button.SetBevelHighlightColor(0x000000FF);
            button.SetBevelShadowColor(0x00FF0000);
            button.SetBevelWidth(width);
            ASSERT_EQ(button.BevelOuter(), TCuteButton::TBevel::None); // at rest: the inner bevel alone
            QImage image(Edge(40, r), Edge(20, r), QImage::Format_RGB32);
            image.setDevicePixelRatio(r);
            image.fill(Qt::black);
            button.render(&image);
            // Across the middle, and down it: the raised bevel's light then dark edges.
            const int midY = Edge(10, r), midX = Edge(20, r);
            for (int x = 0; x < image.width(); ++x) {
                const QRgb want = x < Edge(width, r) ? light : x >= Edge(40 - width, r) ? dark : face;
                ASSERT_EQ(image.pixel(x, midY), want) << "x " << x;
            }
            for (int y = 0; y < image.height(); ++y) {
                const QRgb want = y < Edge(width, r) ? light : y >= Edge(20 - width, r) ? dark : face;
                ASSERT_EQ(image.pixel(midX, y), want) << "y " << y;
            }
        }
    }
}

} // namespace
