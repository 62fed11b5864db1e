#pragma once
// TZembraAviWriter: the AVI-writer control object. It owns the writing
// engine and binds the interface IZembraAviWriter to it, both through the
// table of functions and through IDispatch; it raises OnProgress on the
// client's connected IZembraAviWriterEvents sink, keeps its persisted state
// (IPersistStreamInit) and reports failures as error information.
//
// The object offers IUnknown, IDispatch, IZembraAviWriter,
// IConnectionPointContainer, IConnectionPoint (for the event interface),
// ISupportErrorInfo, IPersistStreamInit and, after a failed call, IErrorInfo.
// It lives until its last reference is released.
#include "aviwriter/AviWriterEngine.h"
#include "aviwriter/control/Module.h"
#include "aviwriter/control/PersistedState.h"
#include "aviwriter/control/TypeLibrary.h"
#include "aviwriter/control/ZembraAviWriterApi.h"
#include "com/ComPtr.h"

#include <atomic>
#include <functional>
#include <string>

namespace avi {

class TZembraAviWriter {
public:
    // A new control with one reference, given as IUnknown.
    static IUnknown* Create();

    HRESULT QueryInterface(const IID& iid, void** out);
    ULONG AddRef() { return ++fRefs; }
    ULONG Release();

    // The members of IZembraAviWriter; failures are raised as exceptions.
    void Write() { fEngine.Write(); }
    void InitVideo(HBITMAP bitmap) { fEngine.InitVideo(bitmap); }
    void AddFrame(HBITMAP bitmap) { fEngine.AddFrame(bitmap); }
    void FinalizeVideo() { fEngine.FinalizeVideo(); }
    void WriteAvi() { fEngine.WriteAvi(); }
    void Compressorlist() { fEngine.Compressorlist(); }
    void SetCompression(const std::u16string& fourCC);
    void ShowCompressorDialog(HWND parent) { fEngine.ShowCompressorDialog(parent); }
    void AddWaveFile(const std::u16string& fileName, int32_t delay);
    void AVIInit() { fEngine.AVIInit(); }
    void AVIAdd(const std::u16string& code, const std::u16string& name);
    int32_t AVIGetCount() const { return fEngine.AVIGetCount(); }
    std::u16string AVIGetCode(int32_t index) const;
    std::u16string AVIGetName(int32_t index) const;
    bool Aborted() const { return fEngine.Aborted(); }
    bool OnTheFlyCompression() const { return fEngine.OnTheFlyCompression(); }
    void SetOnTheFlyCompression(bool v) { fEngine.SetOnTheFlyCompression(v); }
    int32_t CompressionQuality() const { return fEngine.CompressionQuality(); }
    void SetCompressionQuality(int32_t v) { fEngine.SetCompressionQuality(v); }
    int32_t AHeight() const { return fEngine.AHeight(); }
    void SetAHeight(int32_t v) { fEngine.SetAHeight(v); }
    int32_t AWidth() const { return fEngine.AWidth(); }
    void SetAWidth(int32_t v) { fEngine.SetAWidth(v); }
    int32_t FrameTime() const { return fEngine.FrameTime(); }
    void SetFrameTime(int32_t v) { fEngine.SetFrameTime(v); }
    std::u16string TempFileName() const;
    void SetTempFileName(const std::u16string& v);
    bool Stretch() const { return fEngine.Stretch(); }
    void SetStretch(bool v) { fEngine.SetStretch(v); }
    int32_t PixelFormat() const { return int32_t(fEngine.PixelFormat()); }
    void SetPixelFormat(int32_t v) { fEngine.SetPixelFormat(avi::TxPixelFormat(v)); }
    std::u16string filename() const;
    void Setfilename(const std::u16string& v);
    std::u16string WavFileName() const;
    void SetWavFileName(const std::u16string& v);

    // The window members: properties of the engine's window, no AVI behaviour.
    struct TWindowState {
        bool DoubleBuffered = false;
        bool Enabled = true;
        bool Visible = true;
        int16_t Cursor = 0; // crDefault
        int32_t HelpType = htContext;
        std::u16string HelpKeyword;
        bool IsSubComponent = false;
    };
    TWindowState& Window() { return fWindow; }

    // IDispatch.
    HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) const;
    HRESULT Invoke(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr);

    // Runs a member for the table of functions: an exception becomes E_FAIL
    // with its text kept as the error information of the call.
    HRESULT Guarded(const std::function<void()>& member);

    // IConnectionPoint for IZembraAviWriterEvents: one sink at a time.
    HRESULT Advise(IUnknown* sink, DWORD* cookie);
    HRESULT Unadvise(DWORD cookie);

    // IPersistStreamInit.
    HRESULT Load(IStream* stream);
    HRESULT Save(IStream* stream);
    HRESULT SizeMax(uint64_t* size) const;

    // The interface pointers of the object's faces.
    template <class Vtbl>
    struct TFace {
        const Vtbl* lpVtbl;
        TZembraAviWriter* Owner;
    };
    template <class I>
    static TZembraAviWriter& Of(I* face)
    {
        return *reinterpret_cast<TFace<const void>*>(face)->Owner;
    }

private:
    TZembraAviWriter();
    ~TZembraAviWriter() = default;

    // Binds the engine: its progress event goes to OnEngineProgress.
    void InitializeControl();
    void OnEngineProgress(int32_t frameCount, bool& abort);
    void Fail(const std::string& message) { fLastError = message; }

    TModuleObject fCounted;
    std::atomic<ULONG> fRefs{1};
    TAviWriterEngine fEngine;
    TWindowBounds fBounds;
    TWindowState fWindow;
    com::TComPtr<IDispatch> fSink; // the connected event sink, or none
    std::string fLastError;        // of the last failed call, until asked for

    TFace<IZembraAviWriterVtbl> fMain;
    TFace<IConnectionPointContainerVtbl> fContainer;
    TFace<IConnectionPointVtbl> fPoint;
    TFace<ISupportErrorInfoVtbl> fSupportError;
    TFace<IPersistStreamInitVtbl> fPersist;
};

// The tables of functions of the faces (ZembraAviWriterTables.cpp).
const IZembraAviWriterVtbl& ZembraAviWriterTable();
const IConnectionPointContainerVtbl& ConnectionPointContainerTable();
const IConnectionPointVtbl& ConnectionPointTable();
const ISupportErrorInfoVtbl& SupportErrorInfoTable();
const IPersistStreamInitVtbl& PersistStreamInitTable();
// A new error object with one reference, describing a failure of the control.
IErrorInfo* NewErrorInfo(const std::string& description);

} // namespace avi
