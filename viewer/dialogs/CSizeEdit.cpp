#include "CSizeEdit.h"

#include "framework/dialog/CDataExchange.h"
#include "framework/except/CException.h"

namespace {

const char* const kNames[] = {"cm", "mm", "m", "in", "ft"};
const double kParams[][3] = {{0, 1, 0}, {0, 0.1, 0}, {0, 100, 0}, {0, 2.54, 0}, {0, 30.48, 0}};

} // namespace

const COXPhysicalEdit::UnitTable CSizeEdit::s_units{
    5, Centimetres, kNames, kParams, "The size units specified \"%1\" are unknown.  Please correct the units."};

CSizeEdit::CSizeEdit(QWidget* parent) : COXPhysicalEdit(s_units, 0, 1, parent) {}

double CSizeEdit::Convert(double value, int fromUnit, int toUnit)
{
    return ConversionHelper(kParams, value, fromUnit, toUnit);
}

void CSizeEdit::DDX_SizeEdit(CDataExchange* pDX, int id, double& value, int unit)
{
    auto* edit = qobject_cast<CSizeEdit*>(pDX->PrepareEditCtrl(id));
    if (edit == nullptr)
        throw CNotSupportedException();
    DDX_OXPhysicalEdit(pDX, id, *edit, value, unit);
}
