// What is published of a view says what it is: a line above the tables of a
// saved or copied picture and of every printed page, naming the view, the
// league or district and the day, with the tables below exactly as they were.

#include "core/base/DayNumber.h"
#include "core/io/AppSettings.h"
#include "core/io/IniFile.h"
#include "core/io/SeasonFile.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "core/season/SeasonTemplates.h"
#include "draw/JuniDrawing.h"
#include "draw/NitteiDrawing.h"
#include "draw/TablePicture.h"
#include "draw/TaisenDrawing.h"
#include "draw/TmJuniDrawing.h"
#include "draw/VersusDrawing.h"
#include "tests/gui/QtPrint.h"
#include "tests/support/MatchBuilder.h"
#include "tests/support/ShownSeason.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

QImage Image(const TTablePicture& picture) {
    return TablePictureImage(picture).convertToFormat(QImage::Format_RGB32);
}

bool Blank(const QImage& image, const QRect& area, QRgb paper) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != paper)
                return false;
    return true;
}

} // namespace

TEST(PublishedTitle, EachViewSaysWhatItShowsWhereAndOnWhichDay) {
    const std::unique_ptr<TShownSeason> s = LoadSampleSeason();
    ASSERT_TRUE(s);
    const TViewContext v = s->View();
    const TJuniTable standings(v, 0, 0);
    const TNitteiLayout schedule = LayoutNittei(v, 1);
    const TTaisenLayout headToHead = LayoutTaisen(v, 0, TaisenPages(*s->Pennant, 0), 1, 0);
    const TTmJuniPanes transition = LayOutTmJuni(v, 0);
    const TVersusLayout versus = LayoutVersus(v, 0, "G", "T", 2);
    const struct {
        TTablePicture Picture;
        QString Title;
    } cases[] = {
        {SingleTablePicture(standings), QStringLiteral("セントラルリーグ 勝敗表 7月12日(日) 現在")},
        {SingleTablePicture(schedule), QStringLiteral("パシフィックリーグ 日程表 7月12日(日) 現在")},
        {SingleTablePicture(headToHead.Table), QStringLiteral("セントラルリーグ 対戦成績表 (ホーム) 7月12日(日) 現在")},
        {TransitionPicture(transition), QStringLiteral("セントラルリーグ 読売ジャイアンツ 順位推移 7月12日(日) 現在")},
        {VersusPicture(versus),
         QStringLiteral("セントラルリーグ 読売ジャイアンツ vs 阪神タイガース 対戦成績 (ビジター) 7月12日(日) 現在")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Picture.Title.Text, c.Title);
    // The day is the one the standings' own header stands on.
    EXPECT_NE(RecordTable(standings)->Find(QStringLiteral("7月12日(日) 現在")), nullptr);

    // Before the first result, and a district whose league has no name of its own.
    TShownSeason empty;
    empty.Pennant = std::make_unique<TPennant>();
    empty.Fight = std::make_unique<TFight>();
    BuildTemplate(TemplateMajor, *empty.Pennant);
    AddGame(*empty.Fight, Game("NYY", "BOS", days::Encode(2026, 4, 1)));
    EXPECT_EQ(TJuniTable(empty.View(), 0, 0).Title().Text, QStringLiteral("アメリカンリーグ東部地区 勝敗表 開始前"));
    AddGame(*empty.Fight, Game("NYY", "BOS", days::Encode(2026, 4, 1)).Score(3, 2));
    empty.Fight->SortMatches();
    EXPECT_EQ(LayoutNittei(empty.View(), 0).Title().Text, QStringLiteral("アメリカンリーグ 日程表 4月1日(水) 現在"));
}

// Saving and copying put the line above the tables, which keep every pixel;
// a line wider than the tables widens the picture. Without a title the
// picture is the tables alone, as tablora-render makes it without --title.
TEST(PublishedTitle, APictureCarriesTheLineAboveItsTablesAsTheyWere) {
    const std::unique_ptr<TShownSeason> s = LoadSampleSeason();
    ASSERT_TRUE(s);
    const TJuniTable standings(s->View(), 0, 0);
    const TVersusLayout versus = LayoutVersus(s->View(), 0, "G", "T", 0);
    for (const TTablePicture& titled : {SingleTablePicture(standings), VersusPicture(versus)}) {
        TTablePicture plain = titled;
        plain.Title = {};
        const QImage tables = Image(plain), whole = Image(titled);
        ASSERT_EQ(tables.size(), titled.Size);
        ASSERT_EQ(whole.size(), TitledSize(titled));
        EXPECT_EQ(whole.height(), tables.height() + kTitleHeight);
        EXPECT_GE(whole.width(), tables.width());
        EXPECT_EQ(whole.copy(0, kTitleHeight, tables.width(), tables.height()), tables);
        const QRgb paper = titled.Background.rgb();
        EXPECT_FALSE(Blank(whole, QRect(0, 0, whole.width(), kTitleHeight), paper));
        // The line is whole: paper at its right end.
        EXPECT_TRUE(Blank(whole, QRect(whole.width() - 8, 0, 8, kTitleHeight), paper));

        // The saved file has the copied picture's pixels.
        std::string png, error;
        ASSERT_TRUE(EncodeTablePicture(titled, png, error)) << error;
        QImage saved;
        ASSERT_TRUE(saved.loadFromData(reinterpret_cast<const uchar*>(png.data()), static_cast<int>(png.size())));
        EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), whole);
    }
    // The versus summary is narrower than the line naming both teams in full.
    EXPECT_GT(TitledSize(VersusPicture(versus)).width(), versus.Width);
}

