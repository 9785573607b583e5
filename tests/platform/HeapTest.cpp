#include "platform/memory/Heap.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(Heap, BlocksBelongToTheirHeap)
{
    HHEAP heap = HeapCreate(0, 0, 0);
    ASSERT_NE(heap, nullptr);
    auto* block = static_cast<unsigned char*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, 100));
    ASSERT_NE(block, nullptr);
    const size_t usable = HeapSize(heap, 0, block);
    EXPECT_GE(usable, 100u);
    for (size_t i = 0; i < usable; ++i)
        ASSERT_EQ(block[i], 0) << i;
    // Another heap neither sizes nor frees it.
    EXPECT_EQ(HeapSize(GetProcessHeap(), 0, block), size_t(-1));
    EXPECT_FALSE(HeapFree(GetProcessHeap(), 0, block));
    EXPECT_TRUE(HeapFree(heap, 0, block));
    EXPECT_FALSE(HeapFree(heap, 0, block));
    // Destroying a heap frees what is left on it.
    HeapAlloc(heap, 0, 10);
    EXPECT_TRUE(HeapDestroy(heap));
    EXPECT_FALSE(HeapDestroy(GetProcessHeap()));
    EXPECT_FALSE(HeapDestroy(nullptr));
    EXPECT_EQ(HeapAlloc(nullptr, 0, 1), nullptr);
}

TEST(Heap, MaximumSizeIsKept)
{
    HHEAP heap = HeapCreate(0, 0, 256);
    void* a = HeapAlloc(heap, 0, 100);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(HeapAlloc(heap, 0, 300), nullptr);
    // Space comes back when a block is freed.
    void* b = HeapAlloc(heap, 0, 100);
    if (b == nullptr) {
        EXPECT_TRUE(HeapFree(heap, 0, a));
        b = HeapAlloc(heap, 0, 100);
    }
    EXPECT_NE(b, nullptr);
    EXPECT_TRUE(HeapDestroy(heap));
}

TEST(Heap, ZeroBytesGiveABlock)
{
    void* block = HeapAlloc(GetProcessHeap(), 0, 0);
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(HeapFree(GetProcessHeap(), 0, block));
}
