#pragma once
// The framework's wrapper of a GDI object handle. A wrapper that created its
// object deletes it when it is destroyed; a temporary wrapper (returned by
// CDC::SelectObject for the previous selection) does not own its handle.
#include "platform/gdi/GdiObjects.h"

class CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; } // NOLINT: the framework converts implicitly
    BOOL Attach(HGDIOBJ object);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    BOOL CreateStockObject(int index);

    // A non-owning temporary wrapper kept by its DC.
    void MakeTemporary() { m_temporary = true; }

private:
    bool m_temporary = false;
};
