// Memory for the many small blocks a season holds (texts, short lists of
// districts or teams). The heap adds 8 bytes to every block and never gives
// less than 32; blocks of up to 128 bytes come instead from a pool of
// 8-byte size classes with no overhead. Callers give back the size they took.
// Any thread may take or give (texts are copied on painting threads).
#pragma once

#include <cstddef>
#include <cstring>

constexpr size_t kLargestPooledBlock = 128;

// At least 8-byte aligned; throws std::bad_alloc when memory runs out.
void* TakeBlock(size_t bytes);
void GiveBlock(void* block, size_t bytes);

// A block's address kept in 8 bytes that need only 4-byte alignment, so the
// small objects holding one pack without padding. Moving hands the address
// over and leaves the source all zero; the holder gives its block back itself.
struct TPackedAddress {
    TPackedAddress() = default;
    TPackedAddress(TPackedAddress&& other) noexcept { TakeFrom(other); }
    TPackedAddress& operator=(TPackedAddress&&) = delete;
    unsigned char* Get() const {
        unsigned char* address;
        std::memcpy(&address, Raw, sizeof address);
        return address;
    }
    void Set(const void* address) { std::memcpy(Raw, &address, sizeof address); }
    void TakeFrom(TPackedAddress& other) {
        std::memcpy(Raw, other.Raw, sizeof Raw);
        other.Clear();
    }
    void Clear() { std::memset(Raw, 0, sizeof Raw); }
    alignas(4) unsigned char Raw[8] = {};
};

// What the pool holds, program-wide: the bytes of the slots taken and not
// given back, and of the chunks they are cut from (heap memory in use).
struct TPoolUse {
    size_t SlotBytes = 0;
    size_t ChunkBytes = 0;
};
TPoolUse PoolUse();
