#pragma once
/* The automation types and base interfaces of COM, with the layouts they have
 * on 64-bit Windows, for C and C++ alike: an interface pointer points at a
 * pointer to its table of functions; every function takes the interface
 * pointer first and uses the platform's C calling convention.
 *
 * A BSTR points at UTF-16 units that follow a 32-bit byte count and end in a
 * zero unit; the block starts at that count and is allocated with malloc, so
 * that any module can free a string another one made. */
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t HRESULT;
typedef int32_t SCODE;
typedef uint32_t ULONG;
typedef int32_t LONG;
typedef uint32_t DWORD;
typedef uint16_t WORD;
typedef uint32_t UINT;
typedef int32_t BOOL;
typedef uint32_t LCID;
typedef int32_t DISPID;
typedef uint16_t VARTYPE;
typedef int16_t VARIANT_BOOL; /* VARIANT_TRUE -1, VARIANT_FALSE 0 */
typedef uint16_t OLECHAR;
typedef OLECHAR* BSTR;
typedef OLECHAR* LPOLESTR;

typedef struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
} GUID;
typedef GUID IID;
typedef GUID CLSID;
typedef const GUID* REFIID;
typedef const GUID* REFCLSID;

#define VARIANT_TRUE ((VARIANT_BOOL)-1)
#define VARIANT_FALSE ((VARIANT_BOOL)0)

/* Results. */
#define S_OK ((HRESULT)0)
#define S_FALSE ((HRESULT)1)
#define E_NOTIMPL ((HRESULT)0x80004001)
#define E_NOINTERFACE ((HRESULT)0x80004002)
#define E_POINTER ((HRESULT)0x80004003)
#define E_FAIL ((HRESULT)0x80004005)
#define E_UNEXPECTED ((HRESULT)0x8000FFFF)
#define E_OUTOFMEMORY ((HRESULT)0x8007000E)
#define E_INVALIDARG ((HRESULT)0x80070057)
#define CLASS_E_NOAGGREGATION ((HRESULT)0x80040110)
#define CLASS_E_CLASSNOTAVAILABLE ((HRESULT)0x80040111)
#define REGDB_E_CLASSNOTREG ((HRESULT)0x80040154)
#define CONNECT_E_NOCONNECTION ((HRESULT)0x80040200)
#define CONNECT_E_ADVISELIMIT ((HRESULT)0x80040201)
#define SELFREG_E_CLASS ((HRESULT)0x80040201)
#define DISP_E_MEMBERNOTFOUND ((HRESULT)0x80020003)
#define DISP_E_PARAMNOTFOUND ((HRESULT)0x80020004)
#define DISP_E_TYPEMISMATCH ((HRESULT)0x80020005)
#define DISP_E_UNKNOWNNAME ((HRESULT)0x80020006)
#define DISP_E_BADVARTYPE ((HRESULT)0x80020008)
#define DISP_E_EXCEPTION ((HRESULT)0x80020009)
#define DISP_E_BADPARAMCOUNT ((HRESULT)0x8002000E)
#define STG_E_READFAULT ((HRESULT)0x8003001E)
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)

/* Variant types. */
enum VARENUM {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_UI8 = 21,
    VT_INT = 22,
    VT_UINT = 23,
    VT_BYREF = 0x4000
};

struct IUnknown;
struct IDispatch;

typedef struct VARIANT {
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union {
        int64_t llVal;
        uint64_t ullVal;
        int32_t lVal;
        uint32_t ulVal;
        int16_t iVal;
        uint16_t uiVal;
        int8_t cVal;
        uint8_t bVal;
        int32_t intVal;
        uint32_t uintVal;
        float fltVal;
        double dblVal;
        VARIANT_BOOL boolVal;
        SCODE scode;
        BSTR bstrVal;
        struct IUnknown* punkVal;
        struct IDispatch* pdispVal;
        int16_t* piVal;
        int32_t* plVal;
        uint32_t* pulVal;
        int64_t* pllVal;
        uint64_t* pullVal;
        VARIANT_BOOL* pboolVal;
        BSTR* pbstrVal;
        struct VARIANT* pvarVal;
        void* byref;
        struct {
            void* pvRecord;
            void* pRecInfo;
        } brecVal;
    };
} VARIANT;
typedef VARIANT VARIANTARG;

