// The percent and size edits: their unit tables, conversions and messages.
#include "viewer/dialogs/CPercentEdit.h"
#include "viewer/dialogs/CSizeEdit.h"

#include <gtest/gtest.h>

namespace {

TEST(UnitEditsTest, SizeUnitsConvertThroughCentimetres)
{
    EXPECT_DOUBLE_EQ(CSizeEdit::Convert(10, CSizeEdit::Millimetres, CSizeEdit::Centimetres), 1.0);
    EXPECT_DOUBLE_EQ(CSizeEdit::Convert(3, CSizeEdit::Feet, CSizeEdit::Centimetres), 91.44);
    EXPECT_DOUBLE_EQ(CSizeEdit::Convert(1, CSizeEdit::Inches, CSizeEdit::Centimetres), 2.54);
    EXPECT_DOUBLE_EQ(CSizeEdit::Convert(1, CSizeEdit::Metres, CSizeEdit::Millimetres), 1000.0);
    EXPECT_DOUBLE_EQ(CSizeEdit::Convert(1, CSizeEdit::Feet, CSizeEdit::Inches), 12.0);
    // The view truncates hundredths of a centimetre: the sums must not fall short.
    EXPECT_EQ(int(CSizeEdit::Convert(3, CSizeEdit::Feet, 0) * 100), 9144);
    EXPECT_EQ(int(CSizeEdit::Convert(10, CSizeEdit::Millimetres, 0) * 100), 100);
    EXPECT_DOUBLE_EQ(CPercentEdit::Convert(150, 0, 0), 150.0);
}

TEST(UnitEditsTest, TablesNameTheirUnitsAndMessages)
{
    CSizeEdit size;
    ASSERT_EQ(size.GetUnitCount(), 5);
    EXPECT_EQ(size.GetDefaultUnit(), 0);
    const char* names[] = {"cm", "mm", "m", "in", "ft"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(size.GetUnitName(i), names[i]);
    EXPECT_EQ(size.GetErrorMessage(), "The size units specified \"%1\" are unknown.  Please correct the units.");
    EXPECT_STREQ(size.metaObject()->className(), "CSizeEdit");
    EXPECT_TRUE(size.inherits("COXPhysicalEdit"));

    CPercentEdit percent;
    ASSERT_EQ(percent.GetUnitCount(), 1);
    EXPECT_EQ(percent.GetUnitName(0), "%");
    EXPECT_EQ(percent.GetDefaultUnit(), 0);
    EXPECT_EQ(percent.GetErrorMessage(),
              "The percent units specified \"%1\" are unknown.  Please correct the units.");
    EXPECT_STREQ(percent.metaObject()->className(), "CPercentEdit");
}

TEST(UnitEditsTest, ValuesShowInTheDefaultUnitWithItsName)
{
    CSizeEdit size;
    size.SetValue(2032 / 100.0, -1);
    EXPECT_EQ(size.text(), "20.32 cm");
    CPercentEdit percent;
    percent.SetValue(1.5 * 100, -1);
    EXPECT_EQ(percent.text(), "150 %");
}

} // namespace
