// The tables of functions of the AVI-writer control's interfaces, and its
// error object: each entry finds the control behind the interface pointer
// and calls the member; the table of IZembraAviWriter reports failures as a
// failure HRESULT with the text kept as error information.
#include "aviwriter/control/ZembraAviWriter.h"

#include "com/BStr.h"
#include "com/Guid.h"

#include <new>

namespace avi {

namespace {

using T = TZembraAviWriter;

template <class I>
HRESULT QI(I* p, REFIID riid, void** out)
{
    return riid ? T::Of(p).QueryInterface(*riid, out) : E_POINTER;
}
template <class I>
ULONG AddRef(I* p)
{
    return T::Of(p).AddRef();
}
template <class I>
ULONG Release(I* p)
{
    return T::Of(p).Release();
}

template <class F>
HRESULT Run(IZembraAviWriter* p, F f)
{
    T& self = T::Of(p);
    return self.Guarded([&] { f(self); });
}

// A member with a result in an out parameter.
template <class V, class F>
HRESULT Out(IZembraAviWriter* p, V* value, F f)
{
    if (!value)
        return E_POINTER;
    return Run(p, [&](T& self) { *value = V(f(self)); });
}

template <class F>
HRESULT OutText(IZembraAviWriter* p, BSTR* value, F f)
{
    if (!value)
        return E_POINTER;
    *value = nullptr;
    return Run(p, [&](T& self) { *value = com::TBStr(f(self)).Detach(); });
}

VARIANT_BOOL B(bool v)
{
    return v ? VARIANT_TRUE : VARIANT_FALSE;
}

std::u16string S(BSTR s)
{
    return std::u16string(com::View(s));
}

using W = IZembraAviWriter;

const IZembraAviWriterVtbl kMain = {
    .QueryInterface = QI<W>,
    .AddRef = AddRef<W>,
    .Release = Release<W>,
    .GetTypeInfoCount = [](W*, UINT* count) { return count ? (*count = 0, S_OK) : E_POINTER; },
    .GetTypeInfo = [](W*, UINT, LCID, void** info) {
        if (info)
            *info = nullptr;
        return E_NOTIMPL;
    },
    .GetIDsOfNames = [](W* p, REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
        return T::Of(p).GetIDsOfNames(names, count, ids);
    },
    .Invoke = [](W* p, DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep,
                 UINT* argErr) { return T::Of(p).Invoke(id, flags, params, result, excep, argErr); },
    .Write = [](W* p) { return Run(p, [](T& s) { s.Write(); }); },
    .InitVideo = [](W* p, HBITMAP b) { return Run(p, [&](T& s) { s.InitVideo(b); }); },
    .AddFrame = [](W* p, HBITMAP b) { return Run(p, [&](T& s) { s.AddFrame(b); }); },
    .FinalizeVideo = [](W* p) { return Run(p, [](T& s) { s.FinalizeVideo(); }); },
    .WriteAvi = [](W* p) { return Run(p, [](T& s) { s.WriteAvi(); }); },
    .Compressorlist = [](W* p) { return Run(p, [](T& s) { s.Compressorlist(); }); },
    .SetCompression = [](W* p, BSTR code) { return Run(p, [&](T& s) { s.SetCompression(S(code)); }); },
    .ShowCompressorDialog = [](W* p, HWND parent) { return Run(p, [&](T& s) { s.ShowCompressorDialog(parent); }); },
    .AddWaveFile = [](W* p, BSTR file, int32_t delay) { return Run(p, [&](T& s) { s.AddWaveFile(S(file), delay); }); },
    .AVIInit = [](W* p) { return Run(p, [](T& s) { s.AVIInit(); }); },
    .AVIAdd = [](W* p, BSTR code, BSTR name) { return Run(p, [&](T& s) { s.AVIAdd(S(code), S(name)); }); },
    .AVIGetCount = [](W* p, int32_t* v) { return Out(p, v, [](T& s) { return s.AVIGetCount(); }); },
    .AVIGetCode = [](W* p, int32_t i, BSTR* v) { return OutText(p, v, [&](T& s) { return s.AVIGetCode(i); }); },
    .AVIGetName = [](W* p, int32_t i, BSTR* v) { return OutText(p, v, [&](T& s) { return s.AVIGetName(i); }); },
    .get_Aborted = [](W* p, VARIANT_BOOL* v) { return Out(p, v, [](T& s) { return B(s.Aborted()); }); },
    .get_OnTheFlyCompression = [](W* p, VARIANT_BOOL* v) {
        return Out(p, v, [](T& s) { return B(s.OnTheFlyCompression()); });
    },
    .put_OnTheFlyCompression = [](W* p, VARIANT_BOOL v) { return Run(p, [&](T& s) { s.SetOnTheFlyCompression(v); }); },
    .get_CompressionQuality = [](W* p, int32_t* v) { return Out(p, v, [](T& s) { return s.CompressionQuality(); }); },
    .put_CompressionQuality = [](W* p, int32_t v) { return Run(p, [&](T& s) { s.SetCompressionQuality(v); }); },
    .get_AHeight = [](W* p, int32_t* v) { return Out(p, v, [](T& s) { return s.AHeight(); }); },
    .put_AHeight = [](W* p, int32_t v) { return Run(p, [&](T& s) { s.SetAHeight(v); }); },
    .get_AWidth = [](W* p, int32_t* v) { return Out(p, v, [](T& s) { return s.AWidth(); }); },
    .put_AWidth = [](W* p, int32_t v) { return Run(p, [&](T& s) { s.SetAWidth(v); }); },
    .get_FrameTime = [](W* p, int32_t* v) { return Out(p, v, [](T& s) { return s.FrameTime(); }); },
    .put_FrameTime = [](W* p, int32_t v) { return Run(p, [&](T& s) { s.SetFrameTime(v); }); },
    .get_TempFileName = [](W* p, BSTR* v) { return OutText(p, v, [](T& s) { return s.TempFileName(); }); },
    .put_TempFileName = [](W* p, BSTR v) { return Run(p, [&](T& s) { s.SetTempFileName(S(v)); }); },
    .get_Stretch = [](W* p, VARIANT_BOOL* v) { return Out(p, v, [](T& s) { return B(s.Stretch()); }); },
    .put_Stretch = [](W* p, VARIANT_BOOL v) { return Run(p, [&](T& s) { s.SetStretch(v); }); },
    .get_PixelFormat = [](W* p, ::TxPixelFormat* v) { return Out(p, v, [](T& s) { return s.PixelFormat(); }); },
    .put_PixelFormat = [](W* p, ::TxPixelFormat v) { return Run(p, [&](T& s) { s.SetPixelFormat(v); }); },
    .get_filename = [](W* p, BSTR* v) { return OutText(p, v, [](T& s) { return s.filename(); }); },
    .put_filename = [](W* p, BSTR v) { return Run(p, [&](T& s) { s.Setfilename(S(v)); }); },
    .get_WavFileName = [](W* p, BSTR* v) { return OutText(p, v, [](T& s) { return s.WavFileName(); }); },
    .put_WavFileName = [](W* p, BSTR v) { return Run(p, [&](T& s) { s.SetWavFileName(S(v)); }); },
    .get_DoubleBuffered = [](W* p, VARIANT_BOOL* v) {
        return Out(p, v, [](T& s) { return B(s.Window().DoubleBuffered); });
    },
    .put_DoubleBuffered = [](W* p, VARIANT_BOOL v) { return Run(p, [&](T& s) { s.Window().DoubleBuffered = v; }); },
    .get_AlignDisabled = [](W* p, VARIANT_BOOL* v) { return Out(p, v, [](T&) { return VARIANT_FALSE; }); },
    .get_VisibleDockClientCount = [](W* p, int32_t* v) { return Out(p, v, [](T&) { return 0; }); },
    .DrawTextBiDiModeFlagsReadingOnly = [](W* p, int32_t* v) { return Out(p, v, [](T&) { return 0; }); },
    .get_Enabled = [](W* p, VARIANT_BOOL* v) { return Out(p, v, [](T& s) { return B(s.Window().Enabled); }); },
    .put_Enabled = [](W* p, VARIANT_BOOL v) { return Run(p, [&](T& s) { s.Window().Enabled = v; }); },
    .InitiateAction = [](W* p) { return Run(p, [](T&) {}); },
    .IsRightToLeft = [](W* p, VARIANT_BOOL* v) { return Out(p, v, [](T&) { return VARIANT_FALSE; }); },
    .UseRightToLeftReading = [](W* p, VARIANT_BOOL* v) { return Out(p, v, [](T&) { return VARIANT_FALSE; }); },
    .UseRightToLeftScrollBar = [](W* p, VARIANT_BOOL* v) { return Out(p, v, [](T&) { return VARIANT_FALSE; }); },
    .get_Visible = [](W* p, VARIANT_BOOL* v) { return Out(p, v, [](T& s) { return B(s.Window().Visible); }); },
    .put_Visible = [](W* p, VARIANT_BOOL v) { return Run(p, [&](T& s) { s.Window().Visible = v; }); },
    .get_Cursor = [](W* p, int16_t* v) { return Out(p, v, [](T& s) { return s.Window().Cursor; }); },
    .put_Cursor = [](W* p, int16_t v) { return Run(p, [&](T& s) { s.Window().Cursor = v; }); },
    .get_HelpType = [](W* p, TxHelpType* v) { return Out(p, v, [](T& s) { return s.Window().HelpType; }); },
    .put_HelpType = [](W* p, TxHelpType v) { return Run(p, [&](T& s) { s.Window().HelpType = v; }); },
    .get_HelpKeyword = [](W* p, BSTR* v) { return OutText(p, v, [](T& s) { return s.Window().HelpKeyword; }); },
    .put_HelpKeyword = [](W* p, BSTR v) { return Run(p, [&](T& s) { s.Window().HelpKeyword = S(v); }); },
    .SetSubComponent = [](W* p, VARIANT_BOOL v) { return Run(p, [&](T& s) { s.Window().IsSubComponent = v; }); },
};
static_assert(sizeof(IZembraAviWriterVtbl) == 62 * sizeof(void*), "IZembraAviWriter has 62 slots");

using C = IConnectionPointContainer;
const IConnectionPointContainerVtbl kContainer = {
    .QueryInterface = QI<C>,
    .AddRef = AddRef<C>,
    .Release = Release<C>,
    .EnumConnectionPoints = [](C*, void** e) {
        if (e)
            *e = nullptr;
        return E_NOTIMPL;
    },
    .FindConnectionPoint = [](C* p, REFIID riid, IConnectionPoint** point) {
        if (!point || !riid)
            return E_POINTER;
        *point = nullptr;
        using com::operator==;
        if (!(*riid == DIID_IZembraAviWriterEvents))
            return CONNECT_E_NOCONNECTION;
        return T::Of(p).QueryInterface(IID_IConnectionPoint, reinterpret_cast<void**>(point));
    },
};

using CP = IConnectionPoint;
const IConnectionPointVtbl kPoint = {
    .QueryInterface = QI<CP>,
    .AddRef = AddRef<CP>,
    .Release = Release<CP>,
    .GetConnectionInterface = [](CP*, IID* iid) { return iid ? (*iid = DIID_IZembraAviWriterEvents, S_OK) : E_POINTER; },
    .GetConnectionPointContainer = [](CP* p, IConnectionPointContainer** c) {
        return T::Of(p).QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(c));
    },
    .Advise = [](CP* p, IUnknown* sink, DWORD* cookie) { return T::Of(p).Advise(sink, cookie); },
    .Unadvise = [](CP* p, DWORD cookie) { return T::Of(p).Unadvise(cookie); },
    .EnumConnections = [](CP*, void** e) {
        if (e)
            *e = nullptr;
        return E_NOTIMPL;
    },
};

using SE = ISupportErrorInfo;
const ISupportErrorInfoVtbl kSupportError = {
    .QueryInterface = QI<SE>,
    .AddRef = AddRef<SE>,
    .Release = Release<SE>,
    .InterfaceSupportsErrorInfo = [](SE*, REFIID riid) {
        using com::operator==;
        return riid && *riid == IID_IZembraAviWriter ? S_OK : S_FALSE;
    },
};

using PS = IPersistStreamInit;
const IPersistStreamInitVtbl kPersist = {
    .QueryInterface = QI<PS>,
    .AddRef = AddRef<PS>,
    .Release = Release<PS>,
    .GetClassID = [](PS*, CLSID* id) { return id ? (*id = CLSID_ZembraAviWriter, S_OK) : E_POINTER; },
    .IsDirty = [](PS*) { return S_OK; },
    .Load = [](PS* p, IStream* stream) { return T::Of(p).Load(stream); },
    .Save = [](PS* p, IStream* stream, BOOL) { return T::Of(p).Save(stream); },
    .GetSizeMax = [](PS* p, uint64_t* size) { return T::Of(p).SizeMax(size); },
    .InitNew = [](PS*) { return S_OK; },
};

// The description of one failure, for IErrorInfo.
class TErrorInfo {
public:
    explicit TErrorInfo(const std::string& description) : fDescription(com::Utf8ToUtf16(description)) {}

