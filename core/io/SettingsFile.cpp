#include "core/io/SettingsFile.h"

#include "core/base/SjisText.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace {

const std::string kUtf8Mark = "{UTF-8}";

} // namespace

bool IsInstalledProgramFile(const std::string& besideProgram) {
    const std::string path = std::filesystem::path(besideProgram).lexically_normal().string();
    return path.starts_with("/usr/");
}

std::string SettingsFileToRead(const TSettingsFiles& files) {
    if (!files.InUserFolder.empty()) {
        std::error_code ec;
        if (IsInstalledProgramFile(files.BesideProgram) || std::filesystem::exists(files.InUserFolder, ec))
            return files.InUserFolder;
    }
    return files.BesideProgram;
}

bool SaveSettingsFile(const TIniFile& ini, const TSettingsFiles& files, std::string& writtenTo, std::string& reason,
                      const TWriteFaults* faults) {
    const std::string bytes = ini.Serialize();
    const std::string first = SettingsFileToRead(files);
    if (first == files.InUserFolder) {
        std::error_code ec;
        std::filesystem::create_directories(std::filesystem::path(first).parent_path(), ec);
    }
    if (WriteFileAtomically(first, bytes, faults)) {
        writtenTo = first;
        return true;
    }
    int why = errno;
    writtenTo = first;
    if (first != files.InUserFolder && !files.InUserFolder.empty()) {
        writtenTo = files.InUserFolder;
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

namespace {

// Bytes an INI value cannot hold as they are: line breaks and other control
// characters anywhere, spaces and tabs at either end (they are trimmed).
bool FitsAValue(std::string_view text) {
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7F)
            return false;
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    return text.empty() || (!blank(text.front()) && !blank(text.back()));
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::string StoredLastFile(const std::string& utf8Path) {
    const std::string sjisPath = sjis::FromUtf8(utf8Path);
    if (sjis::ToUtf8(sjisPath) == utf8Path && FitsAValue(sjisPath) &&
        sjisPath.compare(0, kUtf8Mark.size(), kUtf8Mark) != 0)
        return sjisPath;
    // "%XX" for "%", spaces and control characters: the value holds any path.
    std::string stored = kUtf8Mark;
    for (unsigned char c : utf8Path) {
        if (c <= 0x20 || c == 0x7F || c == '%') {
            const char* hex = "0123456789ABCDEF";
            stored += '%';
            stored += hex[c >> 4];
            stored += hex[c & 0xF];
        } else {
            stored += static_cast<char>(c);
        }
    }
    return stored;
}

std::string LastFilePath(const std::string& stored) {
    if (stored.compare(0, kUtf8Mark.size(), kUtf8Mark) != 0)
        return sjis::ToUtf8(stored);
    std::string path;
    for (size_t i = kUtf8Mark.size(); i < stored.size(); ++i) {
        const int high = i + 2 < stored.size() ? HexDigit(stored[i + 1]) : -1;
        const int low = high >= 0 ? HexDigit(stored[i + 2]) : -1;
        if (stored[i] == '%' && low >= 0) {
            path += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            path += stored[i];
        }
    }
    return path;
}
