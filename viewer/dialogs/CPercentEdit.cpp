#include "CPercentEdit.h"

#include "framework/dialog/CDataExchange.h"
#include "framework/except/CException.h"

namespace {

const char* const kNames[] = {"%"};
const double kParams[][3] = {{0, 1, 0}};

} // namespace

const COXPhysicalEdit::UnitTable CPercentEdit::s_units{
    1, 0, kNames, kParams, "The percent units specified \"%1\" are unknown.  Please correct the units."};

CPercentEdit::CPercentEdit(QWidget* parent) : COXPhysicalEdit(s_units, 0, 1, parent) {}

double CPercentEdit::Convert(double value, int fromUnit, int toUnit)
{
    return ConversionHelper(kParams, value, fromUnit, toUnit);
}

void CPercentEdit::DDX_PercentEdit(CDataExchange* pDX, int id, double& value, int unit)
{
    auto* edit = qobject_cast<CPercentEdit*>(pDX->PrepareEditCtrl(id));
    if (edit == nullptr)
        throw CNotSupportedException();
    DDX_OXPhysicalEdit(pDX, id, *edit, value, unit);
}
