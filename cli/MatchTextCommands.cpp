#include "cli/MatchTextCommands.h"

#include "core/base/DayNumber.h"
#include "core/base/SjisText.h"
#include "core/io/MatchImport.h"
#include "core/io/MatchText.h"
#include "core/io/SeasonFile.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"
#include "core/season/SeasonTemplates.h"

#include <cerrno>
#include <memory>
#include <optional>
#include <ostream>
#include <random>

namespace {

struct TArguments {
    std::vector<std::string> Files;
    std::string Out;
    std::string Format;
    std::string Template;
    bool Force = false;
    bool Merge = false;
};

// `allowed`: the options this command takes besides --out ("--force", "--merge", "--format", "--template").
TArguments ReadArguments(const std::vector<std::string>& args, std::initializer_list<std::string_view> allowed) {
    TArguments a;
    const auto takes = [&allowed](const std::string& option) {
        for (std::string_view o : allowed)
            if (o == option)
                return true;
        return false;
    };
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool valued = arg == "--out" || (takes(arg) && (arg == "--format" || arg == "--template"));
        if (valued) {
            if (i + 1 >= args.size())
                throw TCliUsageError{arg + " には値が必要です"};
            (arg == "--out" ? a.Out : arg == "--format" ? a.Format : a.Template) = args[++i];
        } else if (arg == "--force" && takes(arg)) {
            a.Force = true;
        } else if (arg == "--merge" && takes(arg)) {
            a.Merge = true;
        } else if (!arg.empty() && arg[0] == '-') {
            throw TCliUsageError{"不明なオプション " + arg};
        } else {
            a.Files.push_back(arg);
        }
    }
    return a;
}

bool Load(const std::string& path, std::unique_ptr<TPennant>& pennant, std::unique_ptr<TFight>& fight,
          std::ostream& err) {
    TLoadError why = TLoadError::None;
    if (LoadSeason(path, pennant, fight, &why))
        return true;
    err << "tablora-cli: " << path << ": " << LoadErrorText(why) << "\n";
    return false;
}

std::string When(double dayTime) {
    return dayTime == 0 ? "なし" : days::FormatDateTime(dayTime);
}

bool EndsWithCsv(const std::string& path) {
    if (path.size() < 4)
        return false;
    std::string suffix = path.substr(path.size() - 4);
    for (char& c : suffix)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return suffix == ".csv";
}

} // namespace

int ExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const TArguments a = ReadArguments(args, {"--format"});
    if (a.Files.size() != 1 || a.Out.empty())
        throw TCliUsageError{"export にはシーズンファイルと --out が必要です"};
    if (!a.Format.empty() && a.Format != "matchtext" && a.Format != "csv")
        throw TCliUsageError{"export の --format は matchtext か csv です"};
    const bool csv = a.Format == "csv" || (a.Format.empty() && EndsWithCsv(a.Out));
    std::unique_ptr<TPennant> pennant;
    std::unique_ptr<TFight> fight;
    if (!Load(a.Files[0], pennant, fight, err))
        return 1;
    const bool written = csv ? ExportMatchCsv(a.Out, *pennant, *fight) : ExportMatchText(a.Out, *pennant, *fight);
    if (!written) {
        err << "tablora-cli: " << a.Out << ": 書き出せませんでした (" << FileErrorText(errno) << ")\n";
        return 1;
    }
    out << a.Out << ": 対戦データを" << (csv ? "CSV 形式で" : "") << "書き出しました (試合 " << fight->MatchCount()
        << ")\n";
    return 0;
}

int ImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const TArguments a = ReadArguments(args, {"--force", "--merge", "--format"});
    if (a.Files.size() != 2 || a.Out.empty())
        throw TCliUsageError{"import にはシーズンファイル、対戦データファイル、--out が必要です"};
    std::optional<TMatchFormat> format;
    if (!a.Format.empty() && !(format = MatchFormatNamed(a.Format)))
        throw TCliUsageError{"import の --format は matchtext、csv、gamelog のどれかです"};
    const std::string& textPath = a.Files[1];
    std::unique_ptr<TPennant> pennant;
    std::unique_ptr<TFight> fight;
    if (!Load(a.Files[0], pennant, fight, err))
        return 1;
    TImportFile file;
    TFileProblem problem = TFileProblem::None;
    if (!ReadImportFile(textPath, *pennant, format, file, &problem)) {
        err << "tablora-cli: " << textPath << ": 読み込めませんでした (" << ReadProblemText(problem, errno) << ")\n";
        return 1;
    }
    if (!file.Refusal.empty()) {
        err << "tablora-cli: " << textPath << ": " << file.Refusal << "取り込みませんでした\n";
        return 1;
    }
    TMatchText& text = file.Text;
    switch (CheckImport(*pennant, *fight, text)) {
    case TImportCheck::OtherChecker:
        err << "tablora-cli: " << textPath << ": チェッカーが異なります。該当データは取り込めません (ファイル \""
            << sjis::ToUtf8(text.Checker) << "\"、シーズン \"" << sjis::ToUtf8(pennant->Checker) << "\")\n";
        return 1;
    case TImportCheck::Unreadable:
        err << "tablora-cli: " << textPath << ": " << UnreadableLinesText(text) << "。取り込みませんでした\n";
        for (const std::string& line : UnreadableLineReasons(text))
            err << "  " << line << "\n";
        return 1;
    case TImportCheck::Older:
        if (!a.Force) {
            err << "tablora-cli: " << textPath << ": 取り込みデータが古い可能性があります (ファイル "
                << When(text.LastUpdate) << "、シーズン " << When(fight->LastUpdate) << ")。--force で取り込みます\n";
            return 1;
        }
        break;
    case TImportCheck::Ok:
        break;
    }
    const int fileGames = text.Fight->MatchCount();
    ApplyImport(*pennant, *fight, std::move(text), a.Merge);
    if (!SaveSeason(a.Out, pennant.get(), fight.get())) {
        err << "tablora-cli: " << a.Out << ": 保存できませんでした (" << FileErrorText(errno) << ")\n";
        return 1;
    }
    if (a.Merge)
        out << a.Out << ": 対戦データを追加しました (ファイルの試合 " << fileGames << "、試合 " << fight->MatchCount()
            << ")\n";
    else
        out << a.Out << ": 対戦データを取り込みました (試合 " << fight->MatchCount() << ")\n";
    return 0;
}

int NewCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const TArguments a = ReadArguments(args, {"--template"});
    if (!a.Files.empty() || a.Out.empty() || a.Template.empty())
        throw TCliUsageError{"new には --template と --out が必要です"};
    if (a.Template != "0" && a.Template != "1" && a.Template != "2")
        throw TCliUsageError{"--template は 0 (日本プロ野球)、1 (メジャーリーグ)、2 (その他) のどれかです"};
    if (FileExists(a.Out)) {
        err << "tablora-cli: " << a.Out << ": すでにあります。上書きしません\n";
        return 1;
    }
    TPennant pennant;
    TFight fight;
    std::mt19937 rng(std::random_device{}());
    pennant.Checker = MakeChecker(8, rng);
    BuildTemplate(a.Template[0] - '0', pennant);
    if (!SaveSeason(a.Out, &pennant, &fight)) {
        err << "tablora-cli: " << a.Out << ": 保存できませんでした (" << FileErrorText(errno) << ")\n";
        return 1;
    }
    out << a.Out << ": 新しいシーズンを作りました (" << sjis::ToUtf8(pennant.Contents) << "、チーム "
        << pennant.TotalTeamCount() << ")\n";
    return 0;
}
