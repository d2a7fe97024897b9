#include "draw/TableRender.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <array>
#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <optional>
#include <string_view>
#include <thread>
#include <zlib.h>

namespace {

constexpr long long kBandBytes = 2 << 20;

// Paints the picture band by band on a thread of its own, a few bands ahead
// of the compressors, each band into one of a ring of buffers. A buffer is
// painted over once the band it held has been compressed. Only this thread
// paints while the picture is made.
class TBandPainter {
public:
    TBandPainter(const std::vector<TPicturePart>& parts, QSize size, const QColor& background, int buffers)
        : Parts(parts), Size(size), Background(background),
          BandHeight(static_cast<int>(std::clamp<long long>(kBandBytes / (4LL * size.width()), 1, size.height()))),
          BandCount((size.height() + BandHeight - 1) / BandHeight), Done(static_cast<size_t>(BandCount), false) {
        for (int i = 0; i < buffers; ++i) {
            Buffers.emplace_back(size.width(), BandHeight, QImage::Format_RGB32);
            if (Buffers.back().isNull())
                throw std::bad_alloc(); // QImage gives a null image when it gets no memory
        }
        Worker = std::thread([this] { PaintAll(); });
    }

    ~TBandPainter() {
        StopPainting();
        Worker.join();
    }

    int Bands() const { return BandCount; }
    int Top(int band) const { return band * BandHeight; }
    int Rows(int band) const { return std::min(BandHeight, Size.height() - Top(band)); }

    // The band once painted; null when painting stopped first.
    const QImage* Wait(int band) {
        std::unique_lock lock(Mutex);
        Changed.wait(lock, [&] { return Stop || Painted > band; });
        return Painted > band ? &Buffers[Buffer(band)] : nullptr;
    }

    // The band's buffer may be painted over.
    void Release(int band) {
        {
            std::lock_guard lock(Mutex);
            Done[static_cast<size_t>(band)] = true;
        }
        Changed.notify_all();
    }

private:
    void StopPainting() {
        {
            std::lock_guard lock(Mutex);
            Stop = true;
        }
        Changed.notify_all();
    }

    size_t Buffer(int band) const { return static_cast<size_t>(band) % Buffers.size(); }

    void PaintAll() {
        const int ring = static_cast<int>(Buffers.size());
        for (int band = 0; band < BandCount; ++band) {
            {
                std::unique_lock lock(Mutex);
                Changed.wait(lock, [&] { return Stop || band < ring || Done[static_cast<size_t>(band - ring)]; });
                if (Stop)
                    return;
            }
            try {
                QImage& image = Buffers[Buffer(band)];
                image.fill(Background);
                QPainter painter(&image);
                painter.translate(0, -Top(band));
                PaintPictureParts(painter, Parts, QRect(0, Top(band), Size.width(), BandHeight));
            } catch (...) {
                StopPainting(); // out of memory: the bands not painted yet never come
                return;
            }
            {
                std::lock_guard lock(Mutex);
                Painted = band + 1;
            }
            Changed.notify_all();
        }
    }

