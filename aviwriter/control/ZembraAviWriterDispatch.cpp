// IDispatch of the AVI-writer control: names to DISPIDs from the type
// library's table, and Invoke: arguments in reverse order converted to the
// parameter types, property puts with DISPID_PROPERTYPUT as the one named
// argument, failures as DISP_E_EXCEPTION with the text in EXCEPINFO.
#include "aviwriter/control/ZembraAviWriter.h"

#include "com/BStr.h"
#include "com/Variant.h"

#include <exception>
#include <vector>

#define DISP_E_NONAMEDARGS ((HRESULT)0x80020007)

namespace avi {

namespace {

struct TArg {
    int32_t I = 0;
    bool B = false;
    std::u16string S;
    uintptr_t H = 0;
};

HRESULT Convert(const VARIANT& v, TParamType type, TArg& out)
{
    switch (type) {
    case TParamType::Int16: {
        int16_t n = 0;
        const HRESULT hr = com::ToInteger(v, n);
        out.I = n;
        return hr;
    }
    case TParamType::Int32:
    case TParamType::PixelFormat:
    case TParamType::HelpType:
        return com::ToInteger(v, out.I);
    case TParamType::Bool: {
        VARIANT_BOOL b = VARIANT_FALSE;
        const HRESULT hr = com::ToBool(v, b);
        out.B = b != 0;
        return hr;
    }
    case TParamType::String:
        return com::ToText(v, out.S);
    case TParamType::Handle:
        return com::ToHandle(v, out.H);
    }
    return DISP_E_TYPEMISMATCH;
}

void SetString(VARIANT* result, const std::u16string& s)
{
    com::SetText(result, com::TBStr(s));
}

HBITMAP Bitmap(const TArg& a)
{
    return reinterpret_cast<HBITMAP>(a.H);
}

void SetIntOf(TParamType type, VARIANT* result, int32_t v)
{
    if (type == TParamType::Int16)
        com::SetInt16(result, int16_t(v));
    else
        com::SetInt32(result, v);
}

} // namespace

HRESULT TZembraAviWriter::GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) const
{
    if (!names || !ids)
        return E_POINTER;
    if (count == 0)
        return E_INVALIDARG;
    auto view = [](LPOLESTR s) {
        std::u16string_view v;
        if (s) {
            size_t n = 0;
            while (s[n])
                ++n;
            v = std::u16string_view(reinterpret_cast<const char16_t*>(s), n);
        }
        return v;
    };
    HRESULT hr = S_OK;
    const TMemberDesc* member = FindMember(view(names[0]));
    ids[0] = member ? member->DispId : DISPID_UNKNOWN;
    if (!member)
        hr = DISP_E_UNKNOWNNAME;
    // Further names are the member's parameters, numbered by position.
    for (UINT i = 1; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        if (member)
            for (size_t p = 0; p < member->Params.size(); ++p)
                if (SameAutomationName(view(names[i]), member->Params[p].Name))
                    ids[i] = DISPID(p);
        if (ids[i] == DISPID_UNKNOWN)
            hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT TZembraAviWriter::Invoke(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo,
                                 UINT* argErr)
{
    const TMemberDesc* member = FindMember(id);
    if (!member)
        return DISP_E_MEMBERNOTFOUND;
    if (!params)
        return E_INVALIDARG;
    const bool isProperty = member->Kind != TMemberKind::Method;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    const bool call = (flags & DISPATCH_METHOD) != 0;
    const bool get = (flags & DISPATCH_PROPERTYGET) != 0;

    // Which parameters arrive as arguments.
    std::vector<TParamType> types;
    if (put) {
        if (member->Kind != TMemberKind::GetPut)
            return DISP_E_MEMBERNOTFOUND;
        if (params->cNamedArgs != 1 || !params->rgdispidNamedArgs || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
            return DISP_E_PARAMNOTFOUND;
        types.push_back(member->Params[0].Type);
    } else {
        if (isProperty ? !get && !call : !call)
            return DISP_E_MEMBERNOTFOUND;
        if (params->cNamedArgs != 0)
            return DISP_E_NONAMEDARGS;
        if (!isProperty)
            for (const TParamDesc& p : member->Params)
                if (!p.RetVal)
                    types.push_back(p.Type);
    }
    if (params->cArgs != types.size())
        return DISP_E_BADPARAMCOUNT;
    if (params->cArgs && !params->rgvarg)
        return E_INVALIDARG;
    std::vector<TArg> a(types.size());
    for (size_t i = 0; i < types.size(); ++i) {
        const UINT at = UINT(types.size() - 1 - i); // the first parameter comes last
        if (const HRESULT hr = Convert(params->rgvarg[at], types[i], a[i]); FAILED(hr)) {
            if (argErr)
                *argErr = at;
            return hr;
        }
    }

    VARIANT discard;
    VariantInit(&discard);
    VARIANT* out = result ? result : &discard;
    const TParamType valueType = member->Params.empty() ? TParamType::Int32 : member->Params.back().Type;
    fLastError.clear();
    try {
        switch (id) {
        case DISPID_ZAW_Write: Write(); break;
        case DISPID_ZAW_InitVideo: InitVideo(Bitmap(a[0])); break;
        case DISPID_ZAW_AddFrame: AddFrame(Bitmap(a[0])); break;
        case DISPID_ZAW_FinalizeVideo: FinalizeVideo(); break;
        case DISPID_ZAW_WriteAvi: WriteAvi(); break;
        case DISPID_ZAW_Compressorlist: Compressorlist(); break;
        case DISPID_ZAW_SetCompression: SetCompression(a[0].S); break;
        case DISPID_ZAW_ShowCompressorDialog: ShowCompressorDialog(reinterpret_cast<HWND>(a[0].H)); break;
        case DISPID_ZAW_AddWaveFile: AddWaveFile(a[0].S, a[1].I); break;
        case DISPID_ZAW_AVIInit: AVIInit(); break;
        case DISPID_ZAW_AVIAdd: AVIAdd(a[0].S, a[1].S); break;
        case DISPID_ZAW_AVIGetCount: com::SetInt32(out, AVIGetCount()); break;
        case DISPID_ZAW_AVIGetCode: SetString(out, AVIGetCode(a[0].I)); break;
        case DISPID_ZAW_AVIGetName: SetString(out, AVIGetName(a[0].I)); break;
        case DISPID_ZAW_Aborted: com::SetBool(out, Aborted() ? VARIANT_TRUE : VARIANT_FALSE); break;
        case DISPID_ZAW_DrawTextBiDiModeFlagsReadingOnly: com::SetInt32(out, 0); break;
        case DISPID_ZAW_InitiateAction: break;
        case DISPID_ZAW_IsRightToLeft:
        case DISPID_ZAW_UseRightToLeftReading:
        case DISPID_ZAW_UseRightToLeftScrollBar: com::SetBool(out, VARIANT_FALSE); break;
        case DISPID_ZAW_SetSubComponent: fWindow.IsSubComponent = a[0].B; break;
        case DISPID_ZAW_AlignDisabled: com::SetBool(out, VARIANT_FALSE); break;
        case DISPID_ZAW_VisibleDockClientCount: com::SetInt32(out, 0); break;
        default: {
            // The get/put properties.
            const TArg& v = put ? a[0] : TArg();
            switch (id) {
            case DISPID_ZAW_OnTheFlyCompression:
                put ? SetOnTheFlyCompression(v.B) : com::SetBool(out, OnTheFlyCompression() ? VARIANT_TRUE : 0);
                break;
            case DISPID_ZAW_CompressionQuality:
                put ? SetCompressionQuality(v.I) : com::SetInt32(out, CompressionQuality());
                break;
            case DISPID_ZAW_AHeight: put ? SetAHeight(v.I) : com::SetInt32(out, AHeight()); break;
            case DISPID_ZAW_AWidth: put ? SetAWidth(v.I) : com::SetInt32(out, AWidth()); break;
            case DISPID_ZAW_FrameTime: put ? SetFrameTime(v.I) : com::SetInt32(out, FrameTime()); break;
            case DISPID_ZAW_TempFileName: put ? SetTempFileName(v.S) : SetString(out, TempFileName()); break;
            case DISPID_ZAW_Stretch: put ? SetStretch(v.B) : com::SetBool(out, Stretch() ? VARIANT_TRUE : 0); break;
            case DISPID_ZAW_PixelFormat: put ? SetPixelFormat(v.I) : com::SetInt32(out, PixelFormat()); break;
            case DISPID_ZAW_filename: put ? Setfilename(v.S) : SetString(out, filename()); break;
            case DISPID_ZAW_WavFileName: put ? SetWavFileName(v.S) : SetString(out, WavFileName()); break;
            case DISPID_ZAW_DoubleBuffered:
                put ? void(fWindow.DoubleBuffered = v.B) : com::SetBool(out, fWindow.DoubleBuffered ? -1 : 0);
                break;
            case DISPID_ZAW_Enabled:
                put ? void(fWindow.Enabled = v.B) : com::SetBool(out, fWindow.Enabled ? -1 : 0);
                break;
            case DISPID_ZAW_Visible:
                put ? void(fWindow.Visible = v.B) : com::SetBool(out, fWindow.Visible ? -1 : 0);
                break;
            case DISPID_ZAW_Cursor:
                put ? void(fWindow.Cursor = int16_t(v.I)) : SetIntOf(valueType, out, fWindow.Cursor);
                break;
            case DISPID_ZAW_HelpType: put ? void(fWindow.HelpType = v.I) : com::SetInt32(out, fWindow.HelpType); break;
            case DISPID_ZAW_HelpKeyword:
                put ? void(fWindow.HelpKeyword = v.S) : SetString(out, fWindow.HelpKeyword);
                break;
            default: return DISP_E_MEMBERNOTFOUND;
            }
        }
        }
    } catch (const std::exception& error) {
        VariantClear(&discard);
        if (excepInfo) {
            *excepInfo = EXCEPINFO{};
            excepInfo->bstrSource = com::TBStr::FromUtf8("ZembraAviWriter").Detach();
            excepInfo->bstrDescription = com::TBStr::FromUtf8(error.what()).Detach();
            excepInfo->scode = E_FAIL;
        }
        return DISP_E_EXCEPTION;
    }
    VariantClear(&discard);
    return S_OK;
}

} // namespace avi
