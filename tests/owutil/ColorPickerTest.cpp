#include "owutil/ui/CColorPicker.h"

#include <gtest/gtest.h>

TEST(ColorPicker, ChoosesTheLeastUsedFirstAmongEquals)
{
    const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0), blue = RGB(0, 0, 255);
    CColorPicker picker({red, green, blue});
    EXPECT_EQ(picker.ChosenColor(), red);
    picker.AddColor(red);
    picker.AddColor(red);
    picker.AddColor(green);
    EXPECT_EQ(picker.ChosenColor(), blue);
    picker.AddColor(blue);
    EXPECT_EQ(picker.ChosenColor(), green);
    picker.AddColor(RGB(1, 2, 3)); // not in the table
    EXPECT_EQ(picker.ChosenColor(), green);
    picker.ResetUsedColors();
    EXPECT_EQ(picker.ChosenColor(), red);

    // A copy counts on its own.
    CColorPicker copy = picker;
    copy.AddColor(red);
    EXPECT_EQ(copy.ChosenColor(), green);
    EXPECT_EQ(picker.ChosenColor(), red);
}

TEST(ColorPicker, RepeatedColoursCountTogether)
{
    const COLORREF a = RGB(10, 10, 10), b = RGB(20, 20, 20);
    CColorPicker picker;
    picker.SetColorTable({a, b, a});
    picker.AddColor(a); // both entries of a
    EXPECT_EQ(picker.GetUseCount(0), 1);
    EXPECT_EQ(picker.GetUseCount(2), 1);
    EXPECT_EQ(picker.ChosenColor(), b);
    // A new table starts unused.
    picker.SetColorTable({b, a});
    EXPECT_EQ(picker.GetCount(), 2u);
    EXPECT_EQ(picker.ChosenColor(), b);
}

TEST(ColorPicker, EmptyTableGivesBlack)
{
    CColorPicker picker;
    picker.AddColor(RGB(1, 1, 1));
    EXPECT_EQ(picker.ChosenColor(), RGB(0, 0, 0));
    picker.SetColorTable({});
    EXPECT_EQ(picker.ChosenColor(), CColorPicker::EmptyTableColor);
}
