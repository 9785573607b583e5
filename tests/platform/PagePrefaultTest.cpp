#include "platform/memory/PagePrefault.h"

#include <gtest/gtest.h>
#include <numeric>
#include <vector>

TEST(PagePrefault, KeepsContentsOfAnUnalignedBuffer)
{
    // A buffer that starts inside a page and spans many: the call works on
    // whole pages around it and must leave every byte (and its neighbours'
    // bytes) as they were.
    std::vector<unsigned char> block(3 * 1024 * 1024 + 123);
    std::iota(block.begin(), block.end(), static_cast<unsigned char>(7));
    const std::vector<unsigned char> before = block;
    EXPECT_TRUE(PagePrefault::Writable(block.data() + 1, block.size() - 1));
    EXPECT_EQ(block, before);
    EXPECT_TRUE(PagePrefault::Writable(nullptr, 0));
    EXPECT_TRUE(PagePrefault::Writable(block.data(), 0));
}
