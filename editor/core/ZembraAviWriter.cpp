#include "editor/core/ZembraAviWriter.h"

#include "com/BStr.h"
#include "com/MemoryStream.h"
#include "com/Variant.h"
#include "platform/InstallLayout.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

const char* const kLibraryFile = "libZembraAviWriter.so";

com::TBStr ToBStr(const QString& s)
{
    return com::TBStr(std::u16string_view(reinterpret_cast<const char16_t*>(s.utf16()), size_t(s.size())));
}

QString FromBStr(BSTR s)
{
    const std::u16string_view v = com::View(s);
    return QString::fromUtf16(v.data(), qsizetype(v.size()));
}

VARIANT Int(int32_t v)
{
    VARIANT r;
    VariantInit(&r);
    r.vt = VT_I4;
    r.lVal = v;
    return r;
}

VARIANT Bool(bool v)
{
    VARIANT r;
    VariantInit(&r);
    r.vt = VT_BOOL;
    r.boolVal = v ? VARIANT_TRUE : VARIANT_FALSE;
    return r;
}

VARIANT Text(const QString& v)
{
    VARIANT r;
    VariantInit(&r);
    com::SetText(&r, ToBStr(v));
    return r;
}

// The text of a dispatch exception, its strings freed.
std::string TakeDescription(EXCEPINFO& info)
{
    if (info.pfnDeferredFillIn)
        info.pfnDeferredFillIn(&info);
    std::string text = com::ToUtf8(info.bstrDescription);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
    info = EXCEPINFO{};
    return text;
}

} // namespace

TZembraAviWriter::TZembraAviWriter(const std::vector<uint8_t>& persistedState)
    : fServer(com::TInprocServer::Load(CLSID_ZembraAviWriter, kLibraryFile, com::TServerRegistry(),
                                       {PrivateLibraryFolder(QCoreApplication::applicationDirPath()).toStdString()})),
      fControl(fServer.CreateInstance<IZembraAviWriter>(IID_IZembraAviWriter)),
      fDispatch(fControl.As<IDispatch>(IID_IDispatch))
{
    if (!fDispatch)
        throw com::EComError(E_NOINTERFACE, "The AVI writer offers no dispatch interface");
    if (persistedState.empty())
        return;
    const auto persist = fControl.As<IPersistStreamInit>(IID_IPersistStreamInit);
    if (!persist)
        throw com::EComError(E_NOINTERFACE, "The AVI writer keeps no state");
    com::TMemoryStream stream(persistedState);
    Check(persist->lpVtbl->Load(persist.Get(), stream.Interface()));
}

TZembraAviWriter::~TZembraAviWriter() = default;

std::vector<uint8_t> TZembraAviWriter::DialogState()
{
    // TAviWriterEngine: Left 0, Top 0, Width 32, Height 32, AHeight 96,
    // AWidth 160, FrameTime 1000, TempFileName "/tmp/~AWTemp.avi", Stretch
    // true, PixelFormat pf24bit.
    static const uint8_t kState[] = {
        0x54, 0x50, 0x46, 0x30, 0x10, 0x54, 0x41, 0x76, 0x69, 0x57, 0x72, 0x69, 0x74, 0x65, 0x72, 0x45,
        0x6E, 0x67, 0x69, 0x6E, 0x65, 0x00, 0x04, 0x4C, 0x65, 0x66, 0x74, 0x02, 0x00, 0x03, 0x54, 0x6F,
        0x70, 0x02, 0x00, 0x05, 0x57, 0x69, 0x64, 0x74, 0x68, 0x02, 0x20, 0x06, 0x48, 0x65, 0x69, 0x67,
        0x68, 0x74, 0x02, 0x20, 0x07, 0x41, 0x48, 0x65, 0x69, 0x67, 0x68, 0x74, 0x02, 0x60, 0x06, 0x41,
        0x57, 0x69, 0x64, 0x74, 0x68, 0x03, 0xA0, 0x00, 0x09, 0x46, 0x72, 0x61, 0x6D, 0x65, 0x54, 0x69,
        0x6D, 0x65, 0x03, 0xE8, 0x03, 0x0C, 0x54, 0x65, 0x6D, 0x70, 0x46, 0x69, 0x6C, 0x65, 0x4E, 0x61,
        0x6D, 0x65, 0x06, 0x10, 0x2F, 0x74, 0x6D, 0x70, 0x2F, 0x7E, 0x41, 0x57, 0x54, 0x65, 0x6D, 0x70,
        0x2E, 0x61, 0x76, 0x69, 0x07, 0x53, 0x74, 0x72, 0x65, 0x74, 0x63, 0x68, 0x09, 0x0B, 0x50, 0x69,
        0x78, 0x65, 0x6C, 0x46, 0x6F, 0x72, 0x6D, 0x61, 0x74, 0x07, 0x07, 0x70, 0x66, 0x32, 0x34, 0x62,
        0x69, 0x74, 0x00, 0x00,
    };
    return {std::begin(kState), std::end(kState)};
}

