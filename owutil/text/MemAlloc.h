#pragma once
// A zero-filled block of elements on a heap, with every index checked. A
// block holds at most 65535 elements. Misuse throws xAllocException with a
// message from the library's string table:
//  - an element requested while there is no block (27000),
//  - an index not below the block's capacity (27001; the capacity is the
//    usable size the heap reports, which may exceed the count asked for),
//  - a resize to more than 65535 elements (27002; the block is unchanged),
//  - a resize the heap cannot satisfy (27003; the block is gone then).
// The library's internal working buffers; not exported.
#include "owutil/text/xAllocException.h"
#include "platform/memory/Heap.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <type_traits>

template <class T>
class MemAlloc {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_default_constructible_v<T>,
                  "blocks are zero-filled and copied bytewise");

public:
    static constexpr unsigned int MaxCount = 65535;

    // An empty block on the process heap, moved to heap (null: the process
    // heap), then resized to count elements when count is not 0.
    explicit MemAlloc(unsigned int count = 0, HHEAP heap = nullptr)
    {
        m_heap = GetProcessHeap();
        SetHeap(heap);
        if (count != 0)
            Resize(count);
    }
    MemAlloc(const MemAlloc&) = delete;
    MemAlloc& operator=(const MemAlloc&) = delete;

    virtual ~MemAlloc()
    {
        if (m_data)
            HeapFree(m_heap, 0, m_data);
        m_heap = nullptr;
        m_data = nullptr;
        m_count = m_capacity = m_fillPos = 0;
    }

    T& operator[](unsigned int index) { return m_data[check(index)]; }
    const T& operator[](unsigned int index) const { return m_data[check(index)]; }

    // Keeps the first elements that fit and zero-fills the rest.
    void Resize(unsigned int count)
    {
        if (count > MaxCount)
            xAllocException::ThrowTooLarge(typeName(), count, unsigned(sizeof(T)));
        if (count != m_count)
            reallocate(count, true);
        if (m_capacity < count)
            xAllocException::ThrowNotAllocated(typeName(), int(count), int(m_capacity), unsigned(sizeof(T)));
    }

    // Moves the block to heap (null: the process heap), keeping its content.
    void SetHeap(HHEAP heap)
    {
        if (heap == nullptr)
            heap = GetProcessHeap();
        if (heap == m_heap)
            return;
        HHEAP oldHeap = m_heap;
        T* oldData = m_data;
        m_heap = heap;
        reallocate(m_count, false);
        if (oldData)
            HeapFree(oldHeap, 0, oldData);
    }

    HHEAP GetHeap() const { return m_heap; }
    T* GetData() { return m_data; }
    const T* GetData() const { return m_data; }
    unsigned int GetCount() const { return m_count; }
    unsigned int GetCapacity() const { return m_capacity; }
    unsigned int GetFillPos() const { return m_fillPos; }
    void SetFillPos(unsigned int pos) { m_fillPos = std::min(pos, m_count); }

private:
    static const char* typeName() { return xAllocException::TypeName(typeid(T)); }

    unsigned int check(unsigned int index) const
    {
        if (m_data == nullptr)
            xAllocException::ThrowNoBuffer(typeName(), index, unsigned(sizeof(T)));
        if (index >= m_capacity)
            xAllocException::ThrowBadIndex(typeName(), index, m_count, m_capacity, unsigned(sizeof(T)));
        return index;
    }

    // A new block of count elements on the current heap with the old content;
    // the old block is freed here unless the caller frees it on another heap.
    void reallocate(unsigned int count, bool freeOld)
    {
        T* block = nullptr;
        if (count != 0) {
            block = static_cast<T*>(HeapAlloc(m_heap, HEAP_ZERO_MEMORY, size_t(count) * sizeof(T)));
            if (block && m_data)
                std::memcpy(static_cast<void*>(block), m_data, size_t(std::min(count, m_count)) * sizeof(T));
        }
        if (freeOld && m_data)
            HeapFree(m_heap, 0, m_data);
        m_data = block;
        m_count = block ? count : 0;
        m_capacity = 0;
        if (block) {
            const size_t usable = HeapSize(m_heap, 0, block) / sizeof(T);
            m_capacity = unsigned(std::min<size_t>(usable, UINT_MAX));
        }
        m_fillPos = std::min(m_fillPos, m_count);
    }

    HHEAP m_heap = nullptr;
    unsigned int m_count = 0;
    unsigned int m_capacity = 0;
    unsigned int m_fillPos = 0;
    T* m_data = nullptr;
};
