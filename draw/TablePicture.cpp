#include "draw/TablePicture.h"

#include "core/base/AtomicFile.h"
#include "draw/TableCanvas.h"
#include "draw/TmJuniDrawing.h"
#include "draw/VersusDrawing.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cerrno>

TTablePicture SingleTablePicture(const TTableLayout& table) {
    return {{{&table, QPoint(0, 0)}}, table.Size(), table.Background()};
}

TTablePicture TransitionPicture(const TTmJuniPanes& panes) {
    const int tableTop = panes.HeadPaneHeight + 3;
    TTablePicture picture{{}, QSize(), panes.Table->Background()};
    int width = panes.Table->Size().width();
    if (panes.Head) {
        picture.Parts.push_back({panes.Head.get(), QPoint(0, 0)});
        width = std::max(width, panes.Head->Size().width());
    }
    picture.Parts.push_back({panes.Table.get(), QPoint(0, tableTop)});
    picture.Size = QSize(width, tableTop + panes.Table->Size().height());
    return picture;
}

TTablePicture VersusPicture(const TVersusLayout& layout) {
    const int listTop = layout.HeadPaneHeight + 3;
    return {{{&layout.Head, QPoint(0, 0)}, {&layout.List, QPoint(0, listTop)}},
            QSize(layout.Width, listTop + layout.ListHeight),
            layout.Head.Background()};
}

void PaintTablePicture(QPainter& painter, const TTablePicture& picture, const QRect& area) {
    PaintPictureParts(painter, picture.Parts, area);
}

QImage TablePictureImage(const TTablePicture& picture) {
    const QSize size = picture.Size;
    if (size.isEmpty() || static_cast<long long>(size.width()) * size.height() > kLargestPicturePixels ||
        size.width() > kLargestPictureSide || size.height() > kLargestPictureSide)
        return QImage();
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(picture.Background);
    QPainter painter(&image);
    PaintTablePicture(painter, picture, QRect(QPoint(0, 0), size));
    return image;
}

bool EncodeTablePicture(const TTablePicture& picture, std::string& png, std::string& error) {
    return EncodeTablePicture(picture.Parts, picture.Size, picture.Background, png, error);
}

bool SaveTablePicture(const TTablePicture& picture, const std::string& path, std::string& error,
                      const TWriteFaults* faults) {
    // libpng hands over a few bytes at a time (a chunk's length, its type, its
    // data): they reach the file in blocks. The file is opened with the first
    // block, so a picture too large to make leaves no trace.
    constexpr size_t kBlock = 1 << 16;
    TAtomicWriter file(faults);
    bool opened = false;
    int why = 0;
    auto write = [&](std::string_view bytes) {
        if (!opened && !(opened = file.Open(path)))
            why = errno;
        else if (!file.Write(bytes))
            why = errno;
        return why == 0;
    };
    std::string block;
    auto take = [&](std::string_view bytes) {
        if (block.size() + bytes.size() > kBlock) {
            if (!write(block))
                return false;
            block.clear();
        }
        if (bytes.size() >= kBlock)
            return write(bytes);
        block.append(bytes);
        return true;
    };
    bool ok = EncodeTablePicture(picture.Parts, picture.Size, picture.Background, take, error);
    if (ok && !(write(block) && file.Commit())) {
        ok = false;
        if (why == 0)
            why = errno; // the commit failed
    }
    if (!ok && error.empty())
        error = "画像を書き込めません (" + FileErrorText(why) + ")";
    return ok;
}

std::vector<TPageSlice> PictureSlices(const TTablePicture& picture, int pageHeight) {
    // What the tables draw, recorded without painting: a page may end only
    // where no text or picture stands.
    std::vector<TSpan> whole;
    for (const TPicturePart& part : picture.Parts) {
        TRecordingCanvas canvas(QRect(QPoint(0, 0), part.Table->Size()));
        part.Table->Paint(canvas);
        for (const TDrawnText& text : canvas.Texts())
            whole.push_back({part.Offset.y() + text.Rect.top(), part.Offset.y() + text.Rect.bottom() + 1});
        for (const TRecordingCanvas::TShape& shape : canvas.Shapes())
            if (shape.Kind == TRecordingCanvas::TShape::Picture)
                whole.push_back({part.Offset.y() + shape.Rect.top(), part.Offset.y() + shape.Rect.bottom() + 1});
    }
    return SplitIntoPages(picture.Size.height(), std::move(whole), pageHeight);
}
