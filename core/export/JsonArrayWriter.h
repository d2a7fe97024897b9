// A JSON document written a piece at a time: an object whose last member is
// an array, each element written as soon as it is made. A district can hold
// tens of thousands of teams; its document never sits in memory whole.
// nlohmann-json writes every member and element; each element takes a line.
#pragma once

#include <iosfwd>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <string_view>

// A value as compact JSON text. A text that is not UTF-8 is written with
// U+FFFD for its bad bytes rather than failing halfway through a document.
std::string JsonText(const nlohmann::ordered_json& value);

class TJsonArrayWriter {
public:
    // Writes `head`'s members (`head` is an object), then `arrayKey` and the array's opening.
    TJsonArrayWriter(std::ostream& out, const nlohmann::ordered_json& head, std::string_view arrayKey);
    void Add(const nlohmann::ordered_json& element);
    // Closes the array and the object, and ends the line.
    void Finish();

private:
    std::ostream& Out;
    bool Empty = true;
};
