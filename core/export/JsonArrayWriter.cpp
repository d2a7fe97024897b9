#include "core/export/JsonArrayWriter.h"

#include <cassert>
#include <nlohmann/json.hpp>
#include <ostream>

using nlohmann::ordered_json;

std::string JsonText(const ordered_json& value) {
    return value.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
}

TJsonArrayWriter::TJsonArrayWriter(std::ostream& out, const ordered_json& head, std::string_view arrayKey) : Out(out) {
    assert(head.is_object());
    std::string opening = JsonText(head);
    opening.pop_back(); // the object stays open for the array
    if (!head.empty())
        opening += ',';
    opening += JsonText(std::string(arrayKey));
    opening += ":[";
    Out << opening;
}

void TJsonArrayWriter::Add(const ordered_json& element) {
    Out << (Empty ? "\n  " : ",\n  ") << JsonText(element);
    Empty = false;
}

void TJsonArrayWriter::Finish() {
    Out << (Empty ? "" : "\n") << "]}\n";
}
