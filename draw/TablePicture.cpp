#include "draw/TablePicture.h"

#include "core/base/AtomicFile.h"
#include "draw/DisplayList.h"
#include "draw/TableCanvas.h"
#include "draw/TmJuniDrawing.h"
#include "draw/VersusDrawing.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cerrno>
#include <memory>

namespace {

// The line above the tables, as a table of its own.
class TTitleLine : public TTableLayout {
public:
    TTitleLine(const TTableTitle& title, int width, const QColor& background)
        : Line(title), Width(width), Back(background) {}
    QSize Size() const override { return QSize(Width, kTitleHeight); }
    QColor Background() const override { return Back; }
    void Paint(TTableCanvas& canvas) const override {
        canvas.SetFontSize(kTitleSize);
        canvas.SetFontColor(Line.Color);
        canvas.Text(TTableCanvas::Box(kTitleLeft, 4, Width - kTitleLeft, kTitleHeight - 4), Line.Text, TAlign::Left);
    }
    static constexpr int kTitleSize = 11;
    static constexpr int kTitleLeft = 10;

private:
    TTableTitle Line;
    int Width;
    QColor Back;
};

// The picture as it is published: the line, then the tables below it.
struct TTitled {
    explicit TTitled(const TTablePicture& picture) : Size(TitledSize(picture)) {
        if (picture.Title.Text.isEmpty()) {
            Parts = picture.Parts;
            return;
        }
        Line = std::make_unique<TTitleLine>(picture.Title, Size.width(), picture.Background);
        Parts.push_back({Line.get(), QPoint(0, 0)});
        for (const TPicturePart& part : picture.Parts)
            Parts.push_back({part.Table, part.Offset + QPoint(0, kTitleHeight)});
    }
    std::unique_ptr<TTitleLine> Line;
    std::vector<TPicturePart> Parts;
    QSize Size;
};

} // namespace

TTablePicture SingleTablePicture(const TTableLayout& table) {
    return {{{&table, QPoint(0, 0)}}, table.Size(), table.Background(), table.Title()};
}

QSize TitledSize(const TTablePicture& picture) {
    if (picture.Title.Text.isEmpty())
        return picture.Size;
    const int line = TTextMeasure().Width(picture.Title.Text, TTitleLine::kTitleSize) + 2 * TTitleLine::kTitleLeft;
    return QSize(std::max(picture.Size.width(), line), picture.Size.height() + kTitleHeight);
}

TTablePicture TransitionPicture(const TTmJuniPanes& panes) {
    const int tableTop = panes.HeadPaneHeight + 3;
    TTablePicture picture{{}, QSize(), panes.Table->Background(), panes.Title};
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
            layout.Head.Background(),
            layout.Title};
}

void PaintTablePicture(QPainter& painter, const TTablePicture& picture, const QRect& area) {
    PaintPictureParts(painter, picture.Parts, area);
}

QImage TablePictureImage(const TTablePicture& picture, int scale) {
    const TTitled titled(picture);
    const QSize size = titled.Size;
    const long long width = static_cast<long long>(size.width()) * scale,
                    height = static_cast<long long>(size.height()) * scale;
    if (scale < 1 || scale > kLargestPictureScale || size.isEmpty() || width * height > kLargestPicturePixels ||
        width > kLargestPictureSide || height > kLargestPictureSide)
        return QImage();
    QImage image(size * scale, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.setDevicePixelRatio(scale);
    image.fill(picture.Background);
    QPainter painter(&image);
    PaintPictureParts(painter, titled.Parts, QRect(QPoint(0, 0), size));
    return image;
}

bool EncodeTablePicture(const TTablePicture& picture, std::string& png, std::string& error, int scale) {
    const TTitled titled(picture);
    return EncodeTablePicture(titled.Parts, titled.Size, picture.Background, png, error, scale);
}

bool SaveTablePicture(const TTablePicture& picture, const std::string& path, std::string& error,
                      const TWriteFaults* faults, int scale) {
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
    const TTitled titled(picture);
    bool ok = EncodeTablePicture(titled.Parts, titled.Size, picture.Background, take, error, scale);
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

std::vector<TPageSlice> PicturePages(const TTablePicture& picture, int pageHeight) {
    const int line = picture.Title.Text.isEmpty() ? 0 : kTitleHeight;
    return PictureSlices(picture, std::max(1, pageHeight - line));
}

void PaintPicturePage(QPainter& painter, const TTablePicture& picture, const TPageSlice& slice) {
    const TTitled titled(picture);
    const int line = picture.Title.Text.isEmpty() ? 0 : kTitleHeight;
    const QRect page(0, 0, titled.Size.width(), line + slice.Bottom - slice.Top);
    painter.save();
    painter.setClipRect(page);
    painter.fillRect(page, picture.Background);
    if (titled.Line)
        PaintPictureParts(painter, {{titled.Line.get(), QPoint(0, 0)}}, QRect(0, 0, page.width(), line));
    // The slice of the tables below the line.
    painter.translate(0, line - slice.Top);
    const QRect area(0, slice.Top, page.width(), slice.Bottom - slice.Top);
    PaintPictureParts(painter, picture.Parts, area);
    // A page starting inside a table: what its first line needs from above.
    for (const TPicturePart& part : picture.Parts) {
        const int top = slice.Top - part.Offset.y();
        if (top <= 0 || top >= part.Table->Size().height())
            continue;
        painter.save();
        painter.translate(part.Offset);
        const QRect inside = area.translated(-part.Offset).intersected(QRect(QPoint(0, 0), part.Table->Size()));
        painter.setClipRect(inside);
        TPainterCanvas canvas(painter, inside);
        part.Table->PaintPageHead(canvas, top);
        painter.restore();
    }
    painter.restore();
}
