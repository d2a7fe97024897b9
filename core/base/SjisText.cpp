#include "core/base/SjisText.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace sjis {
namespace {

// One conversion descriptor per direction and thread, opened on first use.
class TConverter {
public:
    TConverter(const char* to, const char* from) : Cd(iconv_open(to, from)) {
        if (Cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~TConverter() { iconv_close(Cd); }
    TConverter(const TConverter&) = delete;
    TConverter& operator=(const TConverter&) = delete;

    // Converts the whole input; on a bad sequence appends `replacement`, skips
    // one input byte and carries on.
    std::string Run(std::string_view input, std::string_view replacement, bool inputIsUtf8) {
        std::string out;
        out.reserve(input.size() * 3 / 2 + 4);
        iconv(Cd, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        char buffer[1024];
        while (inLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            size_t rc = iconv(Cd, &in, &inLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<size_t>(dst - buffer));
            if (rc != static_cast<size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL (truncated sequence at the end): replace one byte.
            out.append(replacement);
            ++in;
            --inLeft;
            // A character that cannot be converted counts once, not once per byte.
            while (inputIsUtf8 && inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80) {
                ++in;
                --inLeft;
            }
            iconv(Cd, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t Cd;
};

bool IsAscii(std::string_view text) {
    for (unsigned char c : text)
        if (c >= 0x80)
            return false;
    return true;
}

} // namespace

std::string ToUtf8(std::string_view sjisText) {
    if (IsAscii(sjisText))
        return std::string(sjisText);
    thread_local TConverter conv("UTF-8", "CP932");
    return conv.Run(sjisText, "\xEF\xBF\xBD", false);
}

std::string FromUtf8(std::string_view utf8Text) {
    if (IsAscii(utf8Text))
        return std::string(utf8Text);
    thread_local TConverter conv("CP932", "UTF-8");
    return conv.Run(utf8Text, "?", true);
}

} // namespace sjis
