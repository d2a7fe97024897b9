#include "gui/app/TablePrint.h"

#include "draw/TablePicture.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

int PrintTablePicture(QPagedPaintDevice& device, const TTablePicture& picture) {
    if (picture.Size.isEmpty())
        return 0;
    QPainter painter(&device);
    // A table pixel is a screen pixel at 96 dpi, unless the page is narrower.
    const double natural = device.logicalDpiX() / 96.0;
    const double scale = std::min(natural, static_cast<double>(device.width()) / picture.Size.width());
    const int pageHeight = std::max(1, static_cast<int>(device.height() / scale));
    const std::vector<TPageSlice> pages = PictureSlices(picture, pageHeight);
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        const QRect area(0, pages[i].Top, picture.Size.width(), pages[i].Bottom - pages[i].Top);
        painter.save();
        painter.scale(scale, scale);
        painter.translate(0, -pages[i].Top);
        painter.setClipRect(area);
        painter.fillRect(area, picture.Background);
        PaintTablePicture(painter, picture, area);
        painter.restore();
    }
    return static_cast<int>(pages.size());
}
