#include "SettingsFile.h"

#include "model/SjisText.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace {

const std::string kUtf8Mark = "{UTF-8}";

} // namespace

std::string SettingsFileToRead(const TSettingsFiles& files) {
    if (!files.InUserFolder.empty()) {
        std::error_code ec;
        if (std::filesystem::exists(files.InUserFolder, ec))
            return files.InUserFolder;
    }
    return files.BesideProgram;
}

bool SaveSettingsFile(const TIniFile& ini, const TSettingsFiles& files, std::string& writtenTo, std::string& reason,
                      const TWriteFaults* faults) {
    const std::string bytes = ini.Serialize();
    const std::string first = SettingsFileToRead(files);
    if (WriteFileAtomically(first, bytes, faults)) {
        writtenTo = first;
        return true;
    }
    int why = errno;
    if (first != files.InUserFolder && !files.InUserFolder.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(std::filesystem::path(files.InUserFolder).parent_path(), ec);
        if (!ec && WriteFileAtomically(files.InUserFolder, bytes, faults)) {
            writtenTo = files.InUserFolder;
            return true;
        }
        why = ec ? ec.value() : errno;
    }
    reason = FileErrorText(why);
    return false;
}

std::string StoredLastFile(const std::string& utf8Path) {
    const std::string sjisPath = sjis::FromUtf8(utf8Path);
    if (sjis::ToUtf8(sjisPath) == utf8Path && sjisPath.compare(0, kUtf8Mark.size(), kUtf8Mark) != 0)
        return sjisPath;
    return kUtf8Mark + utf8Path;
}

std::string LastFilePath(const std::string& stored) {
    if (stored.compare(0, kUtf8Mark.size(), kUtf8Mark) == 0)
        return stored.substr(kUtf8Mark.size());
    return sjis::ToUtf8(stored);
}
