#include "IniFile.h"

#include <charconv>

namespace {

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

} // namespace

TIniFile TIniFile::Parse(std::string_view bytes) {
    TIniFile ini;
    TSection* current = nullptr;
    while (!bytes.empty()) {
        const size_t end = bytes.find('\n');
        std::string_view line = Trim(bytes.substr(0, end));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            if (close == std::string_view::npos)
                continue;
            current = &ini.Obtain(Trim(line.substr(1, close - 1)));
            continue;
        }
        const size_t eq = line.find('=');
        if (!current || eq == std::string_view::npos || eq == 0)
            continue;
        const std::string_view key = Trim(line.substr(0, eq)), value = Trim(line.substr(eq + 1));
        bool known = false;
        for (auto& kv : current->Keys)
            if (SameName(kv.first, key)) {
                known = true; // the first of repeated keys counts
                break;
            }
        if (!known)
            current->Keys.emplace_back(std::string(key), std::string(value));
    }
    return ini;
}

TIniFile TIniFile::Load(const std::string& path) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes, size_t(16) << 20))
        return TIniFile();
    return Parse(bytes);
}

const TIniFile::TSection* TIniFile::Find(std::string_view section) const {
    for (const TSection& s : Sections)
        if (SameName(s.Name, section))
            return &s;
    return nullptr;
}

TIniFile::TSection& TIniFile::Obtain(std::string_view section) {
    for (TSection& s : Sections)
        if (SameName(s.Name, section))
            return s;
    Sections.push_back({std::string(section), {}});
    return Sections.back();
}

std::optional<std::string> TIniFile::Value(std::string_view section, std::string_view key) const {
    if (const TSection* s = Find(section))
        for (const auto& kv : s->Keys)
            if (SameName(kv.first, key))
                return kv.second;
    return std::nullopt;
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, const std::string& fallback) const {
    return Value(section, key).value_or(fallback);
}

int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const {
    const std::optional<std::string> text = Value(section, key);
    if (!text || text->empty())
        return fallback;
    const char* first = text->data();
    const char* last = first + text->size();
    if (*first == '+')
        ++first;
    int32_t value = 0;
    auto [end, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && end == last ? value : fallback;
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    TSection& s = Obtain(section);
    // Line breaks would split the entry; a value is one line.
    std::string clean(value);
    for (char& c : clean)
        if (c == '\n' || c == '\r')
            c = ' ';
    for (auto& kv : s.Keys)
        if (SameName(kv.first, key)) {
            kv.second = clean;
            return;
        }
    s.Keys.emplace_back(std::string(key), clean);
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::EraseSection(std::string_view section) {
    for (auto it = Sections.begin(); it != Sections.end(); ++it)
        if (SameName(it->Name, section)) {
            Sections.erase(it);
            return;
        }
}

void TIniFile::MergeMissing(const TIniFile& other, std::string_view except) {
    for (const TSection& s : other.Sections) {
        if (SameName(s.Name, except))
            continue;
        for (const auto& kv : s.Keys)
            if (!Value(s.Name, kv.first))
                Obtain(s.Name).Keys.push_back(kv);
    }
}

std::string TIniFile::Serialize() const {
    std::string out;
    for (const TSection& s : Sections) {
        if (!out.empty())
            out += "\n";
        out += "[" + s.Name + "]\n";
        for (const auto& kv : s.Keys)
            out += kv.first + "=" + kv.second + "\n";
    }
    return out;
}

bool TIniFile::Save(const std::string& path, const TWriteFaults* faults) const {
    return WriteFileAtomically(path, Serialize(), faults);
}
