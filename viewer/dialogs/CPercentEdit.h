#pragma once
// The edit of a zoom factor in percent: one unit, "%".
#include "toolkit/COXPhysicalEdit.h"

class CPercentEdit : public COXPhysicalEdit {
    Q_OBJECT
public:
    // No negative values; the unit shows after the number ("150 %").
    explicit CPercentEdit(QWidget* parent = nullptr);

    // value from unit fromUnit to unit toUnit of the percent table.
    static double Convert(double value, int fromUnit, int toUnit);
    // Exchanges value (in unit) with the percent edit that has control id id.
    static void DDX_PercentEdit(CDataExchange* pDX, int id, double& value, int unit);

    static const UnitTable s_units;
};
