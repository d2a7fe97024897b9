// libFuzzer target for the settings file reader: whatever bytes lie beside the
// program must read into settings inside their ranges, and writing them back
// must be stable: read, written, read and written again gives the same file.

#include "core/io/AppSettings.h"
#include "core/io/SettingsFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

std::string WrittenAgain(const TIniFile& previous, const TWorkArea& area) {
    const TAppSettings s = ReadSettings(previous, area);
    if (s.Width <= 0 || s.Height <= 0 || s.Width > area.Right || s.Height > area.Bottom || s.Left < area.Left ||
        s.Top < area.Top || s.TMax < 1 || s.TMax > 20 || s.TTab < 0 || s.TTab > 2 || s.Bands.size() > 1)
        std::abort();
    // The last file's path survives its own storing.
    const std::string path = LastFilePath(s.LastFile);
    if (LastFilePath(StoredLastFile(path)) != path)
        std::abort();
    return WriteSettings(s, previous).Serialize();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const TWorkArea area{0, 0, 1280, 770};
    const std::string once = WrittenAgain(TIniFile::Parse(bytes), area);
    const std::string twice = WrittenAgain(TIniFile::Parse(once), area);
    if (once != twice)
        std::abort();
    return 0;
}