    const std::vector<TPicturePart>& Parts;
    QSize Size;
    QColor Background;
    int BandHeight;
    int BandCount;
    std::vector<QImage> Buffers;
    std::mutex Mutex;
    std::condition_variable Changed;
    std::vector<bool> Done; // per band: compressed, its buffer free
    int Painted = 0;        // bands painted so far, in order
    bool Stop = false;
    std::thread Worker; // started once everything above is ready
};

// One band's rows compressed on their own: a run of deflate blocks ending on
// a byte boundary (the last band's ends the stream), with the Adler-32 of the
// rows to combine into the stream's.
struct TSegment {
    std::string Bytes;
    uLong Adler = 1;
    uLong Length = 0;
};

// Rows as PNG stores them without a filter: a 0 filter byte, then R, G, B.
// Z_RLE only looks back one byte, so splitting the stream costs no
// compression, and the bands compress on as many threads as the machine has.
std::optional<TSegment> CompressBand(const QImage& band, int rows, bool last) {
    const size_t width = static_cast<size_t>(band.width());
    std::vector<unsigned char> row(1 + 3 * width);
    TSegment segment;
    z_stream z{};
    if (deflateInit2(&z, 1, Z_DEFLATED, -15, 8, Z_RLE) != Z_OK)
        return std::nullopt;
    // Room for a row's worst case at every step; usually far more than needed.
    const size_t reserve = deflateBound(&z, static_cast<uLong>(row.size())) + 16;
    bool ok = true;
    for (int y = 0; y < rows && ok; ++y) {
        const QRgb* pixel = reinterpret_cast<const QRgb*>(band.constScanLine(y));
        unsigned char* at = row.data();
        *at++ = 0;
        for (size_t x = 0; x < width; ++x) {
            *at++ = static_cast<unsigned char>(qRed(pixel[x]));
            *at++ = static_cast<unsigned char>(qGreen(pixel[x]));
            *at++ = static_cast<unsigned char>(qBlue(pixel[x]));
        }
        segment.Adler = adler32(segment.Adler, row.data(), static_cast<uInt>(row.size()));
        segment.Length += static_cast<uLong>(row.size());
        const int flush = y + 1 < rows ? Z_NO_FLUSH : last ? Z_FINISH : Z_SYNC_FLUSH;
        z.next_in = row.data();
        z.avail_in = static_cast<uInt>(row.size());
        int result = Z_OK;
        do {
            // The output grows as it fills, never by less than a row's worst case.
            const size_t used = segment.Bytes.size();
            segment.Bytes.resize(used + reserve);
            z.next_out = reinterpret_cast<Bytef*>(segment.Bytes.data() + used);
            z.avail_out = static_cast<uInt>(reserve);
            result = deflate(&z, flush);
            segment.Bytes.resize(segment.Bytes.size() - z.avail_out);
        } while (result == Z_OK && z.avail_out == 0);
        ok = z.avail_in == 0 && (flush == Z_FINISH ? result == Z_STREAM_END : result == Z_OK);
    }
    deflateEnd(&z);
    if (!ok)
        return std::nullopt;
    return segment;
}

void Put32(std::string& out, uint32_t value) {
    const char bytes[4] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    out.append(bytes, 4);
}

// A chunk: its length, type and data, and the CRC of type and data.
void PutChunk(std::string& out, const char* type, std::string_view data) {
    Put32(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.append(type, 4);
    out.append(data);
    Put32(out, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(out.data() + start),
                                           static_cast<uInt>(out.size() - start))));
}

// The PNG (8-bit RGB, no interlace) of the painted bands. libpng would
// compress on one thread; the bands' segments compress side by side and join
// into one zlib stream, each in an IDAT chunk of its own.
bool Encode(TBandPainter& bands, int width, int height, int threads, std::string& png) {
    png.assign("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    Put32(header, static_cast<uint32_t>(width));
    Put32(header, static_cast<uint32_t>(height));
    header.append("\x08\x02\x00\x00\x00", 5); // depth 8, RGB, deflate, standard filters, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", std::string_view("\x78\x01", 2)); // zlib: deflate, 32K window, fastest
    std::deque<std::future<std::optional<TSegment>>> running;
    uLong adler = 1;
    bool ok = true;
    auto collect = [&] {
        std::optional<TSegment> segment = running.front().get();
        running.pop_front();
        if (!segment) {
            ok = false;
            return;
        }
        adler = adler32_combine(adler, segment->Adler, static_cast<z_off_t>(segment->Length));
        PutChunk(png, "IDAT", segment->Bytes);
    };
    for (int band = 0; band < bands.Bands() && ok; ++band) {
        if (static_cast<int>(running.size()) >= threads)
            collect();
        const bool last = band + 1 == bands.Bands();
        running.push_back(std::async(std::launch::async, [&bands, band, last]() -> std::optional<TSegment> {
            std::optional<TSegment> segment;
            try {
                if (const QImage* image = bands.Wait(band))
                    segment = CompressBand(*image, bands.Rows(band), last);
            } catch (...) {
                segment.reset();
            }
            bands.Release(band); // always: the painter waits for the buffer
            return segment;
        }));
    }
    while (!running.empty() && ok)
        collect();
    if (!ok)
        return false;
    std::string sum;
    Put32(sum, static_cast<uint32_t>(adler));
    PutChunk(png, "IDAT", sum);
    PutChunk(png, "IEND", {});
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
    // Two bands in hand per core (one compressing, one waiting for its paint),
    // and a buffer for each plus the one being painted.
    const int threads = static_cast<int>(std::clamp(2 * std::thread::hardware_concurrency(), 2u, 16u));
    bool ok = false;
    try {
        TBandPainter bands(parts, QSize(static_cast<int>(width), static_cast<int>(height)), background, threads + 1);
        ok = Encode(bands, static_cast<int>(width), static_cast<int>(height), threads, png);
    } catch (const std::exception&) {
        ok = false; // out of memory, or no thread to run on
    }
    if (!ok) {
        png.clear();
        error = "画像を作れません (メモリが足りません)";
    }
    return ok;
}
