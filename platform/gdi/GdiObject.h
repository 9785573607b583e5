#pragma once
// The base of every GDI object that a handle names: pens, brushes, regions,
// palettes (fonts and bitmaps join with the text and bitmap layer). Objects
// are reference counted: the handle returned by a Create function holds one
// reference, dropped by DeleteObject; a device context holds another for
// each selected object, so that deleting a selected object (which the
// platform tolerates and many metafiles do) never leaves a dangling
// selection. Stock objects live for the whole process and ignore both.
#include "platform/gdi/GdiDefs.h"

#include <atomic>
#include <utility>

class GdiObject {
public:
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    virtual ~GdiObject() = default;

    // OBJ_PEN, OBJ_EXTPEN, OBJ_BRUSH, OBJ_REGION, OBJ_PAL...
    DWORD Type() const { return m_type; }
    bool IsStock() const { return m_stock; }
    bool IsDeleted() const { return m_deleted.load(std::memory_order_acquire); }

    void AddRef();
    void Release();
    // Drops the creator's reference once; false for a stock object's second
    // delete or an object already deleted.
    bool DeleteHandle();

protected:
    explicit GdiObject(DWORD type) : m_type(type) {}
    void MakeStock() { m_stock = true; }

private:
    DWORD m_type;
    bool m_stock = false;
    std::atomic<int> m_refs{1};
    std::atomic<bool> m_deleted{false};
};

using HGDIOBJ = GdiObject*;

// An owning reference to a GDI object, as a device context keeps for its
// selections.
template <class T>
class GdiRef {
public:
    GdiRef() = default;
    GdiRef(T* p) : m_p(p) { if (m_p) m_p->AddRef(); } // NOLINT: implicit by design
    GdiRef(const GdiRef& o) : GdiRef(o.m_p) {}
    GdiRef(GdiRef&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    ~GdiRef() { if (m_p) m_p->Release(); }
    GdiRef& operator=(GdiRef o) noexcept { std::swap(m_p, o.m_p); return *this; }

    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    T& operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};