/* Arguments of IDispatch::Invoke: in reverse order, named ones first. */
typedef struct DISPPARAMS {
    VARIANTARG* rgvarg;
    DISPID* rgdispidNamedArgs;
    UINT cArgs;
    UINT cNamedArgs;
} DISPPARAMS;

typedef struct EXCEPINFO {
    WORD wCode;
    WORD wReserved;
    BSTR bstrSource;
    BSTR bstrDescription;
    BSTR bstrHelpFile;
    DWORD dwHelpContext;
    void* pvReserved;
    HRESULT (*pfnDeferredFillIn)(struct EXCEPINFO*);
    SCODE scode;
} EXCEPINFO;

#define DISPATCH_METHOD 0x1
#define DISPATCH_PROPERTYGET 0x2
#define DISPATCH_PROPERTYPUT 0x4
#define DISPATCH_PROPERTYPUTREF 0x8
#define DISPID_UNKNOWN ((DISPID)-1)
#define DISPID_PROPERTYPUT ((DISPID)-3)
#define LOCALE_USER_DEFAULT ((LCID)0x400)

/* IUnknown */
typedef struct IUnknown IUnknown;
typedef struct IUnknownVtbl {
    HRESULT (*QueryInterface)(IUnknown* This, REFIID riid, void** ppvObject);
    ULONG (*AddRef)(IUnknown* This);
    ULONG (*Release)(IUnknown* This);
} IUnknownVtbl;
struct IUnknown {
    const IUnknownVtbl* lpVtbl;
};

/* IDispatch. Type information is not offered (GetTypeInfoCount answers 0). */
typedef struct IDispatch IDispatch;
typedef struct IDispatchVtbl {
    HRESULT (*QueryInterface)(IDispatch* This, REFIID riid, void** ppvObject);
    ULONG (*AddRef)(IDispatch* This);
    ULONG (*Release)(IDispatch* This);
    HRESULT (*GetTypeInfoCount)(IDispatch* This, UINT* pctinfo);
    HRESULT (*GetTypeInfo)(IDispatch* This, UINT iTInfo, LCID lcid, void** ppTInfo);
    HRESULT (*GetIDsOfNames)(IDispatch* This, REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                             DISPID* rgDispId);
    HRESULT (*Invoke)(IDispatch* This, DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                      DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr);
} IDispatchVtbl;
struct IDispatch {
    const IDispatchVtbl* lpVtbl;
};

/* IClassFactory */
typedef struct IClassFactory IClassFactory;
typedef struct IClassFactoryVtbl {
    HRESULT (*QueryInterface)(IClassFactory* This, REFIID riid, void** ppvObject);
    ULONG (*AddRef)(IClassFactory* This);
    ULONG (*Release)(IClassFactory* This);
    HRESULT (*CreateInstance)(IClassFactory* This, IUnknown* pUnkOuter, REFIID riid, void** ppvObject);
    HRESULT (*LockServer)(IClassFactory* This, BOOL fLock);
} IClassFactoryVtbl;
struct IClassFactory {
    const IClassFactoryVtbl* lpVtbl;
};

/* Connection points (outgoing interfaces). Enumerators are not offered. */
typedef struct IConnectionPoint IConnectionPoint;
typedef struct IConnectionPointContainer IConnectionPointContainer;
typedef struct IConnectionPointContainerVtbl {
    HRESULT (*QueryInterface)(IConnectionPointContainer* This, REFIID riid, void** ppvObject);
    ULONG (*AddRef)(IConnectionPointContainer* This);
    ULONG (*Release)(IConnectionPointContainer* This);
    HRESULT (*EnumConnectionPoints)(IConnectionPointContainer* This, void** ppEnum);
    HRESULT (*FindConnectionPoint)(IConnectionPointContainer* This, REFIID riid, IConnectionPoint** ppCP);
} IConnectionPointContainerVtbl;
struct IConnectionPointContainer {
    const IConnectionPointContainerVtbl* lpVtbl;
};
typedef struct IConnectionPointVtbl {
    HRESULT (*QueryInterface)(IConnectionPoint* This, REFIID riid, void** ppvObject);
    ULONG (*AddRef)(IConnectionPoint* This);
    ULONG (*Release)(IConnectionPoint* This);
    HRESULT (*GetConnectionInterface)(IConnectionPoint* This, IID* pIID);
    HRESULT (*GetConnectionPointContainer)(IConnectionPoint* This, IConnectionPointContainer** ppCPC);
    HRESULT (*Advise)(IConnectionPoint* This, IUnknown* pUnkSink, DWORD* pdwCookie);
    HRESULT (*Unadvise)(IConnectionPoint* This, DWORD dwCookie);
    HRESULT (*EnumConnections)(IConnectionPoint* This, void** ppEnum);
} IConnectionPointVtbl;
struct IConnectionPoint {
    const IConnectionPointVtbl* lpVtbl;
};

