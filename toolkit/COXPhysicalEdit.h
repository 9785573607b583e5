#pragma once
// A numeric edit for a physical quantity: the user types a number and, if
// he likes, a unit ("12.5 mm", "3ft", "150 %", "1 in"). A number alone is
// in the unit the edit shows. Unit names match without regard to case; the
// decimal point is '.' whatever the locale.
//
// The units come from a table that each derived class passes to this class:
// their names, the default unit, and per unit three conversion parameters
// {offset, factor, offset} that take a value v of that unit to the default
// unit as (v + p[0]) * p[1] + p[2]. Linear units have {0, factor, 0}; the
// offsets serve scales such as temperatures. The base reads the table
// through its virtual queries, so a class may also compute its units.
#include "platform/types/Win32Types.h"

#include <QLineEdit>
#include <span>

class CDataExchange;

class COXPhysicalEdit : public QLineEdit {
    Q_OBJECT
public:
    struct UnitTable {
        int nUnitCount;
        int nDefaultUnit;
        const char* const* ppszUnitNames;
        const double (*pConversionParams)[3];
        // Shown when a typed unit is not in the table; "%1" is the unit typed.
        const char* pszErrorMsg;
    };

    enum ParseResult { ParseOK, ParseNoNumber, ParseUnknownUnit, ParseNegative };

    // table: the class's static table, which outlives the edit.
    // bAllowNegative: FALSE refuses values below zero (sizes, zoom factors).
    // bShowUnit: TRUE shows the unit's name after the number ("20.32 cm");
    // FALSE shows the number alone, in the current unit.
    COXPhysicalEdit(const UnitTable& table, BOOL bAllowNegative, BOOL bShowUnit, QWidget* parent = nullptr);
    ~COXPhysicalEdit() override;

    virtual int GetUnitCount() const;
    // The unit's name as the table spells it; empty for an index out of range.
    virtual QString GetUnitName(int unit) const;
    virtual int GetDefaultUnit() const;
    // The unit's three conversion parameters; null for an index out of range.
    virtual const double* GetConversionParams(int unit) const;
    // The unknown-unit message, with "%1" where the typed unit goes.
    virtual QString GetErrorMessage() const;

    // value from unit fromUnit to unit toUnit, through the default unit of
    // params. NaN when a unit is out of range or has a zero factor.
    static double ConversionHelper(std::span<const double[3]> params, double value, int fromUnit, int toUnit);
    // The same through this edit's own units.
    double ConvertValue(double value, int fromUnit, int toUnit) const;

    // Shows value in unit (-1: the default unit). unitText, when given,
    // names the unit instead of the index. FALSE, and nothing changes, when
    // the unit is not one of the edit's.
    BOOL SetValue(double value, int unit = -1, const QString& unitText = QString());
    // The typed value in unit (-1: the default unit); NaN when the text is
    // not a number with a known unit (ParseText tells why).
    double GetValue(int unit = -1) const;
    // The unit of a number typed without one: the unit last shown.
    int GetCurrentUnit() const { return m_nCurrentUnit; }

    // Reads text: the number, the unit it was typed in, and the unit text
    // as typed (empty when none was), which the caller may need for a message.
    ParseResult ParseText(const QString& text, double& value, int& unit, QString& unitText) const;
    // value in unit as the edit shows it: at most six decimals, no needless
    // trailing zeros, then the unit's name when the edit shows units.
    QString FormatValue(double value, int unit) const;
    // The index of the unit named name (any case), or -1.
    int FindUnit(const QString& name) const;

private:
    const UnitTable& m_table;
    bool m_bAllowNegative;
    bool m_bShowUnit;
    int m_nCurrentUnit;
};

// Exchanges value, in unit (-1: the default unit), with the edit that has
// control id id: loading shows it; saving reads the text and converts what
// was typed into unit. Text that is not a number, a unit the edit does not
// know (the edit's own message, with the unit typed in place of "%1") or a
// refused negative value is reported in a message box and fails the exchange.
void DDX_OXPhysicalEdit(CDataExchange* pDX, int id, COXPhysicalEdit& edit, double& value, int unit);
