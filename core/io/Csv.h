// Comma-separated values as RFC 4180 writes them: fields split at commas,
// records at CR LF, LF or a lone CR, and a field in double quotes may hold
// commas, line breaks and doubled quotes. Works on bytes, so UTF-8 and
// Shift-JIS text read alike (no Shift-JIS byte pair holds a comma, a quote or
// a line break).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TCsvReader {
public:
    explicit TCsvReader(std::string_view bytes) : Bytes(bytes) {}
    // The reader keeps a view: it must not outlive the text it reads.
    explicit TCsvReader(std::string&&) = delete;

    // The next record's fields; false at the end. A record that ends inside
    // quotes (at the end of the file) is returned as read, with Unclosed() true.
    bool Next(std::vector<std::string>& fields);
    // The line the last record started on, counted from 1.
    int Line() const { return RecordLine; }
    bool Unclosed() const { return Open; }

private:
    std::string_view Bytes;
    size_t Pos = 0;
    int NextLine = 1;
    int RecordLine = 0;
    bool Open = false;
};

// A field that is a whole number and nothing else ("12", "-3"), or none.
std::optional<int> FieldNumber(std::string_view text);

// One field as a CSV writes it: in quotes, with quotes doubled, when it holds
// a comma, a quote, a line break or spaces at either end.
std::string CsvField(std::string_view text);
