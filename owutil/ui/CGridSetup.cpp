#include "CGridSetup.h"

CGridSetup::CGridSetup(int kind, const char* name, const char* options, double minimum, double maximum,
                       int decimals, bool readOnly, bool disabled, void* value)
    : m_nKind(kind)
    , m_pszName(name ? name : "")
    , m_pszOptions(options ? options : "")
    , m_dMin(minimum)
    , m_dMax(maximum)
    , m_nDecimals(decimals)
    , m_bReadOnly(readOnly)
    , m_bDisabled(disabled)
    , m_pValue(value)
{
}

CGridSetup::~CGridSetup()
{
    m_pszName = nullptr;
    m_pszOptions = nullptr;
    m_pValue = nullptr;
}

bool CGridSetup::operator==(const CGridSetup& other) const
{
    return m_nKind == other.m_nKind && m_pszName == other.m_pszName && m_pszOptions == other.m_pszOptions
        && m_dMin == other.m_dMin && m_dMax == other.m_dMax && m_nDecimals == other.m_nDecimals
        && m_bReadOnly == other.m_bReadOnly && m_bDisabled == other.m_bDisabled && m_pValue == other.m_pValue;
}