    static TErrorInfo& Of(IErrorInfo* p) { return *reinterpret_cast<TErrorInfo*>(p); }
    IErrorInfo* Interface() { return reinterpret_cast<IErrorInfo*>(this); }

    static const IErrorInfoVtbl kTable;

private:
    static HRESULT Text(BSTR* out, std::u16string_view text)
    {
        if (!out)
            return E_POINTER;
        *out = com::TBStr(text).Detach();
        return S_OK;
    }

    const IErrorInfoVtbl* fTable = &kTable; // first: the interface pointer is the object's address
    TModuleObject fCounted;
    ULONG fRefs = 1;
    std::u16string fDescription;
};

const IErrorInfoVtbl TErrorInfo::kTable = {
    .QueryInterface = [](IErrorInfo* p, REFIID riid, void** out) {
        if (!out || !riid)
            return E_POINTER;
        using com::operator==;
        *out = nullptr;
        if (!(*riid == IID_IUnknown) && !(*riid == IID_IErrorInfo))
            return E_NOINTERFACE;
        ++Of(p).fRefs;
        *out = p;
        return S_OK;
    },
    .AddRef = [](IErrorInfo* p) { return ++Of(p).fRefs; },
    .Release = [](IErrorInfo* p) {
        const ULONG left = --Of(p).fRefs;
        if (left == 0)
            delete &Of(p);
        return left;
    },
    .GetGUID = [](IErrorInfo*, GUID* g) { return g ? (*g = IID_IZembraAviWriter, S_OK) : E_POINTER; },
    .GetSource = [](IErrorInfo*, BSTR* s) { return Text(s, u"ZembraAviWriter"); },
    .GetDescription = [](IErrorInfo* p, BSTR* s) { return Text(s, Of(p).fDescription); },
    .GetHelpFile = [](IErrorInfo*, BSTR* s) { return Text(s, u""); },
    .GetHelpContext = [](IErrorInfo*, DWORD* c) { return c ? (*c = 0, S_OK) : E_POINTER; },
};

} // namespace

const IZembraAviWriterVtbl& ZembraAviWriterTable() { return kMain; }
const IConnectionPointContainerVtbl& ConnectionPointContainerTable() { return kContainer; }
const IConnectionPointVtbl& ConnectionPointTable() { return kPoint; }
const ISupportErrorInfoVtbl& SupportErrorInfoTable() { return kSupportError; }
const IPersistStreamInitVtbl& PersistStreamInitTable() { return kPersist; }

IErrorInfo* NewErrorInfo(const std::string& description)
{
    auto* info = new (std::nothrow) TErrorInfo(description);
    return info ? info->Interface() : nullptr;
}

} // namespace avi
