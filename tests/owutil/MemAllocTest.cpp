#include "owutil/text/MemAlloc.h"

#include <gtest/gtest.h>

#include <string>

namespace element_types_with_long_names {
struct AnElementTypeWhoseNameIsLongEnoughToOverflow {
    char bytes[3];
};
} // namespace element_types_with_long_names

namespace {

// The message of the exception that f throws, empty when it throws none.
template <class F>
std::string thrown(F f)
{
    try {
        f();
    } catch (const xAllocException& e) {
        return e.what();
    }
    return {};
}

} // namespace

TEST(MemAlloc, LimitOfElements)
{
    MemAlloc<char> m(65535);
    EXPECT_EQ(m.GetCount(), 65535u);
    m[65534] = 'x';
    const std::string message = thrown([&] { m.Resize(65536); });
    EXPECT_EQ(message,
              "CMem <char> Resize Error: Total size (65536 elements of size 1) is greater than 64K -- Use "
              "CHMem!");
    // Unchanged by the refused resize.
    EXPECT_EQ(m.GetCount(), 65535u);
    EXPECT_EQ(m[65534], 'x');
    EXPECT_NE(thrown([] { MemAlloc<char> big(70000); }), "");
}

TEST(MemAlloc, IndexesUpToTheCapacity)
{
    MemAlloc<char> m(10);
    ASSERT_GE(m.GetCapacity(), m.GetCount());
    const unsigned capacity = m.GetCapacity();
    EXPECT_EQ(thrown([&] { m[capacity - 1] = 1; }), "");
    const std::string message = thrown([&] { m[capacity]; });
    EXPECT_EQ(message, "CMem <char> : Invalid Index " + std::to_string(capacity) + " in 10 ("
                           + std::to_string(capacity) + ") (size=1)");
}

TEST(MemAlloc, ResizeKeepsContentAndZeroFills)
{
    MemAlloc<char> m(10);
    for (unsigned i = 0; i < 10; ++i)
        m[i] = char('a' + i);
    m.SetFillPos(8);
    m.Resize(20);
    EXPECT_EQ(m.GetCount(), 20u);
    for (unsigned i = 0; i < 10; ++i)
        EXPECT_EQ(m[i], char('a' + i));
    for (unsigned i = 10; i < 20; ++i)
        EXPECT_EQ(m[i], 0);
    m.Resize(5);
    EXPECT_EQ(m[4], 'e');
    EXPECT_EQ(m.GetFillPos(), 5u);

    m.Resize(0);
    EXPECT_EQ(m.GetData(), nullptr);
    EXPECT_EQ(m.GetCapacity(), 0u);
    EXPECT_EQ(m.GetFillPos(), 0u);
    EXPECT_EQ(thrown([&] { m[0]; }), "CMem <char> : Invalid buffer trying Index 0 (size=1)");
}

TEST(MemAlloc, WiderElementsAndTheirNames)
{
    MemAlloc<int> m(3);
    m[2] = 7;
    m.Resize(4);
    EXPECT_EQ(m[2], 7);
    EXPECT_EQ(m[3], 0);
    EXPECT_NE(thrown([&] { m[m.GetCapacity()]; }).find("CMem <int> : Invalid Index"), std::string::npos);
    EXPECT_NE(thrown([&] { m[m.GetCapacity()]; }).find("(size=4)"), std::string::npos);
}

TEST(MemAlloc, MovesBetweenHeaps)
{
    HHEAP heap = HeapCreate(0, 0, 0);
    {
        MemAlloc<char> m(4, heap);
        EXPECT_EQ(m.GetHeap(), heap);
        EXPECT_NE(HeapSize(heap, 0, m.GetData()), size_t(-1));
        m[0] = 'q';
        m.SetHeap(nullptr);
        EXPECT_EQ(m.GetHeap(), GetProcessHeap());
        EXPECT_EQ(m[0], 'q');
        EXPECT_NE(HeapSize(GetProcessHeap(), 0, m.GetData()), size_t(-1));
        m.SetHeap(heap);
        EXPECT_EQ(m[0], 'q');
    }
    EXPECT_TRUE(HeapDestroy(heap));
}

TEST(MemAlloc, AFailedAllocationLeavesNoBlock)
{
    HHEAP heap = HeapCreate(0, 0, 64);
    MemAlloc<char> m(8, heap);
    m[0] = 'z';
    const std::string message = thrown([&] { m.Resize(1000); });
    EXPECT_EQ(message,
              "CMem <char> Resize Error: Unable to allocate requested buffer size (1000 wanted, but only "
              "allocated 0)! (size=1)");
    EXPECT_EQ(m.GetData(), nullptr);
    EXPECT_EQ(m.GetCount(), 0u);
    EXPECT_EQ(m.GetCapacity(), 0u);
    m.SetHeap(nullptr);
    HeapDestroy(heap);
}

TEST(MemAlloc, LongMessagesAreCut)
{
    MemAlloc<element_types_with_long_names::AnElementTypeWhoseNameIsLongEnoughToOverflow> m;
    const std::string message = thrown([&] { m.Resize(70000); });
    EXPECT_EQ(message.size(), 127u);
    EXPECT_EQ(message.substr(0, 60), "CMem <element_types_with_long_names::AnElementTypeWhoseNameI");
}
