#pragma once
// The edit of a physical size: centimetres by default, also millimetres,
// metres, inches and feet.
#include "toolkit/COXPhysicalEdit.h"

class CSizeEdit : public COXPhysicalEdit {
    Q_OBJECT
public:
    enum Unit { Centimetres, Millimetres, Metres, Inches, Feet };

    // No negative values; the unit shows after the number ("20.32 cm").
    explicit CSizeEdit(QWidget* parent = nullptr);

    // value from unit fromUnit to unit toUnit of the size table.
    static double Convert(double value, int fromUnit, int toUnit);
    // Exchanges value (in unit) with the size edit that has control id id.
    static void DDX_SizeEdit(CDataExchange* pDX, int id, double& value, int unit);

    static const UnitTable s_units;
};
