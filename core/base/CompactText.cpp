#include "core/base/CompactText.h"

#include <stdexcept>

namespace {

constexpr size_t kInlineBytes = 7;
constexpr size_t kLongLength = 255; // a length byte of 255: four length bytes follow

size_t BlockBytes(size_t length) {
    return length < kLongLength ? 1 + length : 5 + length;
}

} // namespace

std::string_view TText::view() const {
    const unsigned char* raw = Handle.Raw;
    if (raw[0] & 1)
        return {reinterpret_cast<const char*>(raw + 1), static_cast<size_t>(raw[0] >> 1)};
    const unsigned char* block = Handle.Get();
    if (!block)
        return {};
    if (block[0] < kLongLength)
        return {reinterpret_cast<const char*>(block + 1), block[0]};
    uint32_t length;
    std::memcpy(&length, block + 1, 4);
    return {reinterpret_cast<const char*>(block + 5), length};
}

void TText::Assign(std::string_view text) {
    TPackedAddress next;
    if (text.size() <= kInlineBytes) {
        if (!text.empty()) {
            next.Raw[0] = static_cast<unsigned char>(text.size() * 2 + 1);
            std::memcpy(next.Raw + 1, text.data(), text.size());
        }
    } else {
        if (text.size() > UINT32_MAX)
            throw std::length_error("TText");
        auto* block = static_cast<unsigned char*>(TakeBlock(BlockBytes(text.size())));
        if (text.size() < kLongLength) {
            block[0] = static_cast<unsigned char>(text.size());
            std::memcpy(block + 1, text.data(), text.size());
        } else {
            const auto length = static_cast<uint32_t>(text.size());
            block[0] = static_cast<unsigned char>(kLongLength);
            std::memcpy(block + 1, &length, 4);
            std::memcpy(block + 5, text.data(), text.size());
        }
        next.Set(block);
    }
    // The new text is complete before the old one goes: `text` may be this one.
    Release();
    Handle.TakeFrom(next);
}

void TText::Release() {
    if (!(Handle.Raw[0] & 1))
        GiveBlock(Handle.Get(), BlockBytes(view().size()));
    Handle.Clear();
}
