// The one place where model texts (Shift-JIS bytes) meet Qt strings, and
// where stored colors (0x00BBGGRR, or a system color) become QColors.
#pragma once

#include "core/base/SjisText.h"

#include <QColor>
#include <QPalette>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

inline QString Q(std::string_view sjisText) {
    return QString::fromStdString(sjis::ToUtf8(sjisText));
}
inline std::string FromQ(const QString& text) {
    return sjis::FromUtf8(text.toStdString());
}

// A stored color with the top bit set names a system color by index:
// 5 window background, 8 window text, 15 button face, 16 button shadow, 20 button highlight.
QColor StoredToQColor(int32_t stored, const QPalette& palette);
int32_t QColorToStored(const QColor& color);