// Printed pages: each starts with the same line, the tables follow without a
// row cut, and a schedule page that starts amid a day's games gives that
// day's label on its first line.
TEST(PublishedTitle, EveryPrintedPageRepeatsTheLineAndAScheduleDayItsLabel) {
    // Thirty days of the major-league template: seven games a day take three lines.
    TShownSeason s;
    s.Pennant = std::make_unique<TPennant>();
    s.Fight = std::make_unique<TFight>();
    BuildTemplate(TemplateMajor, *s.Pennant);
    std::vector<std::string> teams;
    const TLeague& american = s.Pennant->GetLeague(0);
    for (int d = 0; d < american.DistrictCount(); ++d)
        for (int t = 0; t < american.GetDistrict(d).TeamCount(); ++t)
            teams.push_back(american.GetDistrict(d).GetTeam(t).Symbol);
    ASSERT_EQ(teams.size(), 14u);
    for (int day = 0; day < 30; ++day)
        for (size_t g = 0; g < 7; ++g)
            AddGame(*s.Fight, Game(teams[g].c_str(), teams[g + 7].c_str(), days::Encode(2026, 4, 1) + day)
                                  .Score(day % 5, static_cast<int>(g % 4)));
    s.Fight->SortMatches();
    const TNitteiLayout schedule = LayoutNittei(s.View(), 0);
    const TTablePicture picture = SingleTablePicture(schedule);
    const QSize size = TitledSize(picture);
    int midDay = 0;
    for (const int pageHeight : {250, 330, 410}) {
        const std::vector<TPageSlice> pages = PicturePages(picture, pageHeight);
        ASSERT_GE(pages.size(), 2u);
        EXPECT_EQ(pages.front().Top, 0);
        EXPECT_EQ(pages.back().Bottom, picture.Size.height());
        QImage first;
        for (size_t i = 0; i < pages.size(); ++i) {
            const TPageSlice& slice = pages[i];
            ASSERT_LE(kTitleHeight + slice.Bottom - slice.Top, pageHeight);
            QImage page(size.width(), kTitleHeight + slice.Bottom - slice.Top, QImage::Format_RGB32);
            page.fill(Qt::red); // the page paints its own paper
            {
                QPainter painter(&page);
                PaintPicturePage(painter, picture, slice);
            }
            const QImage line = page.copy(0, 0, size.width(), kTitleHeight);
            if (i == 0)
                first = line;
            EXPECT_EQ(line, first) << "page " << i;
            bool painted = true;
            for (int y = 0; y < page.height() && painted; ++y)
                for (int x = 0; x < page.width() && painted; ++x)
                    painted = page.pixel(x, y) != qRgb(255, 0, 0);
            EXPECT_TRUE(painted) << "page " << i;

            // The first line of games on the page, and the day it belongs to.
            const auto on = std::find_if(schedule.Lines.begin(), schedule.Lines.end(),
                                         [&](const TNitteiLine& l) { return l.Y - 3 >= slice.Top; });
            if (i == 0 || on == schedule.Lines.end())
                continue;
            TRecordingCanvas head(QRect(QPoint(0, slice.Top), schedule.Size()));
            schedule.PaintPageHead(head, slice.Top);
            const QRect label(10, kTitleHeight + on->Y - 3 - slice.Top, 70, 18);
            if (on->Label) {
                EXPECT_TRUE(head.Texts().empty()) << "page " << i;
                continue;
            }
            ++midDay;
            ASSERT_EQ(head.Texts().size(), 1u) << "page " << i;
            EXPECT_EQ(head.Texts()[0].Text, GameDayText(on->Day));
            EXPECT_FALSE(Blank(page, label, picture.Background.rgb())) << "page " << i;
        }
    }
    EXPECT_GT(midDay, 0);
}
