// The options dialog's rule for its row-count field, apart from the widgets.
#pragma once

#include <cstdint>
#include <string_view>

// The rows shown at once in the registration windows, as the options dialog
// offers them.
inline constexpr int32_t MinRegistrationRows = 1;
inline constexpr int32_t MaxRegistrationRows = 20;
inline constexpr int32_t DefaultRegistrationRows = 15;

// What the row-count field holds after the user changed it to `text`: the
// trimmed text read as a decimal integer, 15 when it is not one; below 1
// becomes 1, above 20 becomes 20 (also when the number is too long for an
// integer).
int32_t RowCountFromText(std::string_view text);
