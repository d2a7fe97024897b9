#include "core/io/AppSettings.h"
#include "core/base/SjisText.h"
#include "core/io/SettingsFile.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

const TWorkArea kScreen{0, 0, 1024, 738}; // 1024 x 768 less a 30-pixel task bar

} // namespace

TEST(TIniFile, ParsesLooselyAndKeepsOrder) {
    TIniFile ini = TIniFile::Parse(
        "stray=1\r\n[B]\r\n z = 2 \r\n \t=no key\n;comment\r\nbroken line\r\n[a]\nx=1\nX=ignored\n[b]\ny=3\n");
    EXPECT_EQ(ini.Value("A", "stray"), std::nullopt);
    EXPECT_EQ(ini.ReadInteger("b", "Z", 0), 2);
    EXPECT_EQ(ini.ReadInteger("b", "y", 0), 3); // a repeated section joins the first
    EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1); // the first of repeated keys counts
    EXPECT_EQ(ini.Serialize(), "[B]\nz=2\ny=3\n\n;comment\n[a]\nx=1\n");
}

TEST(TIniFile, NumbersAndBooleans) {
    TIniFile ini = TIniFile::Parse("[S]\na=-2147483640\nb=12x\nc=\nd=99999999999\ne=+5\nt=7\nf=0\ng=yes\n");
    EXPECT_EQ(ini.ReadInteger("S", "a", 1), -2147483640);
    EXPECT_EQ(ini.ReadInteger("S", "b", 1), 1);
    EXPECT_EQ(ini.ReadInteger("S", "c", 1), 1);
    EXPECT_EQ(ini.ReadInteger("S", "d", 1), 1);
    EXPECT_EQ(ini.ReadInteger("S", "e", 1), 5);
    EXPECT_TRUE(ini.ReadBool("S", "t", false));
    EXPECT_FALSE(ini.ReadBool("S", "f", true));
    EXPECT_TRUE(ini.ReadBool("S", "g", true)); // malformed: the default
    EXPECT_FALSE(ini.ReadBool("S", "missing", false));

    TIniFile w;
    w.WriteString("S", "text", "two\nlines");
    EXPECT_EQ(w.Serialize(), "[S]\ntext=two lines\n");
}

TEST(AppSettings, DefaultsWithNoFile) {
    const TAppSettings s = ReadSettings(TIniFile::Load("/nonexistent/tablora.ini"), kScreen);
    EXPECT_EQ(s.Width, 696);
    EXPECT_EQ(s.Height, 480);
    EXPECT_EQ(s.Left, (1024 - 696) / 2);
    EXPECT_EQ(s.Top, (738 - 480) / 2);
    EXPECT_FALSE(s.Max);
    EXPECT_TRUE(s.ToolBarVisible);
    EXPECT_TRUE(s.Bands.empty());
    EXPECT_EQ(s.LastFile, "");
    EXPECT_TRUE(s.Zenkai);
    EXPECT_TRUE(s.Sche);
    EXPECT_EQ(s.TMax, 15);
    EXPECT_EQ(s.TTab, 1);
    EXPECT_FALSE(s.Suspend);
    EXPECT_FALSE(s.Other);
    EXPECT_EQ(s.BackGround, -2147483643);
    EXPECT_EQ(s.Char1, -2147483640);
    EXPECT_EQ(s.KekkaLost, -2147483640);
    EXPECT_EQ(s.BackPt1, -2147483643);
    EXPECT_EQ(s.Ritu, 16776960);
    EXPECT_EQ(s.BatLL, 16748574);
    EXPECT_EQ(s.BackPt2, 14474460);
    EXPECT_EQ(TAppSettings::ColorKeys().size(), 23u);
}

TEST(AppSettings, WindowIsKeptInsideTheWorkArea) {
    TAppSettings wide = ReadSettings(TIniFile::Parse("[Form]\nLeft=300\nWidth=5000\nTop=10\n"), kScreen);
    EXPECT_EQ(wide.Width, 1024);
    EXPECT_EQ(wide.Left, 0);
    EXPECT_EQ(wide.Top, 10);

    TAppSettings low = ReadSettings(TIniFile::Parse("[Form]\nTop=2000\nHeight=400\n"), kScreen);
    EXPECT_EQ(low.Top, 738 - 400); // bottom edge on the work-area bottom

    TWorkArea shifted{100, 50, 1124, 818};
    TAppSettings off = ReadSettings(TIniFile::Parse("[Form]\nTop=-300\nLeft=-300\n"), shifted);
    EXPECT_EQ(off.Top, 50);
    EXPECT_EQ(off.Left, 100);
}

