// Pictures of whole tables: the PNG written band by band has the pixels of
// the picture painted in one go, and a save that fails leaves the older file.

#include "draw/TablePicture.h"
#include "core/base/AtomicFile.h"
#include "tests/support/TempFolder.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> FilesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Rows of texts at many sizes, fills, frames and slanted lines, 600 pixels
// wide: a render paints it in bands of under a thousand rows, so texts and
// lines cross the seams between bands.
class TBusyTable : public TTableLayout {
public:
    explicit TBusyTable(int height, int salt = 0) : Height(height), Salt(salt) {}
    QSize Size() const override { return QSize(600, Height); }
    QColor Background() const override { return QColor(250, 250, 240); }
    void Paint(TTableCanvas& canvas) const override {
        const auto [first, last] = canvas.VisibleRows(0, 23, 23, Height / 23);
        for (int row = first; row < last; ++row) {
            const int top = row * 23;
            if (row % 3 == 0)
                canvas.Fill(TTableCanvas::Box(0, top, 600, top + 23), QColor(200, 230, 255));
            canvas.Frame(TTableCanvas::Box(0, top, 600, top + 23), Qt::gray);
            canvas.SetFontSize(6 + row % 15);
            canvas.SetFontColor(QColor(row % 256, 40, 90));
            const QString n = QString::number(row + Salt);
            canvas.Text(TTableCanvas::Box(4, top, 120, top + 23), QStringLiteral("読売ジャイアンツ") + n, TAlign::Left);
            canvas.Text(TTableCanvas::Box(120, top, 160, top + 23), QStringLiteral("横浜DeNAベイスターズ"),
                        TAlign::Center);
            canvas.Text(TTableCanvas::Box(160, top, 300, top + 23), QStringLiteral("○●△ ") + n, TAlign::Right);
            canvas.TextTopLeft(TTableCanvas::Box(300, top, 600, top + 23), QStringLiteral("Wgjy 4月5日(土) ") + n);
            canvas.Line(320, top + 2, 590, top + 20, 1 + row % 3, QColor(255, row % 200, 0));
        }
    }

private:
    int Height;
    int Salt;
};

// A short table above the tall one, as the transition and versus pictures are made.
struct TTwoTables {
    TBusyTable Head{70};
    TBusyTable Body{2900};
    TTablePicture Picture{{{&Head, QPoint(0, 0)}, {&Body, QPoint(0, 73)}}, QSize(600, 2973), Qt::darkGreen, {}};
};

QImage Painted(const TTablePicture& picture) {
    return TablePictureImage(picture).convertToFormat(QImage::Format_RGB32);
}

// How far apart two pictures of one size are: the largest difference of a
// color channel at any pixel.
int Apart(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return 256;
    int most = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            most = std::max(
                {most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    return most;
}

} // namespace

TEST(TablePicture, ThePngWrittenInBandsHasThePixelsOfOnePainting) {
    TTempFolder folder;
    const TTwoTables tables;
    const std::string path = folder.File("picture.png");
    std::string error;
    ASSERT_TRUE(SaveTablePicture(tables.Picture, path, error)) << error;
    const QImage saved(QString::fromStdString(path));
    ASSERT_EQ(saved.size(), QSize(600, 2973));
    // Antialiased lines crossing a seam between bands may come out a shade
    // apart (a band is painted shifted up by its top), nothing more.
    EXPECT_LE(Apart(saved.convertToFormat(QImage::Format_RGB32), Painted(tables.Picture)), 1);

    // The bytes in memory are the file's: saving, copying and rendering agree.
    std::string png;
    ASSERT_TRUE(EncodeTablePicture(tables.Picture, png, error)) << error;
    EXPECT_EQ(png, Slurp(path));
    EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::string>{"picture.png"});
}

TEST(TablePicture, AFailedSaveSaysWhyAndLeavesTheOlderFile) {
    TTempFolder folder;
    const TTwoTables tables;
    const std::string path = folder.File("picture.png");
    std::string error;
    {
        const TBusyTable small(40);
        ASSERT_TRUE(SaveTablePicture(SingleTablePicture(small), path, error)) << error;
    }
    const std::string older = Slurp(path);

    // The disk fills up at the start, amid the rows, or just before the end.
    std::string whole;
    ASSERT_TRUE(EncodeTablePicture(tables.Picture, whole, error));
    for (const long long room : {0LL, 30000LL, static_cast<long long>(whole.size()) - 1}) {
        const TWriteFaults full{room};
        EXPECT_FALSE(SaveTablePicture(tables.Picture, path, error, &full)) << room;
        EXPECT_EQ(error, "画像を書き込めません (ディスクに空きがありません)");
        EXPECT_EQ(Slurp(path), older);
    }

    EXPECT_FALSE(SaveTablePicture(tables.Picture, folder.File("none/picture.png"), error));
    EXPECT_EQ(error, "画像を書き込めません (フォルダがありません)");
    fs::create_directory(folder.Path() / "folder.png");
    EXPECT_FALSE(SaveTablePicture(tables.Picture, folder.File("folder.png"), error));
    EXPECT_EQ(error, "画像を書き込めません (フォルダです)");

    const TTablePicture huge{tables.Picture.Parts, QSize(600, 1000001), Qt::white, {}};
    EXPECT_FALSE(SaveTablePicture(huge, path, error));
    EXPECT_EQ(error.find("画像が大きすぎます"), 0u) << error;
    EXPECT_EQ(Slurp(path), older);
    // No temporary is left behind by any of them.
    EXPECT_EQ(FilesIn(folder.Path()), (std::vector<std::string>{"folder.png", "picture.png"}));
}

// Texts are shaped once and kept; when more texts have been drawn than the
// cache holds, the ones drawn least lately make room, and a text shaped again
// paints the same pixels.
TEST(TableCanvas, TextsPaintTheSameAfterTheCacheMadeRoom) {
    const TBusyTable table(700);
    const TTablePicture picture = SingleTablePicture(table);
    const QImage first = Painted(picture);
    // Some 260,000 glyphs of texts not drawn before.
    QImage scratch(600, 40, QImage::Format_RGB32);
    QPainter painter(&scratch);
    TPainterCanvas canvas(painter, scratch.rect());
    for (int i = 0; i < 130; ++i)
        canvas.TextTopLeft(QRect(0, 0, 1000000, 30), QStringLiteral("%1 ").arg(i, 4).repeated(400));
    EXPECT_EQ(Painted(picture), first);
}
