#include "aviwriter/control/ZembraAviWriter.h"

#include "com/BStr.h"
#include "com/Guid.h"

#include <exception>
#include <new>

namespace avi {

namespace {

using com::operator==;

std::string Utf8(const std::u16string& s)
{
    return com::Utf16ToUtf8(s);
}

std::u16string Utf16(const std::string& s)
{
    return com::Utf8ToUtf16(s);
}

constexpr DWORD kCookie = 1;

} // namespace

IUnknown* TZembraAviWriter::Create()
{
    auto* control = new TZembraAviWriter();
    return reinterpret_cast<IUnknown*>(&control->fMain);
}

TZembraAviWriter::TZembraAviWriter()
    : fMain{&ZembraAviWriterTable(), this}, fContainer{&ConnectionPointContainerTable(), this},
      fPoint{&ConnectionPointTable(), this}, fSupportError{&SupportErrorInfoTable(), this},
      fPersist{&PersistStreamInitTable(), this}
{
    InitializeControl();
}

void TZembraAviWriter::InitializeControl()
{
    fEngine.OnProgress = [this](TAviWriterEngine&, int32_t frameCount, bool& abort) {
        OnEngineProgress(frameCount, abort);
    };
}

ULONG TZembraAviWriter::Release()
{
    const ULONG left = --fRefs;
    if (left == 0)
        delete this;
    return left;
}

HRESULT TZembraAviWriter::QueryInterface(const IID& iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IZembraAviWriter)
        *out = &fMain;
    else if (iid == IID_IConnectionPointContainer)
        *out = &fContainer;
    else if (iid == IID_IConnectionPoint)
        *out = &fPoint;
    else if (iid == IID_ISupportErrorInfo)
        *out = &fSupportError;
    else if (iid == IID_IPersistStreamInit || iid == IID_IPersist)
        *out = &fPersist;
    else if (iid == IID_IErrorInfo && !fLastError.empty()) {
        IErrorInfo* info = NewErrorInfo(fLastError);
        if (!info)
            return E_OUTOFMEMORY;
        fLastError.clear();
        *out = info;
        return S_OK;
    }
    if (!*out)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

HRESULT TZembraAviWriter::Guarded(const std::function<void()>& member)
{
    fLastError.clear();
    try {
        member();
        return S_OK;
    } catch (const std::bad_alloc&) {
        Fail("Out of memory");
        return E_OUTOFMEMORY;
    } catch (const std::exception& error) {
        Fail(error.what());
        return E_FAIL;
    } catch (...) {
        Fail("Unknown failure");
        return E_FAIL;
    }
}

void TZembraAviWriter::SetCompression(const std::u16string& fourCC)
{
    fEngine.SetCompression(Utf8(fourCC.substr(0, 255)));
}

void TZembraAviWriter::AddWaveFile(const std::u16string& fileName, int32_t delay)
{
    fEngine.AddWaveFile(Utf8(fileName), delay);
}

void TZembraAviWriter::AVIAdd(const std::u16string& code, const std::u16string& name)
{
    fEngine.AVIAdd(Utf8(code), Utf8(name));
}

std::u16string TZembraAviWriter::AVIGetCode(int32_t index) const
{
    return Utf16(fEngine.AVIGetCode(index));
}

std::u16string TZembraAviWriter::AVIGetName(int32_t index) const
{
    return Utf16(fEngine.AVIGetName(index));
}

std::u16string TZembraAviWriter::TempFileName() const
{
    return Utf16(fEngine.TempFileName());
}

void TZembraAviWriter::SetTempFileName(const std::u16string& v)
{
    fEngine.SetTempFileName(Utf8(v));
}

std::u16string TZembraAviWriter::filename() const
{
    return Utf16(fEngine.filename());
}

void TZembraAviWriter::Setfilename(const std::u16string& v)
{
    fEngine.Setfilename(Utf8(v));
}

std::u16string TZembraAviWriter::WavFileName() const
{
    return Utf16(fEngine.WavFileName());
}

void TZembraAviWriter::SetWavFileName(const std::u16string& v)
{
    fEngine.SetWavFileName(Utf8(v));
}

// The progress bridge: the flag crosses as an automation boolean by
// reference, and comes back as the engine's aborted flag.
void TZembraAviWriter::OnEngineProgress(int32_t frameCount, bool& abort)
{
    if (!fSink)
        return;
    VARIANT_BOOL flag = abort ? VARIANT_TRUE : VARIANT_FALSE;
    VARIANT args[2];
    VariantInit(&args[0]);
    VariantInit(&args[1]);
    args[0].vt = VT_BOOL | VT_BYREF; // abort, the last parameter, comes first
    args[0].pboolVal = &flag;
    args[1].vt = VT_I4;
    args[1].lVal = frameCount;
    DISPPARAMS params{args, nullptr, 2, 0};
    const com::TComPtr<IDispatch> sink = fSink; // the sink may disconnect itself
    sink->lpVtbl->Invoke(sink.Get(), DISPID_ZAW_OnProgress, &IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                         nullptr, nullptr, nullptr);
    abort = flag != 0;
}

HRESULT TZembraAviWriter::Advise(IUnknown* sink, DWORD* cookie)
{
    if (!sink || !cookie)
        return E_POINTER;
    *cookie = 0;
    if (fSink)
        return CONNECT_E_ADVISELIMIT;
    com::TComPtr<IDispatch> events;
    if (FAILED(sink->lpVtbl->QueryInterface(sink, &DIID_IZembraAviWriterEvents, events.PutVoid())) || !events) {
        if (FAILED(sink->lpVtbl->QueryInterface(sink, &IID_IDispatch, events.PutVoid())) || !events)
            return E_NOINTERFACE; // CONNECT_E_CANNOTCONNECT in spirit
    }
    fSink = std::move(events); // EventSinkChanged: the new sink
    *cookie = kCookie;
    return S_OK;
}

HRESULT TZembraAviWriter::Unadvise(DWORD cookie)
{
    if (cookie != kCookie || !fSink)
        return CONNECT_E_NOCONNECTION;
    fSink.Reset(); // EventSinkChanged: none
    return S_OK;
}

HRESULT TZembraAviWriter::Load(IStream* stream)
{
    if (!stream)
        return E_POINTER;
    std::vector<uint8_t> bytes;
    uint8_t chunk[4096];
    for (;;) {
        ULONG read = 0;
        const HRESULT hr = stream->lpVtbl->Read(stream, chunk, sizeof chunk, &read);
        if (FAILED(hr))
            return hr;
        bytes.insert(bytes.end(), chunk, chunk + read);
        if (read < sizeof chunk || bytes.size() > (1u << 20)) // far beyond any state
            break;
    }
    return Guarded([&] { LoadEngineState(bytes, fEngine, fBounds); });
}

HRESULT TZembraAviWriter::Save(IStream* stream)
{
    if (!stream)
        return E_POINTER;
    const std::vector<uint8_t> bytes = SaveEngineState(fEngine, fBounds);
    ULONG written = 0;
    const HRESULT hr = stream->lpVtbl->Write(stream, bytes.data(), ULONG(bytes.size()), &written);
    if (FAILED(hr))
        return hr;
    return written == bytes.size() ? S_OK : STG_E_READFAULT;
}

HRESULT TZembraAviWriter::SizeMax(uint64_t* size) const
{
    if (!size)
        return E_POINTER;
    *size = SaveEngineState(fEngine, fBounds).size();
    return S_OK;
}

} // namespace avi