TEST(AppSettings, BadValuesTakeTheirDefaults) {
    const TAppSettings s = ReadSettings(
        TIniFile::Parse("[Form]\nWidth=abc\nHeight=-5\n[Option]\nTMax=0\nTTab=9\nZenkai=maybe\n[Color]\nLine1=red\n"
                        "[CoolBands]\nCount=7\nControl1=ToolBar1\nWidth1=x\n"),
        kScreen);
    EXPECT_EQ(s.Width, 696);
    EXPECT_EQ(s.Height, 480);
    EXPECT_EQ(s.TMax, 15);
    EXPECT_EQ(s.TTab, 1);
    EXPECT_TRUE(s.Zenkai);
    EXPECT_EQ(s.Line1, 8421504);
    ASSERT_EQ(s.Bands.size(), 1u); // the main window has one band
    EXPECT_EQ(s.Bands[0].Control, "ToolBar1");
    EXPECT_EQ(s.Bands[0].Width, 100);
}

TEST(AppSettings, WritesTheSettingsFileByteForByte) {
    TAppSettings s = DefaultSettings(kScreen);
    s.Top = 40;
    s.Left = 30;
    s.Width = 800;
    s.Height = 600;
    s.Max = true;
    s.Bands = {{"ToolBar1", true, 640}};
    s.LastFile = "/home/fan/data/2026.qvk";
    s.ToolBarVisible = false;
    s.Zenkai = false;
    s.TMax = 7;
    s.TTab = 2;
    s.Suspend = true;
    s.BackPt2 = 123456;
    const std::string expected = Slurp(fs::path(TABLORA_TEST_DATA) / "settings.ini");
    EXPECT_EQ(WriteSettings(s).Serialize(), expected);

    // And it reads back to the same values.
    const TAppSettings back = ReadSettings(TIniFile::Parse(expected), TWorkArea{0, 0, 1920, 1080});
    EXPECT_EQ(WriteSettings(back).Serialize(), expected);
}

TEST(AppSettings, KeepsTheUsersOwnEntriesAndSurvivesAFailedWrite) {
    const TIniFile previous =
        TIniFile::Parse("[Mine]\nnote=hello\n[Option]\nExtra=1\nTMax=3\n[CoolBands]\nCount=1\nStale=1\n");
    const TIniFile written = WriteSettings(ReadSettings(previous, kScreen), previous);
    EXPECT_EQ(written.ReadString("Mine", "note", ""), "hello");
    EXPECT_EQ(written.ReadInteger("Option", "Extra", 0), 1);
    EXPECT_EQ(written.ReadInteger("Option", "TMax", 0), 3);
    EXPECT_EQ(written.Value("CoolBands", "Stale"), std::nullopt);
    EXPECT_EQ(written.Serialize().rfind("[Mine]\nnote=hello\n"), written.Serialize().size() - 18);

    const fs::path path = fs::temp_directory_path() / ("tablora-settings-" + std::to_string(::getpid()) + ".ini");
    ASSERT_TRUE(written.Save(path.string()));
    TIniFile other = written;
    other.WriteInteger("Option", "TMax", 9);
    TWriteFaults faults{10};
    EXPECT_FALSE(other.Save(path.string(), &faults));
    EXPECT_EQ(Slurp(path), written.Serialize());
    EXPECT_EQ(TIniFile::Load(path.string()).ReadInteger("Option", "TMax", 0), 3);
    fs::remove(path);
}

TEST(TIniFile, CommentsStayWhereTheUserPutThem) {
    const std::string previous = "; my settings\n"
                                 "[Option]\n"
                                 "; three rows fit my screen\n"
                                 "TMax=3\n"
                                 "[CoolBands]\n"
                                 "; rewritten anyway\n"
                                 "Count=1\n"
                                 "; about my own section\n"
                                 "[Mine]\n"
                                 "note=hello\n"
                                 "; the end\n";
    const TIniFile before = TIniFile::Parse(previous);
    const std::string written = WriteSettings(ReadSettings(before, kScreen), before).Serialize();
    EXPECT_EQ(written.find("; my settings\n[Form]\n"), 0u) << written;
    EXPECT_NE(written.find("[Option]\nZenkai=1\nSche=1\n; three rows fit my screen\nTMax=3\n"), std::string::npos);
    EXPECT_NE(written.find("; about my own section\n[Mine]\nnote=hello\n; the end\n"), std::string::npos);
    EXPECT_EQ(written.find("rewritten"), std::string::npos); // the program's own band section
    // Written twice, nothing doubles.
    const TIniFile again = TIniFile::Parse(written);
    EXPECT_EQ(WriteSettings(ReadSettings(again, kScreen), again).Serialize(), written);
}

TEST(TIniFile, AFifoReadsAsNoFileWithoutWaiting) {
    const fs::path fifo = fs::temp_directory_path() / ("tablora-fifo-" + std::to_string(::getpid()) + ".ini");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(TIniFile::Load(fifo.string()).Serialize(), ""); // a writer never comes: it must not wait
    fs::remove(fifo);
}

