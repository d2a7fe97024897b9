// A small sectioned key=value file that keeps sections and keys in the order
// they were read or first written. Texts are Shift-JIS bytes, as stored.
// Section and key names compare without regard to ASCII case. Comment lines
// (";") stay with the section or key that follows them, or at the end.
#pragma once

#include "core/base/AtomicFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TIniFile {
public:
    // Parses the file's bytes; lines that are neither "[section]" nor "key=value"
    // are ignored, as are keys before the first section.
    static TIniFile Parse(std::string_view bytes);
    // A missing or unreadable file gives an empty one.
    static TIniFile Load(const std::string& path);

    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key, const std::string& fallback) const;
    // Decimal integers with an optional sign, within 32 bits; anything else gives the fallback.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const;
    // Any nonzero integer is true.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    void EraseSection(std::string_view section);
    // Adds the sections and keys of `other` that this file lacks, after its own,
    // and the comments of `other` where this file has none; of the section named
    // `except` only the comments above it are taken over.
    void MergeMissing(const TIniFile& other, std::string_view except);

    // "[Section]" lines, "Key=Value" lines, a blank line between sections, comments where they were.
    std::string Serialize() const;
    bool Save(const std::string& path, const TWriteFaults* faults = nullptr) const;

private:
    struct TEntry {
        std::string Key, Value;
        std::vector<std::string> Comments; // the ";" lines above it
    };
    struct TSection {
        std::string Name;
        std::vector<std::string> Comments;
        std::vector<TEntry> Keys;
        std::unordered_map<std::string, size_t> KeyIndex; // by lower-case key
        TEntry* Find(std::string_view key);
        const TEntry* Find(std::string_view key) const;
        TEntry& Obtain(std::string_view key);
    };
    const TSection* Find(std::string_view section) const;
    TSection& Obtain(std::string_view section);
    std::vector<TSection> Sections;
    std::unordered_map<std::string, size_t> SectionIndex; // by lower-case name
    std::vector<std::string> LeadingComments, TrailingComments;
};
