#include "owutil/text/NumberFormat.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

TEST(GetDoubleStr, WidthPrecisionClampAndTrim)
{
    const struct {
        double value;
        int width, precision;
        bool trim;
        const char* expected;
    } cases[] = {
        {12345.678, 8, 2, false, "12345.68"},
        {123456.0, 8, 2, false, "99999.00"},   // clamped below the limit 10^5
        {-123456.0, 8, 2, false, "-99999.00"},
        {2.5, 8, 3, true, "2.5"},
        {3.0, 8, 3, true, "3"},
        {5.5, 3, 2, false, "0.00"},            // the limit is 1: 5.5 becomes 0
        {0.25, 6, 0, false, "0"},
        {1.0, 4, 2, false, "1.00"},
        {100.0, 4, 2, false, "9.00"},          // limit 10
        {0.0, 8, 3, true, "0"},
        {120.0, 8, 2, true, "120"},            // only zeros after the point go
        {1234567.891, 25, 8, false, "1234567.891"}, // width 20, precision 3
        {1e30, 12, 2, false, "999999999.00"},
        {-1e30, 12, 2, false, "-999999999.00"},
        // Near 10^19 "limit - 1" is the limit itself in double: the next smaller double serves.
        {1e30, 20, 0, false, "9999999999999997952"},
        {1.5, -3, -2, false, "0"}, // width 0: the limit is 1
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(OwUtil::GetDoubleStr(c.value, c.width, c.precision, c.trim), QString::fromUtf8(c.expected));
    }
}

TEST(GetDoubleStr, NeverLongerThanTheWidthForFiniteValues)
{
    for (double v : {1e300, -1e300, 123.456, -0.001, 98765.4321})
        for (int width = 1; width <= 20; ++width)
            for (int precision = 0; precision < width - 1; ++precision)
                EXPECT_LE(OwUtil::GetDoubleStr(v, width, precision, false).size(), qsizetype(width) + (v < 0))
                    << v << " " << width << " " << precision;
}

TEST(CommaFormat, IntegersGroupByThousands)
{
    EXPECT_EQ(OwUtil::CommaFormat(999), "999");
    EXPECT_EQ(OwUtil::CommaFormat(1000), "1,000");
    EXPECT_EQ(OwUtil::CommaFormat(-1234567), "-1,234,567");
    EXPECT_EQ(OwUtil::CommaFormat(0), "0");
    EXPECT_EQ(OwUtil::CommaFormat(-999L), "-999");
    EXPECT_EQ(OwUtil::CommaFormat(100000UL), "100,000");
    EXPECT_EQ(OwUtil::CommaFormat(4294967295U), "4,294,967,295");
    EXPECT_EQ(OwUtil::CommaFormat(LONG_MIN), "-9,223,372,036,854,775,808");
    EXPECT_EQ(OwUtil::CommaFormat(ULONG_MAX), "18,446,744,073,709,551,615");
}

TEST(CommaFormat, DoublesCarryRoundingAndKeepTheSign)
{
    const struct {
        double value;
        int decimals;
        const char* expected;
    } cases[] = {
        {1234.5, 2, "1,234.50"},
        {-1234.5, 2, "-1,234.50"},
        {2.999, 2, "3.00"},       // the fraction rounds up into the whole part
        {999.9996, 3, "1,000.000"},
        {-0.5, 2, "-0.50"},       // values between -1 and 0 keep their sign
        {-0.001, 2, "0.00"},      // ... unless they round to zero
        {0.0, 2, "0.00"},
        {1234567.0, 0, "1,234,567"},
        {12.345, -1, "12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(OwUtil::CommaFormat(c.value, c.decimals), QString::fromUtf8(c.expected));
    }
}

TEST(Round, HalvesAwayFromZero)
{
    const struct {
        double x, step, expected;
    } cases[] = {
        {9.5, 1, 10},  {-9.5, 1, -10}, {9.49, 1, 9},   {-9.49, 1, -9}, {2.5, 1, 3},
        {7, 5, 5},     {7.5, 5, 10},   {-7.5, 5, -10}, {0.26, 0.25, 0.25}, {3.3, 0, 3.3},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(OwUtil::Round(c.x, c.step), c.expected) << c.x << " by " << c.step;
    EXPECT_FALSE(std::signbit(OwUtil::Round(0.0, 1)));
    EXPECT_TRUE(std::isnan(OwUtil::Round(std::nan(""), 1)));
}
