#include "ViewContext.h"

#include "controls/QtText.h"

QColor TViewContext::Color(int32_t stored) const {
    return StoredToQColor(stored, Palette);
}
