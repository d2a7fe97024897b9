#include "draw/TablePages.h"

#include <algorithm>

std::vector<TPageSlice> SplitIntoPages(int height, std::vector<TSpan> whole, int pageHeight) {
    std::vector<TPageSlice> pages;
    if (height <= 0)
        return pages;
    pageHeight = std::max(pageHeight, 1);
    // Overlapping spans become one block; the blocks are then disjoint and sorted.
    std::sort(whole.begin(), whole.end(), [](const TSpan& a, const TSpan& b) { return a.Top < b.Top; });
    std::vector<TSpan> blocks;
    for (const TSpan& s : whole) {
        if (s.Bottom <= s.Top)
            continue;
        if (!blocks.empty() && s.Top < blocks.back().Bottom)
            blocks.back().Bottom = std::max(blocks.back().Bottom, s.Bottom);
        else
            blocks.push_back(s);
    }
    int top = 0;
    while (top < height) {
        int bottom = std::min(height, top + pageHeight);
        if (bottom < height) {
            // The block the page's end would cut, if any: the last one starting above it.
            auto after = std::upper_bound(blocks.begin(), blocks.end(), bottom - 1,
                                          [](int y, const TSpan& b) { return y < b.Top; });
            if (after != blocks.begin()) {
                const TSpan& cut = *std::prev(after);
                if (cut.Bottom > bottom && cut.Top > top)
                    bottom = cut.Top;
            }
        }
        pages.push_back({top, bottom});
        top = bottom;
    }
    return pages;
}
