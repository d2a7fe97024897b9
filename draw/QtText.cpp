#include "draw/QtText.h"

QColor StoredToQColor(int32_t stored, const QPalette& palette) {
    const uint32_t value = static_cast<uint32_t>(stored);
    if (value & 0x80000000u) {
        switch (value & 0xFF) {
        case 5:
            return palette.color(QPalette::Base);
        case 8:
            return palette.color(QPalette::Text);
        case 15:
            return palette.color(QPalette::Button);
        case 16:
            return palette.color(QPalette::Dark);
        case 20:
            return palette.color(QPalette::Light);
        default:
            return palette.color(QPalette::Window);
        }
    }
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int32_t QColorToStored(const QColor& color) {
    return static_cast<int32_t>(static_cast<uint32_t>(color.red()) | static_cast<uint32_t>(color.green()) << 8 |
                                static_cast<uint32_t>(color.blue()) << 16);
}
