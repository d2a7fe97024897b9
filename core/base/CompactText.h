// Texts of the season's structure, stored small. A season file may hold
// hundreds of thousands of teams whose records are a few bytes each, and the
// season in memory must stay within a few times its file: a std::string costs
// 32 bytes before it holds anything, a heap block at least 32 more.
//
// TText takes 8 bytes: up to 7 bytes of text inside itself, longer ones in a
// block of their own (see SmallBlocks.h). TSymbol takes 4 bytes and holds at most 3.
// Both read like a std::string_view and convert to std::string.
#pragma once

#include "core/base/SmallBlocks.h"

#include <bit>
#include <compare>
#include <concepts>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

static_assert(std::endian::native == std::endian::little, "TText keeps short texts in its low bytes");

// Anything that reads as a std::string_view: std::string, literals, compact texts.
template <typename T>
concept TextLike = std::convertible_to<const T&, std::string_view>;

class TText {
public:
    TText() = default;
    template <TextLike S> TText(const S& text) { Assign(std::string_view(text)); }
    TText(const TText& other) { Assign(other.view()); }
    TText(TText&& other) noexcept = default;
    ~TText() { Release(); }

    TText& operator=(const TText& other) {
        if (this != &other)
            Assign(other.view());
        return *this;
    }
    TText& operator=(TText&& other) noexcept {
        if (this != &other) {
            Release();
            Handle.TakeFrom(other.Handle);
        }
        return *this;
    }
    template <TextLike S> TText& operator=(const S& text) {
        Assign(std::string_view(text));
        return *this;
    }
    void clear() { Assign({}); }

    std::string_view view() const;
    const char* data() const { return view().data(); }
    size_t size() const { return view().size(); }
    bool empty() const { return Handle.Get() == nullptr; }
    std::string str() const { return std::string(view()); }
    operator std::string_view() const { return view(); }
    operator std::string() const { return str(); }

private:
    void Assign(std::string_view text);
    void Release();

    // Inline: Handle.Raw[0] = length * 2 + 1, the bytes after it. Otherwise the
    // address of the block (even, as every block is aligned), or all zero for
    // the empty text. A block starts with the length: one byte below 255,
    // else 255 and four bytes.
    TPackedAddress Handle;
};

class TSymbol {
public:
    static constexpr size_t Capacity = 3;
    TSymbol() = default;
    // Keeps at most the first three bytes.
    template <TextLike S> TSymbol(const S& text) { assign(std::string_view(text)); }
    template <TextLike S> TSymbol& operator=(const S& text) {
        assign(std::string_view(text));
        return *this;
    }
    void assign(std::string_view text) {
        Length = static_cast<unsigned char>(text.size() < Capacity ? text.size() : Capacity);
        if (Length > 0) // an empty view may have no data at all
            std::memcpy(Bytes, text.data(), Length);
    }
    void clear() { Length = 0; }

    std::string_view view() const { return {Bytes, Length}; }
    const char* data() const { return Bytes; }
    size_t size() const { return Length; }
    bool empty() const { return Length == 0; }
    std::string str() const { return std::string(view()); }
    operator std::string_view() const { return view(); }
    operator std::string() const { return str(); }

private:
    unsigned char Length = 0;
    char Bytes[Capacity] = {};
};

template <typename T>
concept CompactText = std::same_as<T, TText> || std::same_as<T, TSymbol>;

// Comparing and joining, as if each side were a std::string_view; one side at
// least is a compact text (the standard library's operators serve the rest).
template <TextLike A, TextLike B>
requires(CompactText<A> || CompactText<B>) bool operator==(const A& a, const B& b) {
    return std::string_view(a) == std::string_view(b);
}
template <TextLike A, TextLike B>
requires(CompactText<A> || CompactText<B>) std::strong_ordering operator<=>(const A& a, const B& b) {
    return std::string_view(a) <=> std::string_view(b);
}
template <TextLike A, TextLike B>
requires(CompactText<A> || CompactText<B>) std::string operator+(const A& a, const B& b) {
    const std::string_view x(a), y(b);
    std::string joined;
    joined.reserve(x.size() + y.size());
    joined.append(x).append(y);
    return joined;
}

static_assert(sizeof(TText) == 8 && alignof(TText) == 4);
static_assert(sizeof(TSymbol) == 4 && alignof(TSymbol) == 1);
