// The list operations the season's three structure levels share: each level
// owns its children, appends empty ones, refuses out-of-range deletes and
// sorts by the children's OrderKey.
#pragma once

#include <algorithm>
#include <memory>
#include <vector>

template <typename T> class TOwnedList {
public:
    int Count() const { return static_cast<int>(Items.size()); }
    T& Get(int index) const { return *Items[static_cast<size_t>(index)]; }

    int Add() {
        Items.push_back(std::make_unique<T>());
        return Count() - 1;
    }

    // Room for `count` items, so a list read from a file whose count is known
    // holds no more than it needs.
    void Reserve(int count) { Items.reserve(static_cast<size_t>(std::max(count, 0))); }

    bool Delete(int index) {
        if (index < 0 || index >= Count())
            return false;
        Items.erase(Items.begin() + index);
        return true;
    }

    // Ascending by OrderKey; items with equal keys end in no particular order.
    void SortByOrderKey() {
        if (Items.size() < 2)
            return;
        std::stable_sort(Items.begin(), Items.end(), [](const std::unique_ptr<T>& a, const std::unique_ptr<T>& b) {
            return a->OrderKey < b->OrderKey;
        });
    }

    // Moves an item to another position (used by reordering in the editor).
    void Move(int from, int to) {
        auto item = std::move(Items[static_cast<size_t>(from)]);
        Items.erase(Items.begin() + from);
        Items.insert(Items.begin() + to, std::move(item));
    }

    auto begin() const { return Items.begin(); }
    auto end() const { return Items.end(); }

private:
    std::vector<std::unique_ptr<T>> Items;
};
