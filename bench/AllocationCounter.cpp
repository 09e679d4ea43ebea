// Replacements of the global operator new and delete that count every allocation. They
// live in a file of their own so the compiler never sees one inlined into a caller.
#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace {

std::size_t gAllocations = 0;

void* allocate(std::size_t size) noexcept {
    ++gAllocations;
    return std::malloc(size == 0 ? 1 : size);
}

}  // namespace

std::size_t allocationCount() {
    return gAllocations;
}

void* operator new(std::size_t size) {
    if (void* memory = allocate(size)) {
        return memory;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t& /*unused*/) noexcept {
    return allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t& /*unused*/) noexcept {
    return allocate(size);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t /*size*/) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t /*size*/) noexcept {
    std::free(memory);
}
