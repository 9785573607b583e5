#pragma once
// One row of a CPropertiesGrid: how the row's value is shown and edited, and
// where the client keeps it. A client describes its rows in a table (for
// instance a static array or a std::vector) of these records.
#include <vector>

class CGridSetup {
public:
    enum Kind : int {
        KindNone = 0,
        KindText = 1,     // value: CString*
        KindInteger = 2,  // value: int*
        KindDouble = 3,   // value: double*
        KindCheckBox = 4, // value: int* (0 or 1); options: "caption off\ncaption on"
        KindDropText = 5, // value: CString*; a text with a drop-down button
        KindChoice = 6,   // value: int*, the choice's position; options: the choices, one per line
    };

    CGridSetup() = default;
    CGridSetup(int kind, const char* name, const char* options, double minimum, double maximum, int decimals,
               bool readOnly, bool disabled, void* value);
    virtual ~CGridSetup();
    CGridSetup(const CGridSetup&) = default;
    CGridSetup& operator=(const CGridSetup&) = default;

    // All fields equal; name, options and value compare by address.
    bool operator==(const CGridSetup& other) const;
    bool operator!=(const CGridSetup& other) const { return !(*this == other); }

    int m_nKind = 0;
    const char* m_pszName = "";    // UTF-8, the row heading
    const char* m_pszOptions = ""; // UTF-8, fields separated by newlines
    double m_dMin = -1.7976931348623157e308;
    double m_dMax = 1.7976931348623157e308;
    int m_nDecimals = 0;
    bool m_bReadOnly = false;
    bool m_bDisabled = false;
    void* m_pValue = nullptr;
};

using CGridSetupArray = std::vector<CGridSetup>;
