// The unit-aware edit: conversion through the default unit (with offsets
// for scales that need them), reading what users type, showing values, and
// the exchange that refuses what it cannot read and keeps the dialog open.
#include "framework/dialog/CDataExchange.h"
#include "framework/dialog/CDialog.h"
#include "framework/except/CException.h"
#include "tests/common/TestEnvironment.h"
#include "toolkit/COXPhysicalEdit.h"

#include <QApplication>
#include <cmath>
#include <gtest/gtest.h>

namespace {

const char* const kLengthNames[] = {"cm", "mm", "in"};
const double kLengthParams[][3] = {{0, 1, 0}, {0, 0.1, 0}, {0, 2.54, 0}};
const COXPhysicalEdit::UnitTable kLength{3, 0, kLengthNames, kLengthParams, "Unknown length \"%1\"."};

// Celsius is the default; Fahrenheit and kelvin need the offsets.
const double kTemperatureParams[][3] = {{0, 1, 0}, {-32, 5.0 / 9.0, 0}, {0, 1, -273.15}};

class LengthEdit : public COXPhysicalEdit {
public:
    explicit LengthEdit(BOOL allowNegative = FALSE, BOOL showUnit = TRUE)
        : COXPhysicalEdit(kLength, allowNegative, showUnit)
    {
    }
};

TEST(COXPhysicalEditTest, ConversionGoesThroughTheDefaultUnit)
{
    EXPECT_DOUBLE_EQ(COXPhysicalEdit::ConversionHelper(kLengthParams, 10, 1, 0), 1.0);
    EXPECT_DOUBLE_EQ(COXPhysicalEdit::ConversionHelper(kLengthParams, 1, 2, 1), 25.4);
    EXPECT_DOUBLE_EQ(COXPhysicalEdit::ConversionHelper(kLengthParams, 2.54, 0, 2), 1.0);
    EXPECT_DOUBLE_EQ(COXPhysicalEdit::ConversionHelper(kTemperatureParams, 212, 1, 0), 100.0);
    EXPECT_DOUBLE_EQ(COXPhysicalEdit::ConversionHelper(kTemperatureParams, 100, 0, 2), 373.15);
    EXPECT_NEAR(COXPhysicalEdit::ConversionHelper(kTemperatureParams, 273.15, 2, 1), 32.0, 1e-9);
    EXPECT_TRUE(std::isnan(COXPhysicalEdit::ConversionHelper(kLengthParams, 1, 3, 0)));
    EXPECT_TRUE(std::isnan(COXPhysicalEdit::ConversionHelper(kLengthParams, 1, 0, -1)));
}

TEST(COXPhysicalEditTest, ReadsNumbersWithOrWithoutTheirUnit)
{
    LengthEdit edit(TRUE);
    struct Case {
        const char* text;
        double value;
        int unit;
    } cases[] = {
        {"12.5 mm", 12.5, 1}, {"3MM", 3, 1}, {" .5cm ", 0.5, 0}, {"1 In", 1, 2},
        {"7", 7, 0},          {"+2 in", 2, 2}, {"1.", 1, 0},    {"-4 mm", -4, 1},
    };
    for (const Case& c : cases) {
        double value = 0;
        int unit = -1;
        QString unitText;
        ASSERT_EQ(edit.ParseText(QString::fromUtf8(c.text), value, unit, unitText), COXPhysicalEdit::ParseOK) << c.text;
        EXPECT_DOUBLE_EQ(value, c.value) << c.text;
        EXPECT_EQ(unit, c.unit) << c.text;
    }
    double value = 0;
    int unit = 0;
    QString unitText;
    for (const char* text : {"", "abc", "mm", ",5 cm", "."})
        EXPECT_EQ(edit.ParseText(QString::fromUtf8(text), value, unit, unitText), COXPhysicalEdit::ParseNoNumber) << text;
    EXPECT_EQ(edit.ParseText(QStringLiteral("12 px"), value, unit, unitText), COXPhysicalEdit::ParseUnknownUnit);
    EXPECT_EQ(unitText, "px");
    EXPECT_EQ(edit.ParseText(QStringLiteral("1.2.3"), value, unit, unitText), COXPhysicalEdit::ParseUnknownUnit);

    LengthEdit positive(FALSE);
    EXPECT_EQ(positive.ParseText(QStringLiteral("-4 mm"), value, unit, unitText), COXPhysicalEdit::ParseNegative);
}

TEST(COXPhysicalEditTest, ANumberAloneIsInTheUnitLastShown)
{
    LengthEdit edit;
    ASSERT_TRUE(edit.SetValue(20, 1));
    EXPECT_EQ(edit.text(), "20 mm");
    edit.setText(QStringLiteral("5"));
    EXPECT_DOUBLE_EQ(edit.GetValue(0), 0.5);
    edit.setText(QStringLiteral("1 in"));
    EXPECT_DOUBLE_EQ(edit.GetValue(), 2.54);
    EXPECT_DOUBLE_EQ(edit.GetValue(1), 25.4);
    edit.setText(QStringLiteral("1 yd"));
    EXPECT_TRUE(std::isnan(edit.GetValue()));
}

TEST(COXPhysicalEditTest, ShowsValuesWithoutNeedlessZeros)
{
    LengthEdit edit;
    EXPECT_TRUE(edit.SetValue(2032 / 100.0));
    EXPECT_EQ(edit.text(), "20.32 cm");
    EXPECT_TRUE(edit.SetValue(3 * 30.48));
    EXPECT_EQ(edit.text(), "91.44 cm");
    EXPECT_TRUE(edit.SetValue(100, 0));
    EXPECT_EQ(edit.text(), "100 cm");
    EXPECT_TRUE(edit.SetValue(-0.0000001, 1));
    EXPECT_EQ(edit.text(), "0 mm");
    EXPECT_TRUE(edit.SetValue(0.5, -1, QStringLiteral("IN")));
    EXPECT_EQ(edit.text(), "0.5 in");
    EXPECT_EQ(edit.GetCurrentUnit(), 2);

    EXPECT_FALSE(edit.SetValue(1, 3));
    EXPECT_FALSE(edit.SetValue(1, -1, QStringLiteral("yd")));
    EXPECT_EQ(edit.text(), "0.5 in");

    LengthEdit bare(FALSE, FALSE);
    bare.SetValue(1.25, 1);
    EXPECT_EQ(bare.text(), "1.25");
    EXPECT_DOUBLE_EQ(bare.GetValue(0), 0.125);
}

// A dialog holding one length edit as control 7.
class LengthDlg : public CDialog {
public:
    LengthDlg() : CDialog(600) { AddDlgItem(&edit, 7, 0, 0, 80, 14, QStringLiteral("length")); }
    ~LengthDlg() override { edit.setParent(nullptr); }
    LengthEdit edit;
};

class PhysicalExchangeTest : public testing::Test {
protected:
    void SetUp() override { testenv::ClearMessages(); }

