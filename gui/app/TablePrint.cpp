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
    const QSize size = TitledSize(picture);
    const double natural = device.logicalDpiX() / 96.0;
    const double scale = std::min(natural, static_cast<double>(device.width()) / size.width());
    const int pageHeight = std::max(1, static_cast<int>(device.height() / scale));
    // Every page repeats the line saying what the table is.
    const std::vector<TPageSlice> pages = PicturePages(picture, pageHeight);
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        painter.save();
        painter.scale(scale, scale);
        PaintPicturePage(painter, picture, pages[i]);
        painter.restore();
    }
    return static_cast<int>(pages.size());
}
