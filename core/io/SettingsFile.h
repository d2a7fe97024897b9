// Where the settings file lives, and the last file's path inside it.
//
// The file sits beside the program. When that folder cannot be written, it
// lives in the user's configuration folder instead, and once a file is there
// it is the one read and written. An installed program (under /usr) keeps it
// only in the user's folder, whoever runs it: a file beside the program would
// be every user's, root's last season included, and outlive the package.
#pragma once

#include "core/io/IniFile.h"

#include <string>

struct TSettingsFiles {
    std::string BesideProgram; // the program's path with ".ini"
    std::string InUserFolder;  // e.g. ~/.config/tablora/tablora.ini
};

// True for a settings file beside an installed program (a folder under /usr).
bool IsInstalledProgramFile(const std::string& besideProgram);

// The file to read: the one in the user's folder when it exists or the program
// is installed, else the one beside the program.
std::string SettingsFileToRead(const TSettingsFiles& files);

// Writes `ini` where it belongs: to the user's folder when a file is there or
// the program is installed (the folder made as needed); else beside the
// program, and when that fails to the user's folder (made as needed).
// `writtenTo` is the file written; on failure it is the file tried last,
// `reason` says why (UTF-8, Japanese) and every existing file is left as it was.
bool SaveSettingsFile(const TIniFile& ini, const TSettingsFiles& files, std::string& writtenTo, std::string& reason,
                      const TWriteFaults* faults = nullptr);

// The last file's path (UTF-8, as the file system names it) as File/Last holds
// it: Shift-JIS when every character has a Shift-JIS form, else "{UTF-8}"
// followed by the path with "%XX" for "%", spaces and control characters, so a
// "Müller" folder, or a name ending in a space, reopens too.
std::string StoredLastFile(const std::string& utf8Path);
std::string LastFilePath(const std::string& stored);
