#include "core/base/SmallBlocks.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

// GCC says so with __SANITIZE_ADDRESS__, clang before 15 only through __has_feature.
#if defined(__SANITIZE_ADDRESS__)
#define TABLORA_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TABLORA_ASAN 1
#endif
#endif

#if defined(TABLORA_ASAN)
#include <sanitizer/asan_interface.h>
#define TABLORA_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define TABLORA_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define TABLORA_POISON(p, n) ((void)(p), (void)(n))
#define TABLORA_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace {

constexpr size_t kClassStep = 8;
constexpr size_t kClasses = kLargestPooledBlock / kClassStep;
constexpr size_t kChunkBytes = 64 * 1024;

size_t ClassOf(size_t bytes) {
    return (bytes + kClassStep - 1) / kClassStep - 1;
}

// Slots are cut from 64 KiB chunks in the order asked for and, once given
// back, kept on their class's free list for the next block of that class.
// Chunks live as long as the program. Under AddressSanitizer a free slot and
// the unused tail of a taken one are poisoned, so stray reads still show.
class TPool {
public:
    void* Take(size_t bytes) {
        const size_t c = ClassOf(bytes);
        const size_t slotBytes = (c + 1) * kClassStep;
        std::lock_guard lock(Guard);
        void* slot = Free[c];
        if (slot) {
            TABLORA_UNPOISON(slot, sizeof(void*));
            std::memcpy(&Free[c], slot, sizeof(void*));
        } else {
            if (static_cast<size_t>(End - Next) < slotBytes) {
                auto* chunk = static_cast<unsigned char*>(std::malloc(kChunkBytes));
                if (!chunk)
                    throw std::bad_alloc();
                Chunks.push_back(chunk);
                TABLORA_POISON(chunk, kChunkBytes);
                Next = chunk;
                End = chunk + kChunkBytes;
            }
            slot = Next;
            Next += slotBytes;
        }
        TABLORA_POISON(slot, slotBytes);
        TABLORA_UNPOISON(slot, bytes);
        InUse += slotBytes;
        return slot;
    }
    void Give(void* slot, size_t bytes) {
        const size_t c = ClassOf(bytes);
        std::lock_guard lock(Guard);
        TABLORA_UNPOISON(slot, sizeof(void*));
        std::memcpy(slot, &Free[c], sizeof(void*));
        Free[c] = slot;
        TABLORA_POISON(slot, (c + 1) * kClassStep);
        InUse -= (c + 1) * kClassStep;
    }
    TPoolUse Use() {
        std::lock_guard lock(Guard);
        return {InUse, Chunks.size() * kChunkBytes};
    }

private:
    std::mutex Guard;
    std::array<void*, kClasses> Free{};
    unsigned char* Next = nullptr;
    unsigned char* End = nullptr;
    size_t InUse = 0;
    std::vector<unsigned char*> Chunks; // so leak checkers see the chunks as held
};

TPool& Pool() {
    // Never destroyed: blocks of static objects may be given back after main returns.
    static TPool* pool = new TPool;
    return *pool;
}

} // namespace

void* TakeBlock(size_t bytes) {
    if (bytes == 0)
        bytes = 1;
    if (bytes <= kLargestPooledBlock)
        return Pool().Take(bytes);
    void* block = std::malloc(bytes);
    if (!block)
        throw std::bad_alloc();
    return block;
}

void GiveBlock(void* block, size_t bytes) {
    if (!block)
        return;
    if (bytes == 0)
        bytes = 1;
    if (bytes <= kLargestPooledBlock)
        Pool().Give(block, bytes);
    else
        std::free(block);
}

TPoolUse PoolUse() {
    return Pool().Use();
}
