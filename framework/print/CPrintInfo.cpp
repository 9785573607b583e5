#include "CPrintInfo.h"

#include <algorithm>

UINT CPrintInfo::GetFromPage() const
{
    return m_nFromPage == 0 ? m_nMinPage : std::clamp(m_nFromPage, m_nMinPage, std::max(m_nMinPage, m_nMaxPage));
}

UINT CPrintInfo::GetToPage() const
{
    // With no maximum known, only the first page prints.
    const UINT last = m_nMaxPage == 0xFFFF ? m_nMinPage : std::max(m_nMinPage, m_nMaxPage);
    return m_nToPage == 0 ? last : std::clamp(m_nToPage, GetFromPage(), last);
}
