// How a tall table is spread over printed pages: a page never ends inside
// something that must stay whole (a row's texts, a picture).
#pragma once

#include <vector>

struct TPageSlice {
    int Top = 0;
    int Bottom = 0; // exclusive
    bool operator==(const TPageSlice&) const = default;
};

// Rows [Top, Bottom) that a page must not end inside.
struct TSpan {
    int Top = 0;
    int Bottom = 0;
};

// Splits `height` pixels into pages of at most `pageHeight` pixels, each
// ending as low as it can without cutting into a span. A span taller than a
// whole page is cut where the page ends.
std::vector<TPageSlice> SplitIntoPages(int height, std::vector<TSpan> whole, int pageHeight);
