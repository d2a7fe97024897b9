// Tables on surfaces of more device pixels than table pixels (screens at
// 125%, 150%, 200%, pictures made at twice the size): the pixels are read
// back. One-pixel lines stay one device pixel on the first device pixel of
// their table pixel, fills meet without seams or blends, a fitted text's ink
// stays inside its cell's paper at every ratio, and the sample season's
// standings at twice the size keep their colors where they were.

#include "core/io/AppSettings.h"
#include "core/io/IniFile.h"
#include "core/io/SeasonFile.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "draw/JuniDrawing.h"
#include "draw/NitteiDrawing.h"
#include "draw/TablePicture.h"
#include "draw/TaisenDrawing.h"
#include "draw/TmJuniDrawing.h"
#include "tests/support/ShownSeason.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace {

// A table that paints what the test says.
class TSketch : public TTableLayout {
public:
    TSketch(QSize size, std::function<void(TTableCanvas&)> paint) : Extent(size), Draw(std::move(paint)) {}
    QSize Size() const override { return Extent; }
    QColor Background() const override { return Qt::white; }
    void Paint(TTableCanvas& canvas) const override { Draw(canvas); }

private:
    QSize Extent;
    std::function<void(TTableCanvas&)> Draw;
};

// The table painted whole on an image of `ratio` device pixels to a table pixel.
QImage PaintAt(const TTableLayout& table, qreal ratio) {
    QImage image(static_cast<int>(std::ceil(table.Size().width() * ratio)),
                 static_cast<int>(std::ceil(table.Size().height() * ratio)), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(table.Background());
    QPainter painter(&image);
    TPainterCanvas canvas(painter, QRect(QPoint(0, 0), table.Size()));
    table.Paint(canvas);
    return image;
}

// The device pixel an edge of table pixels falls on.
int Edge(int v, qreal ratio) {
    return static_cast<int>(std::floor(v * ratio + 0.5));
}

// The columns of device row `y` (or the rows of column `x`) painted `color`.
std::set<int> ColumnsOf(const QImage& image, int y, QRgb color) {
    std::set<int> found;
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) == color)
            found.insert(x);
    return found;
}
std::set<int> RowsOf(const QImage& image, int x, QRgb color) {
    std::set<int> found;
    for (int y = 0; y < image.height(); ++y)
        if (image.pixel(x, y) == color)
            found.insert(y);
    return found;
}

const qreal kRatios[] = {1, 1.25, 1.5, 2, 3};

TEST(DeviceRatio, OnePixelLinesAreOneDevicePixelOnTheirTablePixel) {
    const QRgb black = qRgb(0, 0, 0), blue = qRgb(0, 0, 255);
    const TSketch table(QSize(40, 40), [](TTableCanvas& c) {
        c.Frame(TTableCanvas::Box(5, 5, 25, 20), Qt::black);
        c.Frame(TTableCanvas::Box(24, 5, 35, 20), Qt::black); // sharing the first one's right line
        c.Line(3, 30, 33, 30, 1, Qt::blue);
        c.Line(37, 2, 37, 38, 1, Qt::blue);
    });
    for (const qreal r : kRatios) {
        SCOPED_TRACE("ratio " + std::to_string(r));
        const QImage image = PaintAt(table, r);
        // Across the frames, halfway down: their three side lines, nothing else.
        EXPECT_EQ(ColumnsOf(image, Edge(12, r), black), (std::set<int>{Edge(5, r), Edge(24, r), Edge(34, r)}));
        // Down the first frame: its top and bottom lines.
        EXPECT_EQ(RowsOf(image, Edge(15, r), black), (std::set<int>{Edge(5, r), Edge(19, r)}));
        // The corners are closed.
        EXPECT_EQ(image.pixel(Edge(5, r), Edge(19, r)), black);
        EXPECT_EQ(image.pixel(Edge(34, r), Edge(5, r)), black);
        // A line one pixel wide: one device row, from end to end, unblended.
        EXPECT_EQ(RowsOf(image, Edge(20, r), blue), (std::set<int>{Edge(30, r)}));
        EXPECT_EQ(image.pixel(Edge(20, r), Edge(30, r) + 1), qRgb(255, 255, 255));
        EXPECT_EQ(image.pixel(Edge(3, r), Edge(30, r)), blue);
        EXPECT_EQ(image.pixel(Edge(34, r) - 1, Edge(30, r)), blue);
        EXPECT_EQ(ColumnsOf(image, Edge(20, r), blue), (std::set<int>{Edge(37, r)}));
    }
}