    // Saves the edit's text into value (in unit); false when the exchange failed.
    bool save(const QString& text, double& value, int unit)
    {
        dlg.edit.setText(text);
        CDataExchange dx(&dlg, true);
        try {
            DDX_OXPhysicalEdit(&dx, 7, dlg.edit, value, unit);
        } catch (const CUserException&) {
            return false;
        }
        return true;
    }

    LengthDlg dlg;
};

TEST_F(PhysicalExchangeTest, LoadsInTheUnitAndSavesConvertedIntoIt)
{
    double value = 1; // in the exchange's unit, inches
    CDataExchange load(&dlg, false);
    DDX_OXPhysicalEdit(&load, 7, dlg.edit, value, 2);
    EXPECT_EQ(dlg.edit.text(), "1 in");

    EXPECT_TRUE(save(QStringLiteral("10 mm"), value, -1));
    EXPECT_DOUBLE_EQ(value, 1.0);
    EXPECT_TRUE(save(QStringLiteral("2"), value, 0));
    EXPECT_DOUBLE_EQ(value, 5.08); // typed in the inches shown
    EXPECT_TRUE(testenv::Messages().empty());
}

TEST_F(PhysicalExchangeTest, UnknownUnitShowsTheClassMessageWithTheTypedUnit)
{
    double value = 3;
    EXPECT_FALSE(save(QStringLiteral("12 px"), value, 0));
    EXPECT_DOUBLE_EQ(value, 3);
    ASSERT_EQ(testenv::Messages().size(), 1u);
    EXPECT_EQ(testenv::Messages()[0].text, "Unknown length \"px\".");
    EXPECT_EQ(dlg.focusWidget(), &dlg.edit);
}

TEST_F(PhysicalExchangeTest, TextWithoutANumberOrBelowZeroIsRefusedWithItsReason)
{
    double value = 3;
    EXPECT_FALSE(save(QStringLiteral("cm"), value, 0));
    EXPECT_FALSE(save(QStringLiteral("-1 cm"), value, 0));
    EXPECT_DOUBLE_EQ(value, 3);
    ASSERT_EQ(testenv::Messages().size(), 2u);
    EXPECT_EQ(testenv::Messages()[0].text, "Please enter a number, optionally followed by one of its units: cm, mm, in.");
    EXPECT_EQ(testenv::Messages()[1].text, "Please enter a value of zero or more.");
}

} // namespace
