#pragma once
// TComPtr: one counted reference to a COM interface, released when it goes.
#include "com/ComTypes.h"

#include <utility>

namespace com {

template <class T>
class TComPtr {
public:
    TComPtr() = default;
    // Takes over a reference the caller already holds.
    static TComPtr Attach(T* p)
    {
        TComPtr r;
        r.fP = p;
        return r;
    }
    TComPtr(const TComPtr& other) : fP(other.fP) { AddRef(); }
    TComPtr(TComPtr&& other) noexcept : fP(std::exchange(other.fP, nullptr)) {}
    TComPtr& operator=(TComPtr other) noexcept
    {
        std::swap(fP, other.fP);
        return *this;
    }
    ~TComPtr() { Reset(); }

    void Reset()
    {
        if (T* p = std::exchange(fP, nullptr))
            reinterpret_cast<IUnknown*>(p)->lpVtbl->Release(reinterpret_cast<IUnknown*>(p));
    }
    T* Get() const { return fP; }
    T* operator->() const { return fP; }
    explicit operator bool() const { return fP != nullptr; }
    // For out parameters: releases what is held and gives the slot.
    T** Put()
    {
        Reset();
        return &fP;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    // Another interface of the same object; empty when it has none.
    template <class U>
    TComPtr<U> As(const IID& iid) const
    {
        TComPtr<U> r;
        if (fP)
            reinterpret_cast<IUnknown*>(fP)->lpVtbl->QueryInterface(reinterpret_cast<IUnknown*>(fP), &iid, r.PutVoid());
        return r;
    }

private:
    void AddRef()
    {
        if (fP)
            reinterpret_cast<IUnknown*>(fP)->lpVtbl->AddRef(reinterpret_cast<IUnknown*>(fP));
    }

    T* fP = nullptr;
};

} // namespace com
