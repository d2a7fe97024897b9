#include "TablePages.h"

#include <algorithm>

std::vector<TPageSlice> SplitIntoPages(int height, std::vector<int> rowEdges, int pageHeight) {
    std::vector<TPageSlice> pages;
    if (height <= 0)
        return pages;
    pageHeight = std::max(pageHeight, 1);
    std::sort(rowEdges.begin(), rowEdges.end());
    int top = 0;
    auto edge = rowEdges.begin();
    while (top < height) {
        const int limit = std::min(height, top + pageHeight);
        int bottom = limit;
        if (limit < height) {
            // The last edge inside the page, past its top.
            edge = std::upper_bound(edge, rowEdges.end(), top);
            auto last = std::upper_bound(edge, rowEdges.end(), limit);
            if (last != edge)
                bottom = *std::prev(last);
        }
        pages.push_back({top, bottom});
        top = bottom;
    }
    return pages;
}