TEST(DeviceRatio, FillsMeetWithoutSeamsOrBlends) {
    // Cells of widths 1 to 9 side by side in two colors, over a third one.
    std::vector<int> edges{0};
    for (int w = 1; edges.back() + w <= 60; w = w % 9 + 1)
        edges.push_back(edges.back() + w);
    const QColor colors[] = {QColor(200, 30, 30), QColor(30, 30, 200)};
    const TSketch table(QSize(edges.back(), 10), [&](TTableCanvas& c) {
        c.Fill(TTableCanvas::Box(0, 0, edges.back(), 10), Qt::green);
        for (size_t i = 0; i + 1 < edges.size(); ++i)
            c.Fill(TTableCanvas::Box(edges[i], 0, edges[i + 1], 10), colors[i % 2]);
    });
    for (const qreal r : kRatios) {
        SCOPED_TRACE("ratio " + std::to_string(r));
        const QImage image = PaintAt(table, r);
        for (const int y : {0, Edge(5, r), Edge(10, r) - 1})
            for (size_t i = 0; i + 1 < edges.size(); ++i)
                for (int x = Edge(edges[i], r); x < Edge(edges[i + 1], r); ++x)
                    ASSERT_EQ(image.pixel(x, y), colors[i % 2].rgb()) << "x " << x << " y " << y;
    }
}

// A text in a framed cell too narrow for it, at each ratio: it is drawn
// smaller, and its ink keeps two table pixels of paper inside the lines.
TEST(DeviceRatio, AFittedTextKeepsItsPaperAtEveryRatio) {
    struct TCase {
        QString Text;
        int Width;
    };
    const TCase cases[] = {
        {QStringLiteral("横浜ベイスターズ"), 40}, {QStringLiteral("ヤクルト"), 30},
        {QStringLiteral("1234567"), 21},          {QStringLiteral("WMWMW"), 25},
        {QStringLiteral("阪　神"), 26},           {QStringLiteral(".500"), 17},
        {QStringLiteral("(13.5)"), 19},           {QStringLiteral("ｼﾞｬｲｱﾝﾂ"), 23},
    };
    const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0);
    for (const qreal r : {1.0, 1.25, 1.5, 2.0}) {
        for (const TCase& t : cases) {
            for (const TAlign align : {TAlign::Left, TAlign::Center, TAlign::Right}) {
                SCOPED_TRACE(t.Text.toStdString() + " at ratio " + std::to_string(r) + " aligned " +
                             std::to_string(static_cast<int>(align)));
                const QRect cell = TTableCanvas::Box(7, 6, 7 + t.Width, 6 + 20);
                int drawnAt = 0;
                const TSketch table(QSize(7 + t.Width + 8, 34), [&](TTableCanvas& c) {
                    c.Frame(cell, Qt::black);
                    c.SetFontSize(9);
                    c.SetFontColor(Qt::red);
                    c.Text(cell, t.Text, align);
                    drawnAt = c.FontSize();
                });
                const QImage image = PaintAt(table, r);
                // The paper: from two table pixels inside the lines.
                const QRect paper(QPoint(Edge(cell.left() + 1 + TTableCanvas::kPaper, r),
                                         Edge(cell.top() + 1 + TTableCanvas::kPaper, r)),
                                  QPoint(Edge(cell.right() - TTableCanvas::kPaper, r) - 1,
                                         Edge(cell.bottom() - TTableCanvas::kPaper, r) - 1));
                int ink = 0;
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x) {
                        const QRgb p = image.pixel(x, y);
                        if (p == white || p == black)
                            continue;
                        ++ink;
                        ASSERT_TRUE(paper.contains(x, y))
                            << "ink at " << x << "," << y << " outside " << paper.left() << "," << paper.top() << " - "
                            << paper.right() << "," << paper.bottom();
                    }
                EXPECT_GT(ink, 10);
                EXPECT_EQ(drawnAt, 9); // the canvas keeps its size; the text alone is drawn smaller
            }
        }
    }
}

// The cells of `table` painted at `ratio` whose two table pixels of paper
// inside a line are not plain: a text's ink reached them, or was cut there.
std::vector<std::string> InkOnThePaper(const std::string& view, const TTableLayout& table, qreal ratio) {
    const QImage image = PaintAt(table, ratio);
    const std::unique_ptr<TRecordingCanvas> record = RecordTable(table);
    auto e = [ratio](int v) { return Edge(v, ratio); };
    std::vector<std::string> faults;
    std::vector<QRect> seen;
    for (const TDrawnText& text : record->Texts()) {
        // The smallest frame of a line's height around the text is its cell.
        const QRect* cell = nullptr;
        for (const TRecordingCanvas::TShape& s : record->Shapes())
            if (s.Kind == TRecordingCanvas::TShape::Frame && s.Rect.height() >= 18 &&
                s.Rect.contains(text.Rect.center()) &&
                (!cell || s.Rect.width() * s.Rect.height() < cell->width() * cell->height()))
                cell = &s.Rect;
        if (!cell || text.Text.trimmed().isEmpty() || std::find(seen.begin(), seen.end(), *cell) != seen.end())
            continue;
        seen.push_back(*cell);
        const int l = cell->left(), r = cell->right(), t = cell->top(), b = cell->bottom();
        const QRect strips[] = {
            QRect(QPoint(e(l + 1), e(t + 1)), QPoint(e(l + 3) - 1, e(b) - 1)),
            QRect(QPoint(e(r - 2), e(t + 1)), QPoint(e(r) - 1, e(b) - 1)),
            QRect(QPoint(e(l + 1), e(t + 1)), QPoint(e(r) - 1, e(t + 3) - 1)),
            QRect(QPoint(e(l + 1), e(b - 2)), QPoint(e(r) - 1, e(b) - 1)),
        };
        const char* sides[] = {"left", "right", "top", "bottom"};
        for (int i = 0; i < 4; ++i) {
            const QRect strip = strips[i].intersected(image.rect());
            bool plain = true;
            for (int y = strip.top(); y <= strip.bottom() && plain; ++y)
                for (int x = strip.left(); x <= strip.right() && plain; ++x)
                    plain = image.pixel(x, y) == image.pixel(strip.topLeft());
            if (!plain)
                faults.push_back(view + ": " + sides[i] + " line of " +
                                 record->TextListIn(*cell).join(' ').toStdString() + " at " + std::to_string(l) + "," +
                                 std::to_string(t));
        }
    }
    return faults;
}

