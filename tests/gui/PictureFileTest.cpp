#include "views/PictureFile.h"

#include <QImage>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

// A disk that fills up, a null picture (too large to make), a folder in the
// way or a missing folder: each fails with its reason and the older picture stays.
TEST(PictureFile, FailedWritesKeepTheOlderPicture) {
    const fs::path dir = fs::temp_directory_path() / ("tablora-png-" + std::to_string(::getpid()));
    fs::create_directories(dir / "folder.png");
    const std::string path = (dir / "view.png").string();
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    std::string reason;
    ASSERT_TRUE(SavePngAtomically(image, path, reason)) << reason;
    const std::string older = Slurp(path);
    ASSERT_EQ(older.substr(1, 3), "PNG");
    QImage read;
    ASSERT_TRUE(read.loadFromData(reinterpret_cast<const uchar*>(older.data()), static_cast<int>(older.size())));
    EXPECT_EQ(read.pixel(5, 5), image.pixel(5, 5));

    image.fill(Qt::blue);
    const TWriteFaults fullDisk{100};
    EXPECT_FALSE(SavePngAtomically(image, path, reason, &fullDisk));
    EXPECT_NE(reason.find("ディスクに空きがありません"), std::string::npos) << reason;
    EXPECT_FALSE(SavePngAtomically(QImage(), path, reason));
    EXPECT_NE(reason.find("大きすぎます"), std::string::npos) << reason;
    EXPECT_EQ(Slurp(path), older);

    EXPECT_FALSE(SavePngAtomically(image, (dir / "folder.png").string(), reason));
    EXPECT_TRUE(fs::is_directory(dir / "folder.png"));
    EXPECT_FALSE(SavePngAtomically(image, (dir / "none" / "x.png").string(), reason));
    EXPECT_NE(reason.find("フォルダがありません"), std::string::npos) << reason;

    // Nothing left beside them.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
    fs::remove_all(dir);
}
