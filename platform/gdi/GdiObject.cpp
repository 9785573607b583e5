#include "platform/gdi/GdiObject.h"

void GdiObject::AddRef()
{
    if (!m_stock)
        m_refs.fetch_add(1, std::memory_order_relaxed);
}

void GdiObject::Release()
{
    if (!m_stock && m_refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
        delete this;
}

bool GdiObject::DeleteHandle()
{
    if (m_stock)
        return true; // the platform accepts and ignores deleting a stock object
    bool expected = false;
    if (!m_deleted.compare_exchange_strong(expected, true, std::memory_order_acq_rel))
        return false;
    Release();
    return true;
}
