// The log keeps its text in 1 MiB chunks. Under AddressSanitizer every such block is mapped,
// poisoned and unmapped afresh, which made each fuzz input cost a millisecond; this keeps a few
// freed blocks of that size for reuse (array new only, which is what the log uses), so the run
// spends its time in the code under test. Overflows past a block are still caught.
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

constexpr std::size_t kHeader = alignof(std::max_align_t);
constexpr std::size_t kCachedSize = std::size_t{1} << 20;
constexpr int kCacheSlots = 8;

void* cache[kCacheSlots];
int cached = 0;

void* Allocate(std::size_t size) {
    if (size == kCachedSize && cached > 0)
        return static_cast<char*>(cache[--cached]) + kHeader;
    void* block = std::malloc(size + kHeader);
    if (block == nullptr)
        throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = size;
    return static_cast<char*>(block) + kHeader;
}

void Release(void* p) noexcept {
    if (p == nullptr)
        return;
    void* block = static_cast<char*>(p) - kHeader;
    if (*static_cast<std::size_t*>(block) == kCachedSize && cached < kCacheSlots) {
        cache[cached++] = block;
        return;
    }
    std::free(block);
}

}  // namespace

void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete[](void* p) noexcept {
    Release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    Release(p);
}
