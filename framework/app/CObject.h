#pragma once
#include <QString>
#include <typeinfo>

// The root of the framework's classes that can be created by class: the
// document templates create documents, frames and views this way.
class CObject {
public:
    virtual ~CObject() = default;
};

struct CRuntimeClass {
    const char* m_lpszClassName;
    CObject* (*m_pfnCreateObject)();

    // A new object of the class, or null when it is not a T.
    template <class T>
    T* CreateAs() const
    {
        CObject* o = m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
        T* t = dynamic_cast<T*>(o);
        if (t == nullptr)
            delete o;
        return t;
    }
};

template <class T>
const CRuntimeClass* RuntimeClassOf()
{
    static const CRuntimeClass rc{typeid(T).name(), []() -> CObject* { return new T; }};
    return &rc;
}

#define RUNTIME_CLASS(T) (RuntimeClassOf<T>())
