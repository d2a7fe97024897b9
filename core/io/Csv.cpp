#include "core/io/Csv.h"

#include <charconv>

namespace {

bool LineEnd(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

bool TCsvReader::Next(std::vector<std::string>& fields) {
    fields.clear();
    Open = false;
    if (Pos >= Bytes.size())
        return false;
    RecordLine = NextLine;
    const char* data = Bytes.data();
    const size_t size = Bytes.size();
    std::string field;
    for (;;) {
        field.clear();
        if (Pos < size && data[Pos] == '"') {
            ++Pos;
            for (;;) {
                if (Pos >= size) {
                    Open = true;
                    break;
                }
                const char c = data[Pos++];
                if (c == '"') {
                    if (Pos < size && data[Pos] == '"') {
                        field += '"';
                        ++Pos;
                        continue;
                    }
                    break;
                }
                if (c == '\n' || (c == '\r' && (Pos >= size || data[Pos] != '\n')))
                    ++NextLine;
                field += c;
            }
            // Anything between the closing quote and the next comma is kept as
            // written ("a"b reads as ab), as spreadsheets do.
        }
        const size_t start = Pos;
        while (Pos < size && data[Pos] != ',' && !LineEnd(data[Pos]))
            ++Pos;
        field.append(data + start, Pos - start);
        fields.push_back(field);
        if (Pos < size && data[Pos] == ',') {
            ++Pos;
            continue;
        }
        if (Pos < size) { // a line end
            if (data[Pos] == '\r' && Pos + 1 < size && data[Pos + 1] == '\n')
                ++Pos;
            ++Pos;
            ++NextLine;
        }
        return true;
    }
}

std::optional<int> FieldNumber(std::string_view text) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string CsvField(std::string_view text) {
    const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote)
        return std::string(text);
    std::string field = "\"";
    for (char c : text) {
        if (c == '"')
            field += '"';
        field += c;
    }
    field += '"';
    return field;
}
