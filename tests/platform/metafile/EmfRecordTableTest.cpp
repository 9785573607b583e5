#include "platform/metafile/EmfRecordTable.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

TEST(EmfRecordTable, EveryMSEMFTypeHasOneEntry)
{
    std::set<std::string> names;
    for (uint32_t type = 1; type <= EmfLastRecordType; ++type) {
        const EmfRecordEntry* e = FindEmfRecord(type);
        ASSERT_NE(e, nullptr) << type;
        EXPECT_EQ(e->type, type);
        ASSERT_NE(e->read, nullptr);
        ASSERT_NE(e->play, nullptr);
        EXPECT_TRUE(names.insert(e->name).second) << e->name;
        EXPECT_EQ(std::string(e->name).rfind("EMR_", 0), 0u);
    }
    EXPECT_EQ(FindEmfRecord(0), nullptr);
    EXPECT_EQ(FindEmfRecord(EmfLastRecordType + 1), nullptr);
    EXPECT_STREQ(EmfRecordName(EMR_POLYGON16), "EMR_POLYGON16");
    EXPECT_EQ(EmfRecordName(0x80000000u), nullptr);
}

TEST(EmfRecordTable, ParsesIntoThePlainStructs)
{
    // EMR_POLYLINE16: type, size, bounds, cpts 2, (1,-2) and (-3,4).
    const uint8_t bytes[] = {87, 0, 0, 0, 36, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 9, 0, 0, 0, 9, 0, 0, 0,
                             2,  0, 0, 0, 1,  0, 0xFE, 0xFF, 0xFD, 0xFF, 4, 0};
    EmfRecord r;
    ASSERT_TRUE(ParseEmfRecord(87, bytes, sizeof bytes, &r));
    const auto& poly = std::get<EmrPoly>(r.payload);
    ASSERT_EQ(poly.points.size(), 2u);
    EXPECT_EQ(poly.points[0], POINT(1, -2));
    EXPECT_EQ(poly.points[1], POINT(-3, 4));
    EXPECT_EQ(poly.bounds, RECT(0, 0, 9, 9));
    EXPECT_FALSE(ParseEmfRecord(87, bytes, sizeof bytes - 2, &r)) << "one coordinate short";
}
