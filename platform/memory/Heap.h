#pragma once
// Private heaps with the contract of the Windows heap functions: blocks
// belong to the heap that allocated them, a heap may have a maximum size,
// HeapSize reports a block's usable size (which may exceed the size asked
// for), and destroying a heap frees every block still on it.
#include "platform/types/Win32Types.h"

#include <cstddef>

struct HeapObject;
using HHEAP = HeapObject*;

enum : DWORD {
    HEAP_NO_SERIALIZE = 0x1,  // accepted; every heap is serialised here
    HEAP_ZERO_MEMORY = 0x8,   // the whole usable block is zero-filled
};

// The heap of the process: always there, never destroyed.
HHEAP GetProcessHeap();

// A new heap. maximumSize 0 lets it grow without bound; otherwise the total
// usable size of its blocks stays within maximumSize bytes. initialSize is
// accepted for the platform's signature (nothing is reserved ahead).
HHEAP HeapCreate(DWORD options, size_t initialSize, size_t maximumSize);
// Frees every block of heap and heap itself. The process heap cannot be destroyed.
BOOL HeapDestroy(HHEAP heap);

// A block of at least bytes bytes, or null when the heap cannot give one.
void* HeapAlloc(HHEAP heap, DWORD flags, size_t bytes);
// Frees a block of heap. FALSE (and nothing freed) for a block of another heap.
BOOL HeapFree(HHEAP heap, DWORD flags, void* block);
// The usable size of a block of heap, or (size_t)-1 for a block it does not own.
size_t HeapSize(HHEAP heap, DWORD flags, const void* block);
