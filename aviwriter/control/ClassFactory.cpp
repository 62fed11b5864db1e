#include "aviwriter/control/ClassFactory.h"

#include "aviwriter/control/Module.h"
#include "aviwriter/control/ZembraAviWriter.h"
#include "com/Guid.h"

#include <new>

namespace avi {

namespace {

class TClassFactory {
public:
    IClassFactory* Interface() { return reinterpret_cast<IClassFactory*>(this); }
    static TClassFactory& Of(IClassFactory* p) { return *reinterpret_cast<TClassFactory*>(p); }

    static const IClassFactoryVtbl kTable;

private:
    const IClassFactoryVtbl* fTable = &kTable; // first: the interface pointer is the object's address
    TModuleObject fCounted;
    ULONG fRefs = 1;
};

const IClassFactoryVtbl TClassFactory::kTable = {
    .QueryInterface = [](IClassFactory* p, REFIID riid, void** out) {
        if (!out || !riid)
            return E_POINTER;
        using com::operator==;
        *out = nullptr;
        if (!(*riid == IID_IUnknown) && !(*riid == IID_IClassFactory))
            return E_NOINTERFACE;
        ++Of(p).fRefs;
        *out = p;
        return S_OK;
    },
    .AddRef = [](IClassFactory* p) { return ++Of(p).fRefs; },
    .Release = [](IClassFactory* p) {
        const ULONG left = --Of(p).fRefs;
        if (left == 0)
            delete &Of(p);
        return left;
    },
    .CreateInstance = [](IClassFactory*, IUnknown* outer, REFIID riid, void** out) {
        if (!out || !riid)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        IUnknown* control = nullptr;
        try {
            control = TZembraAviWriter::Create();
        } catch (...) {
            return E_OUTOFMEMORY;
        }
        const HRESULT hr = control->lpVtbl->QueryInterface(control, riid, out);
        control->lpVtbl->Release(control);
        return hr;
    },
    .LockServer = [](IClassFactory*, BOOL lock) {
        TModule::Lock(lock != 0);
        return S_OK;
    },
};

} // namespace

IClassFactory* NewClassFactory()
{
    auto* factory = new (std::nothrow) TClassFactory();
    return factory ? factory->Interface() : nullptr;
}

} // namespace avi