/* Error information. There is no process-wide error slot shared by every
 * module here: an object that supports error information (ISupportErrorInfo)
 * hands out the error of the last call that failed on it through
 * QueryInterface for IID_IErrorInfo, and forgets it then. */
typedef struct IErrorInfo IErrorInfo;
typedef struct IErrorInfoVtbl {
    HRESULT (*QueryInterface)(IErrorInfo* This, REFIID riid, void** ppvObject);
    ULONG (*AddRef)(IErrorInfo* This);
    ULONG (*Release)(IErrorInfo* This);
    HRESULT (*GetGUID)(IErrorInfo* This, GUID* pGUID);
    HRESULT (*GetSource)(IErrorInfo* This, BSTR* pBstrSource);
    HRESULT (*GetDescription)(IErrorInfo* This, BSTR* pBstrDescription);
    HRESULT (*GetHelpFile)(IErrorInfo* This, BSTR* pBstrHelpFile);
    HRESULT (*GetHelpContext)(IErrorInfo* This, DWORD* pdwHelpContext);
} IErrorInfoVtbl;
struct IErrorInfo {
    const IErrorInfoVtbl* lpVtbl;
};
typedef struct ISupportErrorInfo ISupportErrorInfo;
typedef struct ISupportErrorInfoVtbl {
    HRESULT (*QueryInterface)(ISupportErrorInfo* This, REFIID riid, void** ppvObject);
    ULONG (*AddRef)(ISupportErrorInfo* This);
    ULONG (*Release)(ISupportErrorInfo* This);
    HRESULT (*InterfaceSupportsErrorInfo)(ISupportErrorInfo* This, REFIID riid);
} ISupportErrorInfoVtbl;
struct ISupportErrorInfo {
    const ISupportErrorInfoVtbl* lpVtbl;
};

/* Streams and persistence, for the state a host keeps of a control. Only
 * Read and Write are needed of a stream; the others may answer E_NOTIMPL. */
typedef struct IStream IStream;
typedef struct IStreamVtbl {
    HRESULT (*QueryInterface)(IStream* This, REFIID riid, void** ppvObject);
    ULONG (*AddRef)(IStream* This);
    ULONG (*Release)(IStream* This);
    HRESULT (*Read)(IStream* This, void* pv, ULONG cb, ULONG* pcbRead);
    HRESULT (*Write)(IStream* This, const void* pv, ULONG cb, ULONG* pcbWritten);
    HRESULT (*Seek)(IStream* This, int64_t dlibMove, DWORD dwOrigin, uint64_t* plibNewPosition);
    HRESULT (*SetSize)(IStream* This, uint64_t libNewSize);
    HRESULT (*CopyTo)(IStream* This, IStream* pstm, uint64_t cb, uint64_t* pcbRead, uint64_t* pcbWritten);
    HRESULT (*Commit)(IStream* This, DWORD grfCommitFlags);
    HRESULT (*Revert)(IStream* This);
    HRESULT (*LockRegion)(IStream* This, uint64_t libOffset, uint64_t cb, DWORD dwLockType);
    HRESULT (*UnlockRegion)(IStream* This, uint64_t libOffset, uint64_t cb, DWORD dwLockType);
    HRESULT (*Stat)(IStream* This, void* pstatstg, DWORD grfStatFlag);
    HRESULT (*Clone)(IStream* This, IStream** ppstm);
} IStreamVtbl;
struct IStream {
    const IStreamVtbl* lpVtbl;
};
typedef struct IPersistStreamInit IPersistStreamInit;
typedef struct IPersistStreamInitVtbl {
    HRESULT (*QueryInterface)(IPersistStreamInit* This, REFIID riid, void** ppvObject);
    ULONG (*AddRef)(IPersistStreamInit* This);
    ULONG (*Release)(IPersistStreamInit* This);
    HRESULT (*GetClassID)(IPersistStreamInit* This, CLSID* pClassID);
    HRESULT (*IsDirty)(IPersistStreamInit* This);
    HRESULT (*Load)(IPersistStreamInit* This, IStream* pStm);
    HRESULT (*Save)(IPersistStreamInit* This, IStream* pStm, BOOL fClearDirty);
    HRESULT (*GetSizeMax)(IPersistStreamInit* This, uint64_t* pCbSize);
    HRESULT (*InitNew)(IPersistStreamInit* This);
} IPersistStreamInitVtbl;
struct IPersistStreamInit {
    const IPersistStreamInitVtbl* lpVtbl;
};

