// Memory for the many small blocks a season holds (texts, short lists of
// districts or teams). The heap adds 8 bytes to every block and never gives
// less than 32; blocks of up to 128 bytes come instead from a pool of
// 8-byte size classes with no overhead. Callers give back the size they took.
// Any thread may take or give (texts are copied on painting threads).
#pragma once

#include <cstddef>

constexpr size_t kLargestPooledBlock = 128;

// At least 8-byte aligned; throws std::bad_alloc when memory runs out.
void* TakeBlock(size_t bytes);
void GiveBlock(void* block, size_t bytes);

// What the pool holds, program-wide: the bytes of the slots taken and not
// given back, and of the chunks they are cut from (heap memory in use).
struct TPoolUse {
    size_t SlotBytes = 0;
    size_t ChunkBytes = 0;
};
TPoolUse PoolUse();
