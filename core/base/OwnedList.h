// The list operations the season's three structure levels share: each level
// owns its children, appends empty ones, refuses out-of-range deletes and
// sorts by the children's OrderKey.
//
// The children are stored by value in one block, and the list itself takes
// 8 bytes: a season of half a million empty districts must stay within a few
// times its file. The block starts with the count; its room follows from the
// count alone (exact up to 16, then at most 1/16 more), so it is never stored.
// Adding or deleting may move the children: hold indexes, not references,
// across either.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <new>

#include "core/base/SmallBlocks.h"

template <typename T> class TOwnedList {
    static_assert(alignof(T) <= alignof(uint32_t), "the children follow a 4-byte count");

public:
    TOwnedList() = default;
    TOwnedList(const TOwnedList&) = delete;
    TOwnedList& operator=(const TOwnedList&) = delete;
    TOwnedList(TOwnedList&& other) noexcept = default;
    TOwnedList& operator=(TOwnedList&& other) noexcept {
        if (this != &other) {
            Clear();
            Address.TakeFrom(other.Address);
        }
        return *this;
    }
    ~TOwnedList() { Clear(); }

    int Count() const {
        const unsigned char* block = Block();
        if (!block)
            return 0;
        uint32_t count;
        std::memcpy(&count, block, sizeof count);
        return static_cast<int>(count);
    }
    T& Get(int index) const { return Items()[index]; }

    int Add() {
        const int count = Count();
        Reshape(count + 1, count);
        new (Items() + count) T();
        return count;
    }

    // Exactly `count` new children in place of the old ones, in one block: a
    // list read from a file whose count is known.
    void Resize(int count) {
        Clear();
        if (count <= 0)
            return;
        Reshape(count, 0);
        T* items = Items();
        for (int i = 0; i < count; ++i)
            new (items + i) T();
    }

    bool Delete(int index) {
        const int count = Count();
        if (index < 0 || index >= count)
            return false;
        // A smaller block is taken before anything moves: running out of
        // memory leaves the list as it was.
        const uint32_t room = RoomFor(static_cast<uint32_t>(count - 1));
        unsigned char* smaller = nullptr;
        if (room > 0 && room != RoomFor(static_cast<uint32_t>(count)))
            smaller = static_cast<unsigned char*>(TakeBlock(BlockBytes(room)));
        T* items = Items();
        std::move(items + index + 1, items + count, items + index);
        items[count - 1].~T();
        Reshape(count - 1, count - 1, smaller);
        return true;
    }

    // Ascending by OrderKey; items with equal keys end in no particular order.
    void SortByOrderKey() {
        if (Count() < 2)
            return;
        std::stable_sort(begin(), end(), [](const T& a, const T& b) { return a.OrderKey < b.OrderKey; });
    }

    // Moves an item to another position (used by reordering in the editor).
    void Move(int from, int to) {
        T* items = Items();
        if (from < to)
            std::rotate(items + from, items + from + 1, items + to + 1);
        else if (to < from)
            std::rotate(items + to, items + from, items + from + 1);
    }

    T* begin() const { return Items(); }
    T* end() const { return Items() + Count(); }

    // The number of children a block for `count` of them has room for.
    static uint32_t RoomFor(uint32_t count) {
        if (count <= 16)
            return count;
        const uint32_t step = uint32_t(1) << (std::bit_width(count) - 5);
        return (count + step - 1) / step * step;
    }

private:
    unsigned char* Block() const { return Address.Get(); }
    T* Items() const {
        unsigned char* block = Block();
        return block ? std::launder(reinterpret_cast<T*>(block + sizeof(uint32_t))) : nullptr;
    }
    static size_t BlockBytes(uint32_t room) { return sizeof(uint32_t) + size_t(room) * sizeof(T); }
    void SetCount(uint32_t count) { std::memcpy(Block(), &count, sizeof count); }

    // Makes the block fit `count` children, of which the first `live` exist
    // (the rest are constructed by the caller). A new block (`taken`, when the
    // caller took it already) gets the live children moved over; none is
    // needed while the room stays the same.
    void Reshape(int count, int live, unsigned char* taken = nullptr) {
        unsigned char* old = Block();
        const uint32_t oldRoom = old ? RoomFor(static_cast<uint32_t>(Count())) : 0;
        const uint32_t room = RoomFor(static_cast<uint32_t>(count));
        if (room == oldRoom && old) {
            SetCount(static_cast<uint32_t>(count));
            return;
        }
        unsigned char* block = nullptr;
        if (room > 0) {
            block = taken ? taken : static_cast<unsigned char*>(TakeBlock(BlockBytes(room)));
            T* items = reinterpret_cast<T*>(block + sizeof(uint32_t));
            T* from = Items();
            for (int i = 0; i < live; ++i) {
                new (items + i) T(std::move(from[i]));
                from[i].~T();
            }
        }
        GiveBlock(old, BlockBytes(oldRoom));
        Address.Set(block);
        if (block)
            SetCount(static_cast<uint32_t>(count));
    }
    void Clear() {
        const int count = Count();
        T* items = Items();
        for (int i = 0; i < count; ++i)
            items[i].~T();
        GiveBlock(Block(), BlockBytes(RoomFor(static_cast<uint32_t>(count))));
        Address.Clear();
    }

    TPackedAddress Address; // of the block, or zero for no children
};
