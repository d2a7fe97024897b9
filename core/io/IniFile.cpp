#include "core/io/IniFile.h"

#include <charconv>

namespace {

// Names compare without regard to ASCII case: the indexes hold them in lower case.
std::string Lower(std::string_view name) {
    std::string lower(name);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

void Append(std::vector<std::string>& to, const std::vector<std::string>& lines) {
    to.insert(to.end(), lines.begin(), lines.end());
}

} // namespace

TIniFile::TEntry* TIniFile::TSection::Find(std::string_view key) {
    const auto it = KeyIndex.find(Lower(key));
    return it == KeyIndex.end() ? nullptr : &Keys[it->second];
}

const TIniFile::TEntry* TIniFile::TSection::Find(std::string_view key) const {
    const auto it = KeyIndex.find(Lower(key));
    return it == KeyIndex.end() ? nullptr : &Keys[it->second];
}

TIniFile::TEntry& TIniFile::TSection::Obtain(std::string_view key) {
    const auto [it, added] = KeyIndex.try_emplace(Lower(key), Keys.size());
    if (added)
        Keys.push_back({std::string(key), std::string(), {}});
    return Keys[it->second];
}

TIniFile TIniFile::Parse(std::string_view bytes) {
    TIniFile ini;
    TSection* current = nullptr;
    std::vector<std::string> comments; // waiting for the section or key below them
    while (!bytes.empty()) {
        const size_t end = bytes.find('\n');
        std::string_view line = Trim(bytes.substr(0, end));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.empty())
            continue;
        if (line.front() == ';') {
            comments.emplace_back(line);
            continue;
        }
        if (line.front() == '[') {
            const size_t close = line.find(']');
            if (close == std::string_view::npos)
                continue;
            // Comments above the first section are the file's own, at its top.
            const bool first = !current;
            current = &ini.Obtain(Trim(line.substr(1, close - 1)));
            Append(first ? ini.LeadingComments : current->Comments, comments);
            comments.clear();
            continue;
        }
        const size_t eq = line.find('=');
        if (!current || eq == std::string_view::npos)
            continue;
        const std::string_view key = Trim(line.substr(0, eq)), value = Trim(line.substr(eq + 1));
        if (key.empty() || current->Find(key))
            continue; // the first of repeated keys counts
        TEntry& entry = current->Obtain(key);
        entry.Value = value;
        entry.Comments = std::move(comments);
        comments.clear();
    }
    ini.TrailingComments = std::move(comments);
    return ini;
}

TIniFile TIniFile::Load(const std::string& path) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes, size_t(16) << 20))
        return TIniFile();
    return Parse(bytes);
}

const TIniFile::TSection* TIniFile::Find(std::string_view section) const {
    const auto it = SectionIndex.find(Lower(section));
    return it == SectionIndex.end() ? nullptr : &Sections[it->second];
}

TIniFile::TSection& TIniFile::Obtain(std::string_view section) {
    const auto [it, added] = SectionIndex.try_emplace(Lower(section), Sections.size());
    if (added)
        Sections.push_back({std::string(section), {}, {}, {}});
    return Sections[it->second];
}

std::optional<std::string> TIniFile::Value(std::string_view section, std::string_view key) const {
    if (const TSection* s = Find(section))
        if (const TEntry* entry = s->Find(key))
            return entry->Value;
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
    // Line breaks would split the entry; a value is one line, and its ends are
    // trimmed as reading trims them, so what is written is what is read.
    std::string clean(value);
    for (char& c : clean)
        if (c == '\n' || c == '\r')
            c = ' ';
    Obtain(section).Obtain(key).Value = Trim(clean);
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::EraseSection(std::string_view section) {
    const auto it = SectionIndex.find(Lower(section));
    if (it == SectionIndex.end())
        return;
    Sections.erase(Sections.begin() + static_cast<std::ptrdiff_t>(it->second));
    SectionIndex.clear();
    for (size_t i = 0; i < Sections.size(); ++i)
        SectionIndex.emplace(Lower(Sections[i].Name), i);
}

void TIniFile::MergeMissing(const TIniFile& other, std::string_view except) {
    const std::string skipped = Lower(except);
    for (const TSection& theirs : other.Sections) {
        if (Lower(theirs.Name) == skipped) {
            const auto it = SectionIndex.find(skipped);
            if (it != SectionIndex.end() && Sections[it->second].Comments.empty())
                Sections[it->second].Comments = theirs.Comments;
            continue;
        }
        TSection& ours = Obtain(theirs.Name);
        if (ours.Comments.empty())
            ours.Comments = theirs.Comments;
        for (const TEntry& entry : theirs.Keys) {
            if (TEntry* mine = ours.Find(entry.Key)) {
                if (mine->Comments.empty())
                    mine->Comments = entry.Comments;
            } else {
                ours.Obtain(entry.Key) = entry;
            }
        }
    }
    if (LeadingComments.empty())
        LeadingComments = other.LeadingComments;
    if (TrailingComments.empty())
        TrailingComments = other.TrailingComments;
}

std::string TIniFile::Serialize() const {
    std::string out;
    auto comments = [&out](const std::vector<std::string>& lines) {
        for (const std::string& line : lines) {
            out += line;
            out += '\n';
        }
    };
    comments(LeadingComments);
    for (const TSection& s : Sections) {
        if (&s != &Sections.front())
            out += '\n';
        comments(s.Comments);
        out += '[';
        out += s.Name;
        out += "]\n";
        for (const TEntry& entry : s.Keys) {
            comments(entry.Comments);
            out += entry.Key;
            out += '=';
            out += entry.Value;
            out += '\n';
        }
    }
    comments(TrailingComments);
    return out;
}

bool TIniFile::Save(const std::string& path, const TWriteFaults* faults) const {
    return WriteFileAtomically(path, Serialize(), faults);
}
