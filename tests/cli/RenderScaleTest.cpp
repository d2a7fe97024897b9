// render --scale: the same picture at whole multiples of its pixels, read
// back from the PNG files; values that are no scale are refused as the other
// bad options are; the largest picture counts the scaled pixels.

#include "cli/CliCommands.h"
#include "cli/render/RenderCommand.h"
#include "draw/TableRender.h"

#include <QImage>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct TRun {
    int Code;
    std::string Err;
};

TRun Render(std::vector<std::string> args) {
    std::ostringstream out, err;
    args.insert(args.begin(), {"render", std::string(TABLORA_BINARY_DIR) + "/bin/data/sample.qvk"});
    const int code = RunCli(args, out, err, {.Render = RunRender});
    return {code, err.str()};
}

class RenderScale : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = fs::temp_directory_path() / ("tablora-scale-" + std::to_string(::getpid()));
        fs::create_directories(Dir);
    }
    void TearDown() override { fs::remove_all(Dir); }
    fs::path Dir;
};

TEST_F(RenderScale, EachScaleMultipliesBothSidesOfTheSamePicture) {
    struct TView {
        std::vector<std::string> Args;
    };
    const TView views[] = {
        {{"--view", "standings", "--index", "0", "--title"}}, {{"--view", "standings", "--index", "1", "--mode", "2"}},
        {{"--view", "schedule", "--index", "0", "--title"}},  {{"--view", "headtohead", "--index", "1", "--title"}},
        {{"--view", "transition", "--index", "3"}},
    };
    for (const TView& v : views) {
        std::string what;
        for (const std::string& a : v.Args)
            what += a + " ";
        SCOPED_TRACE(what);
        QImage base;
        for (const int scale : {1, 2, 3}) {
            const fs::path png = Dir / ("s" + std::to_string(scale) + ".png");
            std::vector<std::string> args = v.Args;
            if (scale > 1)
                args.insert(args.end(), {"--scale", std::to_string(scale)});
            args.insert(args.end(), {"--out", png.string()});
            const TRun r = Render(args);
            ASSERT_EQ(r.Code, 0) << r.Err;
            const QImage image(QString::fromStdString(png.string()));
            ASSERT_FALSE(image.isNull());
            if (scale == 1) {
                base = image;
                continue;
            }
            EXPECT_EQ(image.size(), base.size() * scale);
            // It prints at the size of the picture at scale 1: 96 dpi a table pixel.
            EXPECT_NEAR(image.dotsPerMeterX(), 96 * scale / 0.0254, 1);
            // The same corners of paper.
            for (const QPoint corner : {QPoint(0, 0), QPoint(base.width() - 1, base.height() - 1)})
                EXPECT_EQ(image.pixel(corner * scale), base.pixel(corner));
        }
    }
}

TEST_F(RenderScale, NoScaleIsRefusedAsABadOption) {
    const std::string png = (Dir / "bad.png").string();
    for (const std::string bad : {"0", "5", "-1", "1.5", "2x", "", "99999999999"}) {
        SCOPED_TRACE("--scale '" + bad + "'");
        const TRun r = Render({"--view", "standings", "--index", "0", "--scale", bad, "--out", png});
        EXPECT_EQ(r.Code, 2);
        EXPECT_EQ(r.Err.find("tablora-cli: --scale には 1 から 4 までの整数を指定してください\n"), 0u) << r.Err;
        EXPECT_FALSE(fs::exists(png));
    }
    EXPECT_EQ(Render({"--view", "standings", "--index", "0", "--out", png, "--scale"}).Code, 2); // no value
    EXPECT_EQ(Render({"--view", "standings", "--index", "0", "--scale", "4", "--out", png}).Code, 0);
}

// A table as wide as a picture may be at scale 1 is too wide at scale 4,
// and says how wide it would have been.
TEST(RenderScaleLimits, TheLargestSideCountsTheScaledPixels) {
    class TWide : public TTableLayout {
    public:
        QSize Size() const override { return QSize(300000, 3); }
        QColor Background() const override { return Qt::white; }
        void Paint(TTableCanvas&) const override {}
    } wide;
    const std::vector<TPicturePart> parts{{&wide, QPoint(0, 0)}};
    // A sink that takes nothing: past the size check, writing stops at once.
    const TPngSink refuse = [](std::string_view) { return false; };
    for (const int scale : {1, 2, 3}) {
        std::string error = "not yet";
        EXPECT_FALSE(EncodeTablePicture(parts, wide.Size(), Qt::white, refuse, error, scale));
        EXPECT_EQ(error, "") << "scale " << scale; // refused by the sink, not by its size
    }
    std::string error;
    EXPECT_FALSE(EncodeTablePicture(parts, wide.Size(), Qt::white, refuse, error, 4));
    EXPECT_EQ(error.find("画像が大きすぎます (1200000 × 12 ピクセル。"), 0u) << error;
    for (const int scale : {0, 5}) {
        EXPECT_FALSE(EncodeTablePicture(parts, wide.Size(), Qt::white, refuse, error, scale));
        EXPECT_EQ(error, "倍率は 1 から 4 までです");
    }
}

} // namespace
