#include "cli/MatchTextCommands.h"

#include "core/base/DayNumber.h"
#include "core/base/SjisText.h"
#include "core/io/MatchText.h"
#include "core/io/SeasonFile.h"
#include "core/season/BaseballFight.h"
#include "core/season/BaseballPennant.h"

#include <cerrno>
#include <memory>
#include <ostream>

namespace {

struct TArguments {
    std::vector<std::string> Files;
    std::string Out;
    bool Force = false;
};

TArguments ReadArguments(const std::vector<std::string>& args, bool allowForce) {
    TArguments a;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--out") {
            if (i + 1 >= args.size())
                throw TCliUsageError{"--out には値が必要です"};
            a.Out = args[++i];
        } else if (arg == "--force" && allowForce) {
            a.Force = true;
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

} // namespace

int ExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const TArguments a = ReadArguments(args, false);
    if (a.Files.size() != 1 || a.Out.empty())
        throw TCliUsageError{"export にはシーズンファイルと --out が必要です"};
    std::unique_ptr<TPennant> pennant;
    std::unique_ptr<TFight> fight;
    if (!Load(a.Files[0], pennant, fight, err))
        return 1;
    if (!ExportMatchText(a.Out, *pennant, *fight)) {
        err << "tablora-cli: " << a.Out << ": 書き出せませんでした (" << FileErrorText(errno) << ")\n";
        return 1;
    }
    out << a.Out << ": 対戦データを書き出しました (試合 " << fight->MatchCount() << ")\n";
    return 0;
}

int ImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const TArguments a = ReadArguments(args, true);
    if (a.Files.size() != 2 || a.Out.empty())
        throw TCliUsageError{"import にはシーズンファイル、対戦データファイル、--out が必要です"};
    const std::string& textPath = a.Files[1];
    std::unique_ptr<TPennant> pennant;
    std::unique_ptr<TFight> fight;
    if (!Load(a.Files[0], pennant, fight, err))
        return 1;
    TMatchText text;
    TFileProblem problem = TFileProblem::None;
    if (!ReadMatchTextFile(textPath, pennant->Checker, text, &problem)) {
        err << "tablora-cli: " << textPath << ": 読み込めませんでした (" << ReadProblemText(problem, errno) << ")\n";
        return 1;
    }
    switch (CheckImport(*pennant, *fight, text)) {
    case TImportCheck::OtherChecker:
        err << "tablora-cli: " << textPath << ": チェッカーが異なります。該当データは取り込めません (ファイル \""
            << sjis::ToUtf8(text.Checker) << "\"、シーズン \"" << sjis::ToUtf8(pennant->Checker) << "\")\n";
        return 1;
    case TImportCheck::Unreadable:
        err << "tablora-cli: " << textPath << ": " << UnreadableLinesText(text) << "。取り込みませんでした\n";
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
    ApplyImport(*pennant, *fight, std::move(text));
    if (!SaveSeason(a.Out, pennant.get(), fight.get())) {
        err << "tablora-cli: " << a.Out << ": 保存できませんでした (" << FileErrorText(errno) << ")\n";
        return 1;
    }
    out << a.Out << ": 対戦データを取り込みました (試合 " << fight->MatchCount() << ")\n";
    return 0;
}