std::vector<uint8_t> TZembraAviWriter::SaveState() const
{
    const auto persist = fControl.As<IPersistStreamInit>(IID_IPersistStreamInit);
    if (!persist)
        return {};
    com::TMemoryStream stream;
    Check(persist->lpVtbl->Save(persist.Get(), stream.Interface(), 1));
    return stream.Bytes();
}

void TZembraAviWriter::Check(HRESULT hr) const
{
    if (SUCCEEDED(hr))
        return;
    char code[16];
    std::snprintf(code, sizeof code, "%08X", uint32_t(hr));
    std::string text = std::string("AVI writer failure ") + code;
    com::TComPtr<IErrorInfo> info = fControl.As<IErrorInfo>(IID_IErrorInfo);
    if (info) {
        com::TBStr description;
        if (SUCCEEDED(info->lpVtbl->GetDescription(info.Get(), description.Put())))
            text = description.Utf8();
    }
    throw com::EComError(hr, text);
}

void TZembraAviWriter::Put(DISPID id, VARIANT value)
{
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    EXCEPINFO info{};
    const HRESULT hr = fDispatch->lpVtbl->Invoke(fDispatch.Get(), id, &IID_NULL, LOCALE_USER_DEFAULT,
                                                 DISPATCH_PROPERTYPUT, &params, nullptr, &info, nullptr);
    VariantClear(&value);
    if (hr == DISP_E_EXCEPTION)
        throw com::EComError(hr, TakeDescription(info));
    if (FAILED(hr))
        throw com::EComError(hr, "AVI writer property " + std::to_string(id) + " refused");
}

VARIANT TZembraAviWriter::Get(DISPID id) const
{
    DISPPARAMS params{nullptr, nullptr, 0, 0};
    EXCEPINFO info{};
    VARIANT result;
    VariantInit(&result);
    const HRESULT hr = fDispatch->lpVtbl->Invoke(fDispatch.Get(), id, &IID_NULL, LOCALE_USER_DEFAULT,
                                                 DISPATCH_PROPERTYGET, &params, &result, &info, nullptr);
    if (hr == DISP_E_EXCEPTION)
        throw com::EComError(hr, TakeDescription(info));
    if (FAILED(hr))
        throw com::EComError(hr, "AVI writer property " + std::to_string(id) + " not read");
    return result;
}

int32_t TZembraAviWriter::GetInt(DISPID id) const
{
    VARIANT v = Get(id);
    int32_t n = 0;
    const HRESULT hr = com::ToInteger(v, n);
    VariantClear(&v);
    if (FAILED(hr))
        throw com::EComError(hr, "AVI writer property " + std::to_string(id) + " is not a number");
    return n;
}

QString TZembraAviWriter::GetText(DISPID id) const
{
    VARIANT v = Get(id);
    std::u16string s;
    const HRESULT hr = com::ToText(v, s);
    VariantClear(&v);
    if (FAILED(hr))
        throw com::EComError(hr, "AVI writer property " + std::to_string(id) + " is not text");
    return QString::fromStdU16String(s);
}

