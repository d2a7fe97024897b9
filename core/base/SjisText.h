// The one text codec of the program. Everything the season holds is Shift-JIS
// (code page 932); the terminal, JSON and the widgets speak UTF-8. Conversion
// happens only here.
#pragma once

#include <string>
#include <string_view>

namespace sjis {

// Shift-JIS bytes to UTF-8. A byte sequence that is not valid CP932 becomes
// U+FFFD and decoding goes on with the next byte, so nothing is ever dropped
// silently or read past the end.
std::string ToUtf8(std::string_view sjisText);

// UTF-8 to Shift-JIS. A character CP932 cannot hold becomes "?"; invalid UTF-8
// bytes are treated the same way.
std::string FromUtf8(std::string_view utf8Text);

// Shorthand for literal texts of the program written in UTF-8 in the source.
inline std::string S(std::string_view utf8Literal) {
    return FromUtf8(utf8Literal);
}

} // namespace sjis
