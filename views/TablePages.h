// How a tall table is spread over printed pages: each page ends at the last
// row edge that fits on it, so no row is cut in half.
#pragma once

#include <vector>

struct TPageSlice {
    int Top = 0;
    int Bottom = 0; // exclusive
    bool operator==(const TPageSlice&) const = default;
};

// Splits `height` pixels of table into pages of at most `pageHeight` pixels.
// `rowEdges` are the y positions between rows (any order; edges outside the
// table are ignored). A row taller than a whole page is cut where the page ends.
std::vector<TPageSlice> SplitIntoPages(int height, std::vector<int> rowEdges, int pageHeight);