TEST(DeviceRatio, NoViewOfTheSampleSeasonPutsInkOnItsPaperAtAnyRatio) {
    const std::unique_ptr<TShownSeason> sample = LoadSampleSeason();
    ASSERT_TRUE(sample);
    const TViewContext view = sample->View();
    const TPennant& pennant = *sample->Pennant;
    for (const qreal ratio : {1.0, 1.5, 2.0}) {
        SCOPED_TRACE("ratio " + std::to_string(ratio));
        std::vector<std::string> faults;
        auto add = [&](const std::string& name, const TTableLayout& table) {
            for (std::string& f : InkOnThePaper(name, table, ratio))
                faults.push_back(std::move(f));
        };
        for (int d = 0; d < pennant.TotalDistrictCount(); ++d) {
            for (int mode = 0; mode < 3; ++mode)
                add("standings " + std::to_string(d) + "/" + std::to_string(mode), TJuniTable(view, d, mode));
            const std::vector<int> pages = TaisenPages(pennant, d);
            add("head-to-head " + std::to_string(d), LayoutTaisen(view, d, pages, 0, 0).Table);
        }
        add("schedule 0", LayoutNittei(view, 0));
        for (int t = 0; t < 3; ++t) {
            const TTmJuniPanes panes = LayOutTmJuni(view, t);
            add("transition " + std::to_string(t), *panes.Table);
            if (panes.Head)
                add("transition head " + std::to_string(t), *panes.Head);
        }
        EXPECT_TRUE(faults.empty()) << faults.size() << " cells, the first: " << (faults.empty() ? "" : faults.front());
    }
}

// The sample season's standings made at twice the size: where the table at
// its size has flat paper around a pixel, the four pixels of it at twice the
// size have that color; every frame's line is where it was.
TEST(DeviceRatio, TwiceTheSizeKeepsTheColorsWhereTheyWere) {
    std::unique_ptr<TPennant> pennant;
    std::unique_ptr<TFight> fight;
    ASSERT_TRUE(LoadSeason(std::string(TABLORA_BINARY_DIR) + "/bin/data/sample.qvk", pennant, fight));
    const TAppSettings settings = ReadSettings(TIniFile::Parse(""), TWorkArea{0, 0, 1280, 800});
    QTemporaryDir program;
    const TViewContext view{pennant.get(), fight.get(), &settings, program.path(), QPalette()};
    for (int mode = 0; mode < 3; ++mode) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        const TJuniTable table(view, 0, mode);
        TTablePicture picture = SingleTablePicture(table);
        const QImage one = TablePictureImage(picture);
        const QImage two = TablePictureImage(picture, 2);
        ASSERT_FALSE(one.isNull());
        ASSERT_EQ(two.size(), one.size() * 2);
        EXPECT_EQ(two.devicePixelRatio(), 2);
        long long flat = 0, differ = 0;
        constexpr int kAround = 2;
        for (int y = kAround; y < one.height() - kAround; ++y)
            for (int x = kAround; x < one.width() - kAround; ++x) {
                const QRgb c = one.pixel(x, y);
                bool plain = true;
                for (int dy = -kAround; dy <= kAround && plain; ++dy)
                    for (int dx = -kAround; dx <= kAround && plain; ++dx)
                        plain = one.pixel(x + dx, y + dy) == c;
                if (!plain)
                    continue;
                ++flat;
                for (const QPoint d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
                    differ += two.pixel(2 * x + d.x(), 2 * y + d.y()) != c;
            }
        EXPECT_GT(flat, one.width() * one.height() / 2);
        EXPECT_EQ(differ, 0);
        // Each frame's left line halfway down it, where nothing painted later covers it.
        const auto record = RecordTable(table);
        int frames = 0;
        for (const TRecordingCanvas::TShape& s : record->Shapes())
            if (s.Kind == TRecordingCanvas::TShape::Frame) {
                const int x = s.Rect.left(), y = s.Rect.center().y();
                if (one.pixel(x, y) != s.Color.rgb())
                    continue;
                ++frames;
                EXPECT_EQ(two.pixel(2 * x, 2 * y), s.Color.rgb()) << x << "," << y;
            }
        EXPECT_GT(frames, 20);
    }
}

} // namespace
