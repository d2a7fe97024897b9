#include "gui/controls/TabStrip.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// Pixels dark enough to be a caption's ink inside a tab (its frame excluded).
int InkIn(const QImage& image, const QRect& tab) {
    int ink = 0;
    const QRect inside = tab.adjusted(4, 4, -4, -4) & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ink += qGray(image.pixel(x, y)) < 110;
    return ink;
}

} // namespace

// Whatever tab is selected and however many rows the tabs take, every tab's
// caption is drawn: a selected tab in a lower row once blanked the tab above it.
TEST(TabStrip, EveryCaptionIsDrawnWhateverIsSelected) {
    TTabStrip strip;
    for (const char* text : {"阪神タイガース", "読売ジャイアンツ", "中日ドラゴンズ", "横浜ベイスターズ",
                             "広島東洋カープ", "大阪近鉄バッファローズ", "西武ライオンズ", "G"})
        strip.addTab(QString::fromUtf8(text));
    for (int width = 160; width <= 760; width += 75) {
        strip.resize(width, strip.heightForWidth(width));
        for (int current = 0; current < strip.count(); ++current) {
            strip.setCurrentIndex(current);
            const QImage image = strip.grab().toImage();
            for (int i = 0; i < strip.count(); ++i)
                EXPECT_GT(InkIn(image, strip.tabRect(i)), 0)
                    << "width " << width << ", rows " << strip.rowCount() << ", selected " << current << ": tab " << i
                    << " is blank";
        }
    }
}