/* Standard interface identifiers. */
static const IID IID_NULL = {0x00000000, 0x0000, 0x0000, {0, 0, 0, 0, 0, 0, 0, 0}};
static const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const IID IID_IClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const IID IID_IConnectionPointContainer = {0xB196B284, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
static const IID IID_IConnectionPoint = {0xB196B286, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
static const IID IID_IErrorInfo = {0x1CF2B120, 0x547D, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
static const IID IID_ISupportErrorInfo = {0xDF0B3D60, 0x548F, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
static const IID IID_IPersist = {0x0000010C, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const IID IID_IPersistStreamInit = {0x7FD52380, 0x4E07, 0x101B, {0xAE, 0x2D, 0x08, 0x00, 0x2B, 0x2E, 0xC7, 0x13}};
static const IID IID_ISequentialStream = {0x0C733A30, 0x2A1C, 0x11CE, {0xAD, 0xE5, 0x00, 0xAA, 0x00, 0x44, 0x77, 0x3D}};
static const IID IID_IStream = {0x0000000C, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

static inline int IsEqualGUID(const GUID* a, const GUID* b)
{
    return memcmp(a, b, sizeof(GUID)) == 0;
}

/* The exports of an in-process server. */
typedef HRESULT (*LPFNGETCLASSOBJECT)(REFCLSID rclsid, REFIID riid, void** ppv);
typedef HRESULT (*LPFNCANUNLOADNOW)(void);
typedef HRESULT (*LPFNREGISTERSERVER)(void);

/* Automation strings. */
static inline BSTR SysAllocStringLen(const OLECHAR* units, UINT count)
{
    if (count > 0x3FFFFFF0u)
        return NULL;
    uint8_t* block = (uint8_t*)malloc(4 + ((size_t)count + 1) * sizeof(OLECHAR));
    if (!block)
        return NULL;
    const uint32_t bytes = count * (uint32_t)sizeof(OLECHAR);
    memcpy(block, &bytes, 4);
    BSTR s = (BSTR)(block + 4);
    if (units)
        memcpy(s, units, (size_t)count * sizeof(OLECHAR));
    else
        memset(s, 0, (size_t)count * sizeof(OLECHAR));
    s[count] = 0;
    return s;
}

static inline BSTR SysAllocString(const OLECHAR* units)
{
    UINT n = 0;
    if (!units)
        return NULL;
    while (units[n])
        ++n;
    return SysAllocStringLen(units, n);
}

static inline UINT SysStringByteLen(BSTR s)
{
    uint32_t bytes = 0;
    if (s)
        memcpy(&bytes, (const uint8_t*)s - 4, 4);
    return bytes;
}

static inline UINT SysStringLen(BSTR s)
{
    return SysStringByteLen(s) / (UINT)sizeof(OLECHAR);
}

static inline void SysFreeString(BSTR s)
{
    if (s)
        free((uint8_t*)s - 4);
}

static inline void VariantInit(VARIANT* v)
{
    memset(v, 0, sizeof(VARIANT));
}

/* Frees what the variant owns (a string, an interface reference) and empties it. */
static inline HRESULT VariantClear(VARIANT* v)
{
    switch (v->vt) {
    case VT_BSTR:
        SysFreeString(v->bstrVal);
        break;
    case VT_UNKNOWN:
    case VT_DISPATCH:
        if (v->punkVal)
            v->punkVal->lpVtbl->Release(v->punkVal);
        break;
    default:
        break;
    }
    VariantInit(v);
    return S_OK;
}

#ifdef __cplusplus
}
#endif
