#include "core/rules/OptionRules.h"

#include <algorithm>
#include <charconv>

int32_t RowCountFromText(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return DefaultRegistrationRows;
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range || value > MaxRegistrationRows)
        return negative ? MinRegistrationRows : MaxRegistrationRows;
    if (negative)
        value = -value;
    return static_cast<int32_t>(std::clamp<int64_t>(value, MinRegistrationRows, MaxRegistrationRows));
}
