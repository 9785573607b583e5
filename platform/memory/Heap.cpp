#include "Heap.h"

#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <mutex>
#include <unordered_map>

struct HeapObject {
    std::mutex lock;
    std::unordered_map<const void*, size_t> blocks; // block -> usable size
    size_t maximum = 0;
    size_t used = 0;
    bool process = false;
};

HHEAP GetProcessHeap()
{
    // Never destroyed, so that blocks freed during static destruction still find it.
    static HHEAP heap = [] {
        auto* h = new HeapObject;
        h->process = true;
        return h;
    }();
    return heap;
}

HHEAP HeapCreate(DWORD /*options*/, size_t /*initialSize*/, size_t maximumSize)
{
    auto* heap = new HeapObject;
    heap->maximum = maximumSize;
    return heap;
}

BOOL HeapDestroy(HHEAP heap)
{
    if (heap == nullptr || heap->process)
        return FALSE;
    for (const auto& [block, size] : heap->blocks)
        std::free(const_cast<void*>(block));
    delete heap;
    return TRUE;
}

void* HeapAlloc(HHEAP heap, DWORD flags, size_t bytes)
{
    if (heap == nullptr)
        return nullptr;
    void* block = std::malloc(bytes == 0 ? 1 : bytes);
    if (block == nullptr)
        return nullptr;
    const size_t usable = ::malloc_usable_size(block);
    std::lock_guard guard(heap->lock);
    if (heap->maximum != 0 && (usable > heap->maximum || heap->used > heap->maximum - usable)) {
        std::free(block);
        return nullptr;
    }
    if (flags & HEAP_ZERO_MEMORY)
        std::memset(block, 0, usable);
    heap->blocks.emplace(block, usable);
    heap->used += usable;
    return block;
}

BOOL HeapFree(HHEAP heap, DWORD /*flags*/, void* block)
{
    if (heap == nullptr || block == nullptr)
        return FALSE;
    std::lock_guard guard(heap->lock);
    const auto it = heap->blocks.find(block);
    if (it == heap->blocks.end())
        return FALSE;
    heap->used -= it->second;
    heap->blocks.erase(it);
    std::free(block);
    return TRUE;
}

size_t HeapSize(HHEAP heap, DWORD /*flags*/, const void* block)
{
    if (heap == nullptr)
        return size_t(-1);
    std::lock_guard guard(heap->lock);
    const auto it = heap->blocks.find(block);
    return it == heap->blocks.end() ? size_t(-1) : it->second;
}