// Where the settings go: beside the program while it can be written, else the
// user's folder, which is read first once a file is there; a write that fails
// everywhere says why and harms nothing.
TEST(SettingsFile, FallsBackToTheUsersFolderAndReportsFailure) {
    const fs::path dir = fs::temp_directory_path() / ("tablora-where-" + std::to_string(::getpid()));
    fs::create_directories(dir / "program");
    const TSettingsFiles files{(dir / "program" / "tablora.ini").string(),
                               (dir / "config" / "tablora" / "tablora.ini").string()};
    TIniFile ini;
    ini.WriteInteger("Option", "TMax", 4);
    std::string to, reason;
    ASSERT_TRUE(SaveSettingsFile(ini, files, to, reason));
    EXPECT_EQ(to, files.BesideProgram);
    EXPECT_EQ(SettingsFileToRead(files), files.BesideProgram);

    // The program's folder cannot take the file (here a folder is in the way).
    fs::remove(files.BesideProgram);
    fs::create_directories(files.BesideProgram);
    ASSERT_TRUE(SaveSettingsFile(ini, files, to, reason));
    EXPECT_EQ(to, files.InUserFolder);
    EXPECT_EQ(SettingsFileToRead(files), files.InUserFolder);
    EXPECT_EQ(TIniFile::Load(SettingsFileToRead(files)).ReadInteger("Option", "TMax", 0), 4);

    // A full disk: nothing written, the old file kept, and the reason given.
    ini.WriteInteger("Option", "TMax", 9);
    const TWriteFaults full{5};
    EXPECT_FALSE(SaveSettingsFile(ini, files, to, reason, &full));
    EXPECT_EQ(reason, "ディスクに空きがありません");
    EXPECT_EQ(TIniFile::Load(files.InUserFolder).ReadInteger("Option", "TMax", 0), 4);
    // Nowhere to go at all.
    const TSettingsFiles nowhere{files.BesideProgram, (dir / "program" / "tablora.ini" / "x" / "y.ini").string()};
    fs::remove_all(dir / "config");
    std::ofstream(files.BesideProgram + "/x") << "a file where a folder should be";
    EXPECT_FALSE(SaveSettingsFile(ini, nowhere, to, reason));
    EXPECT_EQ(to, nowhere.InUserFolder); // the reason is about the file tried last
    EXPECT_FALSE(reason.empty());
    fs::remove_all(dir);
}

// Installed under /usr, the program never reads or writes a file beside
// itself, even as root who could: every user gets a file of their own.
TEST(SettingsFile, AnInstalledProgramKeepsSettingsOnlyInTheUsersFolder) {
    const fs::path dir = fs::temp_directory_path() / ("tablora-installed-" + std::to_string(::getpid()));
    for (const std::string beside :
         {"/usr/lib/tablora/tablora.ini", "/usr/local/lib/tablora/../tablora/tablora.ini", "/usr/bin/tablora.ini"}) {
        SCOPED_TRACE(beside);
        const TSettingsFiles files{beside, (dir / "config" / "tablora" / "tablora.ini").string()};
        EXPECT_TRUE(IsInstalledProgramFile(beside));
        EXPECT_EQ(SettingsFileToRead(files), files.InUserFolder); // before the user's file exists too
        TIniFile ini;
        ini.WriteInteger("Option", "TMax", 6);
        std::string to, reason;
        ASSERT_TRUE(SaveSettingsFile(ini, files, to, reason)) << reason;
        EXPECT_EQ(to, files.InUserFolder);
        EXPECT_EQ(TIniFile::Load(files.InUserFolder).ReadInteger("Option", "TMax", 0), 6);
        fs::remove_all(dir);
    }
    for (const std::string beside : {"/home/u/tablora/tablora.ini", "/usrx/tablora.ini", "build/bin/tablora.ini"})
        EXPECT_FALSE(IsInstalledProgramFile(beside)) << beside;
}

TEST(SettingsFile, LastFileKeepsEveryCharacter) {
    for (const std::string path :
         {"/home/fan/2026.qvk", "/home/fan/データ/２０２６年.qvk", "/home/Müller/saison.qvk", "/tmp/{UTF-8}odd.qvk",
          "{UTF-8}/odd.qvk", " /spaces at the ends/a.qvk ", "/line\r\nbreak/100%.qvk", "/Müller/%41"}) {
        const std::string stored = StoredLastFile(path);
        EXPECT_EQ(LastFilePath(stored), path);
        // Through the file and back.
        TIniFile ini;
        ini.WriteString("File", "Last", stored);
        EXPECT_EQ(LastFilePath(TIniFile::Parse(ini.Serialize()).ReadString("File", "Last", "")), path);
    }
    // Paths Shift-JIS can hold are stored as before.
    EXPECT_EQ(StoredLastFile("/home/fan/データ/a.qvk"), sjis::S("/home/fan/データ/a.qvk"));
    EXPECT_EQ(StoredLastFile("/home/Müller/a b.qvk"), "{UTF-8}/home/Müller/a%20b.qvk");
}
