#include "draw/TableRender.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <png.h>
#include <zlib.h>

namespace {

constexpr long long kBandBytes = 2 << 20;

// libpng reports a failure by a long jump back into the step that called it.
// Every step below is a function of its own that holds nothing with a
// destructor, so the jump skips no clean-up; what outlives a step lives here.
struct TPngStream {
    explicit TPngStream(const TPngSink& sink) : Sink(sink) {
        Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, this, OnError, OnWarning);
        if (Png)
            Info = png_create_info_struct(Png);
    }
    ~TPngStream() { png_destroy_write_struct(&Png, &Info); }
    TPngStream(const TPngStream&) = delete;
    TPngStream& operator=(const TPngStream&) = delete;

    static void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
    static void OnWarning(png_structp, png_const_charp) {}
    static void OnFlush(png_structp) {}

    static void OnWrite(png_structp png, png_bytep data, size_t size) {
        auto* stream = static_cast<TPngStream*>(png_get_io_ptr(png));
        stream->Refused = !stream->Take(reinterpret_cast<const char*>(data), size);
        if (stream->Refused || stream->OutOfMemory)
            png_error(png, "not written");
    }

    bool Take(const char* data, size_t size) {
        try {
            return Sink(std::string_view(data, size));
        } catch (...) {
            OutOfMemory = true; // a sink in memory that cannot grow; nothing may unwind through libpng
            return true;
        }
    }

    const TPngSink& Sink;
    png_structp Png = nullptr;
    png_infop Info = nullptr;
    bool Refused = false;
    bool OutOfMemory = false;
};

// 8-bit RGB, no interlace, from rows as QImage::Format_RGB32 keeps them:
// one 32-bit word a pixel, its unused top byte dropped. Rows are stored
// unfiltered and compressed for speed.
bool StartPng(TPngStream& s, int width, int height, int scale) {
    if (setjmp(png_jmpbuf(s.Png)))
        return false;
    png_set_write_fn(s.Png, &s, TPngStream::OnWrite, TPngStream::OnFlush);
    png_set_IHDR(s.Png, s.Info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(s.Png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(s.Png, 1);
    png_set_compression_strategy(s.Png, Z_RLE); // looks back one byte: fast, and enough for tables
    png_set_compression_buffer_size(s.Png, 1 << 16);
    if (scale > 1) {
        // 96 dpi a table pixel, so the sharper picture prints at the same size.
        const auto perMetre = static_cast<png_uint_32>(std::lround(96 * scale / 0.0254));
        png_set_pHYs(s.Png, s.Info, perMetre, perMetre, PNG_RESOLUTION_METER);
    }
    png_write_info(s.Png, s.Info);
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    png_set_bgr(s.Png); // B, G, R, unused in memory
    png_set_filler(s.Png, 0, PNG_FILLER_AFTER);
#else
    png_set_filler(s.Png, 0, PNG_FILLER_BEFORE); // unused, R, G, B
#endif
    return true;
}

bool WriteRows(TPngStream& s, const QImage& band, int rows) {
    if (setjmp(png_jmpbuf(s.Png)))
        return false;
    for (int y = 0; y < rows; ++y)
        png_write_row(s.Png, band.constScanLine(y));
    return true;
}

bool EndPng(TPngStream& s) {
    if (setjmp(png_jmpbuf(s.Png)))
        return false;
    png_write_end(s.Png, nullptr);
    return true;
}

// Paints the picture a band at a time into one buffer of a few megabytes and
// writes each band's rows before painting the next. `size` is in table
// pixels; the picture has `scale` pixels to each of them.
bool PaintAndWrite(TPngStream& s, const std::vector<TPicturePart>& parts, QSize size, const QColor& background,
                   int scale) {
    const long long rowBytes = 4LL * size.width() * scale * scale; // a table row's pixels
    const int bandHeight = static_cast<int>(std::clamp<long long>(kBandBytes / rowBytes, 1, size.height()));
    QImage band(size.width() * scale, bandHeight * scale, QImage::Format_RGB32);
    if (band.isNull()) {
        s.OutOfMemory = true; // QImage gives a null image when it gets no memory
        return false;
    }
    band.setDevicePixelRatio(scale);
    if (!StartPng(s, size.width() * scale, size.height() * scale, scale))
        return false;
    for (int top = 0; top < size.height(); top += bandHeight) {
        band.fill(background);
        {
            QPainter painter(&band);
            painter.translate(0, -top);
            PaintPictureParts(painter, parts, QRect(0, top, size.width(), bandHeight));
        }
        if (!WriteRows(s, band, std::min(bandHeight, size.height() - top) * scale))
            return false;
    }
    return EndPng(s);
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

bool EncodeTablePicture(const std::vector<TPicturePart>& parts, QSize size, const QColor& background,
                        const TPngSink& sink, std::string& error, int scale) {
    if (scale < 1 || scale > kLargestPictureScale) {
        error = "倍率は 1 から " + std::to_string(kLargestPictureScale) + " までです";
        return false;
    }
    const long long width = std::max(size.width(), 1) * static_cast<long long>(scale),
                    height = std::max(size.height(), 1) * static_cast<long long>(scale);
    if (width > kLargestPictureSide || height > kLargestPictureSide || width * height > kLargestPicturePixels) {
        error = "画像が大きすぎます (" + std::to_string(width) + " × " + std::to_string(height) +
                " ピクセル。縦横とも " + std::to_string(kLargestPictureSide) + " ピクセル、全体で " +
                std::to_string(kLargestPicturePixels) + " ピクセルまでです)";
        return false;
    }
    error.clear();
    bool ok = false, refused = false;
    try {
        TPngStream stream(sink);
        ok = stream.Png && stream.Info &&
             PaintAndWrite(stream, parts, QSize(static_cast<int>(width / scale), static_cast<int>(height / scale)),
                           background, scale);
        refused = stream.Refused;
    } catch (const std::exception&) {
        ok = false; // painting ran out of memory
    }
    if (!ok && !refused)
        error = "画像を作れません (メモリが足りません)";
    return ok;
}

bool EncodeTablePicture(const std::vector<TPicturePart>& parts, QSize size, const QColor& background, std::string& png,
                        std::string& error, int scale) {
    png.clear();
    const bool ok = EncodeTablePicture(
        parts, size, background,
        [&png](std::string_view bytes) {
            png.append(bytes);
            return true;
        },
        error, scale);
    if (!ok)
        png.clear();
    return ok;
}
