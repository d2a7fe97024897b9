#include "TableRender.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <array>
#include <condition_variable>
#include <csetjmp>
#include <mutex>
#include <png.h>
#include <thread>
#include <zlib.h>

namespace {

constexpr long long kBandBytes = 2 << 20;

// Paints the picture band by band on a thread of its own, one band ahead of
// the encoder: painting and compressing each take about half of the time.
// Only this thread paints while the picture is made.
class TBandPainter {
public:
    TBandPainter(const std::vector<TPicturePart>& parts, QSize size, const QColor& background)
        : Parts(parts), Size(size), Background(background),
          BandHeight(static_cast<int>(std::clamp<long long>(kBandBytes / (4LL * size.width()), 1, size.height()))),
          Bands{QImage(size.width(), BandHeight, QImage::Format_RGB32),
                QImage(size.width(), BandHeight, QImage::Format_RGB32)},
          Worker([this] { PaintAll(); }) {}

    ~TBandPainter() {
        {
            std::lock_guard lock(Mutex);
            Stop = true;
        }
        Changed.notify_all();
        Worker.join();
    }

    // Row y of the picture; rows are asked for top to bottom.
    const uchar* Row(int y) {
        const int band = y / BandHeight;
        if (band != Reading) {
            std::unique_lock lock(Mutex);
            Reading = band; // the band before is free to paint over
            Changed.notify_all();
            Changed.wait(lock, [&] { return Painted > band; });
        }
        return Bands[static_cast<size_t>(band % 2)].constScanLine(y - band * BandHeight);
    }

private:
    void PaintAll() {
        const int bands = (Size.height() + BandHeight - 1) / BandHeight;
        for (int band = 0; band < bands; ++band) {
            {
                // The buffer is the one of band - 2, free once the encoder reads band - 1.
                std::unique_lock lock(Mutex);
                Changed.wait(lock, [&] { return Stop || Reading >= band - 1; });
                if (Stop)
                    return;
            }
            PaintBand(Bands[static_cast<size_t>(band % 2)], band * BandHeight);
            {
                std::lock_guard lock(Mutex);
                Painted = band + 1;
            }
            Changed.notify_all();
        }
    }

    void PaintBand(QImage& image, int top) const {
        image.fill(Background);
        QPainter painter(&image);
        painter.translate(0, -top);
        PaintPictureParts(painter, Parts, QRect(0, top, Size.width(), BandHeight));
    }

    const std::vector<TPicturePart>& Parts;
    QSize Size;
    QColor Background;
    int BandHeight;
    std::array<QImage, 2> Bands;
    std::mutex Mutex;
    std::condition_variable Changed;
    int Reading = -1; // the band the encoder reads
    int Painted = 0;  // bands painted so far
    bool Stop = false;
    std::thread Worker; // last: it starts once everything above is ready
};

struct TOutput {
    std::string* Bytes;
    bool Failed = false;
};

void Append(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<TOutput*>(png_get_io_ptr(png));
    try {
        out->Bytes->append(reinterpret_cast<const char*>(data), length);
    } catch (...) {
        out->Failed = true;
    }
    if (out->Failed)
        png_error(png, "out of memory");
}

void NoFlush(png_structp) {}

void Quiet(png_structp, png_const_charp) {}

[[noreturn]] void Fail(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

// Every libpng call is here. On a libpng error control returns through the
// setjmp below, so this function holds nothing that needs destroying.
bool Encode(png_structp png, png_infop info, TBandPainter& bands, int width, int height) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Tables repeat row after row: the "up" filter and the fastest deflate
    // level make small files quickly.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, 1);
    png_set_compression_strategy(png, Z_RLE);
    png_write_info(png, info);
    // The bands are 0xffRRGGBB words: bytes B, G, R and a filler to drop.
    png_set_bgr(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int y = 0; y < height; ++y)
        png_write_row(png, bands.Row(y));
    png_write_end(png, info);
    return true;
}

} // namespace

void PaintPictureParts(QPainter& painter, const std::vector<TPicturePart>& parts, const QRect& area) {
    for (const TPicturePart& part : parts) {
        // The area in the part's own coordinates.
        const QRect inside = area.translated(-part.Offset).intersected(QRect(QPoint(0, 0), part.Table->Size()));
        if (inside.isEmpty())
            continue;
        painter.save();
        painter.translate(part.Offset);
        painter.setClipRect(inside);
        painter.fillRect(inside, part.Table->Background());
        TPainterCanvas canvas(painter, inside);
        part.Table->Paint(canvas);
        painter.restore();
    }
}

bool EncodeTablePicture(const std::vector<TPicturePart>& parts, QSize size, const QColor& background, std::string& png,
                        std::string& error) {
    const long long width = std::max(size.width(), 1), height = std::max(size.height(), 1);
    if (width > kLargestPictureSide || height > kLargestPictureSide || width * height > kLargestPicturePixels) {
        error = "画像が大きすぎます (" + std::to_string(width) + " × " + std::to_string(height) +
                " ピクセル。縦横とも " + std::to_string(kLargestPictureSide) + " ピクセル、全体で " +
                std::to_string(kLargestPicturePixels) + " ピクセルまでです)";
        return false;
    }
    png.clear();
    TBandPainter bands(parts, QSize(static_cast<int>(width), static_cast<int>(height)), background);
    png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, Quiet);
    png_infop info = writer ? png_create_info_struct(writer) : nullptr;
    TOutput output{&png};
    bool ok = false;
    if (info) {
        png_set_write_fn(writer, &output, Append, NoFlush);
        ok = Encode(writer, info, bands, static_cast<int>(width), static_cast<int>(height));
    }
    png_destroy_write_struct(&writer, &info);
    if (!ok) {
        png.clear();
        error = "画像を作れません (メモリが足りません)";
    }
    return ok;
}
