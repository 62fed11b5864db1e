#pragma once
// Conversions of automation values, as IDispatch::Invoke makes them of its
// arguments: integers of any width into 16- or 32-bit numbers where they fit,
// booleans into numbers (-1, 0) and back, numbers into text, and the
// by-reference forms of each. A value that cannot be converted gives
// DISP_E_TYPEMISMATCH, one out of range DISP_E_OVERFLOW.
#include "com/BStr.h"
#include "com/ComTypes.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#define DISP_E_OVERFLOW ((HRESULT)0x8002000A)

namespace com {

// The value a variant holds, by reference resolved (one level).
inline VARIANT Deref(const VARIANT& v)
{
    if (!(v.vt & VT_BYREF))
        return v;
    VARIANT r;
    VariantInit(&r);
    r.vt = VARTYPE(v.vt & ~VT_BYREF);
    if (!v.byref) {
        r.vt = VT_ERROR;
        return r;
    }
    switch (r.vt) {
    case VT_I1: case VT_UI1: r.bVal = *static_cast<const uint8_t*>(v.byref); break;
    case VT_I2: case VT_UI2: case VT_BOOL: r.uiVal = *static_cast<const uint16_t*>(v.byref); break;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: r.ulVal = *static_cast<const uint32_t*>(v.byref); break;
    case VT_I8: case VT_UI8: r.ullVal = *static_cast<const uint64_t*>(v.byref); break;
    case VT_BSTR: r.bstrVal = *static_cast<BSTR*>(v.byref); break;
    case VT_VARIANT: return Deref(*static_cast<const VARIANT*>(v.byref));
    default: r.vt = VT_ERROR; break;
    }
    return r;
}

// A whole number of any integer or boolean variant (or decimal text).
inline std::optional<int64_t> IntegerOf(const VARIANT& value, bool& overflow)
{
    const VARIANT v = Deref(value);
    overflow = false;
    switch (v.vt) {
    case VT_I1: return v.cVal;
    case VT_UI1: return v.bVal;
    case VT_I2: return v.iVal;
    case VT_UI2: return v.uiVal;
    case VT_BOOL: return v.boolVal ? -1 : 0;
    case VT_I4: case VT_INT: return v.lVal;
    case VT_UI4: case VT_UINT: return v.ulVal;
    case VT_I8: return v.llVal;
    case VT_UI8:
        if (v.ullVal > uint64_t(std::numeric_limits<int64_t>::max())) {
            overflow = true;
            return std::nullopt;
        }
        return int64_t(v.ullVal);
    case VT_BSTR: {
        const std::string text = ToUtf8(v.bstrVal);
        int64_t n = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
        if (ec == std::errc::result_out_of_range)
            overflow = true;
        if (ec != std::errc() || end != text.data() + text.size() || text.empty())
            return std::nullopt;
        return n;
    }
    default:
        return std::nullopt;
    }
}

template <class T>
HRESULT ToInteger(const VARIANT& v, T& out)
{
    bool overflow = false;
    const auto n = IntegerOf(v, overflow);
    if (!n)
        return overflow ? DISP_E_OVERFLOW : DISP_E_TYPEMISMATCH;
    if (*n < int64_t(std::numeric_limits<T>::min()) || *n > int64_t(std::numeric_limits<T>::max()))
        return DISP_E_OVERFLOW;
    out = T(*n);
    return S_OK;
}

inline HRESULT ToBool(const VARIANT& value, VARIANT_BOOL& out)
{
    const VARIANT v = Deref(value);
    if (v.vt == VT_BSTR) {
        const std::string text = ToUtf8(v.bstrVal);
        if (text == "True" || text == "true" || text == "-1") {
            out = VARIANT_TRUE;
            return S_OK;
        }
        if (text == "False" || text == "false" || text == "0") {
            out = VARIANT_FALSE;
            return S_OK;
        }
        return DISP_E_TYPEMISMATCH;
    }
    bool overflow = false;
    const auto n = IntegerOf(v, overflow);
    if (!n && !overflow)
        return DISP_E_TYPEMISMATCH;
    out = overflow || *n ? VARIANT_TRUE : VARIANT_FALSE; // too large for 64 bits is still non-zero
    return S_OK;
}

// A pointer-sized handle: any integer variant.
inline HRESULT ToHandle(const VARIANT& value, uintptr_t& out)
{
    const VARIANT v = Deref(value);
    switch (v.vt) {
    case VT_UI8: case VT_I8: out = uintptr_t(v.ullVal); return S_OK;
    case VT_UI4: case VT_UINT: out = v.ulVal; return S_OK;
    case VT_I4: case VT_INT: out = uintptr_t(intptr_t(v.lVal)); return S_OK;
    case VT_EMPTY: out = 0; return S_OK;
    default: return DISP_E_TYPEMISMATCH;
    }
}

// Text of a string, number or boolean variant.
inline HRESULT ToText(const VARIANT& value, std::u16string& out)
{
    const VARIANT v = Deref(value);
    if (v.vt == VT_BSTR) {
        out = std::u16string(View(v.bstrVal));
        return S_OK;
    }
    if (v.vt == VT_BOOL) {
        out = v.boolVal ? u"True" : u"False";
        return S_OK;
    }
    bool overflow = false;
    const auto n = IntegerOf(v, overflow);
    if (!n)
        return DISP_E_TYPEMISMATCH;
    out = Utf8ToUtf16(std::to_string(*n));
    return S_OK;
}

inline void SetInt32(VARIANT* v, int32_t n)
{
    if (!v)
        return;
    VariantClear(v);
    v->vt = VT_I4;
    v->lVal = n;
}

inline void SetInt16(VARIANT* v, int16_t n)
{
    if (!v)
        return;
    VariantClear(v);
    v->vt = VT_I2;
    v->iVal = n;
}

inline void SetBool(VARIANT* v, VARIANT_BOOL b)
{
    if (!v)
        return;
    VariantClear(v);
    v->vt = VT_BOOL;
    v->boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
}

// Gives the string to the variant.
inline void SetText(VARIANT* v, TBStr s)
{
    if (!v)
        return;
    VariantClear(v);
    v->vt = VT_BSTR;
    v->bstrVal = s.Detach();
}

} // namespace com