void TZembraAviWriter::Setfilename(const QString& value) { Put(DISPID_ZAW_filename, Text(value)); }
QString TZembraAviWriter::filename() const { return GetText(DISPID_ZAW_filename); }
void TZembraAviWriter::SetTempFileName(const QString& value) { Put(DISPID_ZAW_TempFileName, Text(value)); }
QString TZembraAviWriter::TempFileName() const { return GetText(DISPID_ZAW_TempFileName); }
void TZembraAviWriter::SetAWidth(int32_t value) { Put(DISPID_ZAW_AWidth, Int(value)); }
int32_t TZembraAviWriter::AWidth() const { return GetInt(DISPID_ZAW_AWidth); }
void TZembraAviWriter::SetAHeight(int32_t value) { Put(DISPID_ZAW_AHeight, Int(value)); }
int32_t TZembraAviWriter::AHeight() const { return GetInt(DISPID_ZAW_AHeight); }
void TZembraAviWriter::SetFrameTime(int32_t value) { Put(DISPID_ZAW_FrameTime, Int(value)); }
int32_t TZembraAviWriter::FrameTime() const { return GetInt(DISPID_ZAW_FrameTime); }
void TZembraAviWriter::SetCompressionQuality(int32_t value) { Put(DISPID_ZAW_CompressionQuality, Int(value)); }
void TZembraAviWriter::SetPixelFormat(int32_t value) { Put(DISPID_ZAW_PixelFormat, Int(value)); }
int32_t TZembraAviWriter::PixelFormat() const { return GetInt(DISPID_ZAW_PixelFormat); }
void TZembraAviWriter::SetWavFileName(const QString& value) { Put(DISPID_ZAW_WavFileName, Text(value)); }
void TZembraAviWriter::SetStretch(bool value) { Put(DISPID_ZAW_Stretch, Bool(value)); }
void TZembraAviWriter::SetOnTheFlyCompression(bool value) { Put(DISPID_ZAW_OnTheFlyCompression, Bool(value)); }

void TZembraAviWriter::Compressorlist()
{
    Check(fControl->lpVtbl->Compressorlist(fControl.Get()));
}

int32_t TZembraAviWriter::AVIGetCount()
{
    int32_t n = 0;
    Check(fControl->lpVtbl->AVIGetCount(fControl.Get(), &n));
    return n;
}

QString TZembraAviWriter::AVIGetCode(int32_t index)
{
    com::TBStr code;
    Check(fControl->lpVtbl->AVIGetCode(fControl.Get(), index, code.Put()));
    return FromBStr(code.Get());
}

QString TZembraAviWriter::AVIGetName(int32_t index)
{
    com::TBStr name;
    Check(fControl->lpVtbl->AVIGetName(fControl.Get(), index, name.Put()));
    return FromBStr(name.Get());
}

void TZembraAviWriter::SetCompression(const QString& code)
{
    const com::TBStr s = ToBStr(code);
    Check(fControl->lpVtbl->SetCompression(fControl.Get(), s.Get()));
}

void TZembraAviWriter::ShowCompressorDialog(void* parent)
{
    Check(fControl->lpVtbl->ShowCompressorDialog(fControl.Get(), parent));
}

void TZembraAviWriter::AddWaveFile(const QString& fileName, int32_t delay)
{
    const com::TBStr s = ToBStr(fileName);
    Check(fControl->lpVtbl->AddWaveFile(fControl.Get(), s.Get(), delay));
}

void TZembraAviWriter::InitVideo(HBITMAP bitmap)
{
    Check(fControl->lpVtbl->InitVideo(fControl.Get(), bitmap));
}

void TZembraAviWriter::AddFrame(HBITMAP bitmap)
{
    Check(fControl->lpVtbl->AddFrame(fControl.Get(), bitmap));
}

void TZembraAviWriter::FinalizeVideo()
{
    Check(fControl->lpVtbl->FinalizeVideo(fControl.Get()));
}

void TZembraAviWriter::WriteAvi()
{
    Check(fControl->lpVtbl->WriteAvi(fControl.Get()));
}
