// The percent and size edits: their conversions and how they show a value.
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

TEST(UnitEditsTest, EachEditKnowsItsClassAndShowsItsDefaultUnit)
{
    CSizeEdit size;
    EXPECT_STREQ(size.metaObject()->className(), "CSizeEdit");
    EXPECT_TRUE(size.inherits("COXPhysicalEdit"));
    EXPECT_EQ(size.FindUnit(QStringLiteral("FT")), int(CSizeEdit::Feet));
    size.SetValue(2032 / 100.0, -1);
    EXPECT_EQ(size.text(), "20.32 cm");

    CPercentEdit percent;
    EXPECT_STREQ(percent.metaObject()->className(), "CPercentEdit");
    percent.SetValue(150, -1);
    EXPECT_EQ(percent.text(), "150 %");
}

} // namespace
