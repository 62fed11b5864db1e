/* A client of the AVI-writer control in C, as a COM client would drive it:
 * it loads libZembraAviWriter.so with dlopen and uses nothing but the
 * control's public header. Usage: zembra_avi_client LIBRARY WORKDIR.
 * Prints each failed check and exits with 1 when any failed. */
#define _DEFAULT_SOURCE 1 /* popen, realpath, setenv */
#include "aviwriter/control/ZembraAviWriterApi.h"

#include <dlfcn.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

static int failures = 0;
#define CHECK(cond)                                                                 \
    do {                                                                            \
        if (!(cond)) {                                                              \
            fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            ++failures;                                                             \
        }                                                                           \
    } while (0)

static LPFNGETCLASSOBJECT GetClassObject;
static LPFNCANUNLOADNOW CanUnloadNow;
static LPFNREGISTERSERVER RegisterServer;
static LPFNREGISTERSERVER UnregisterServer;

/* UTF-16 of ASCII text, in a BSTR the caller frees. */
static BSTR Str(const char* text)
{
    OLECHAR units[512];
    UINT n = 0;
    while (text[n] && n < 511) {
        units[n] = (OLECHAR)(unsigned char)text[n];
        ++n;
    }
    return SysAllocStringLen(units, n);
}

/* Whether a BSTR holds the ASCII text (trailing zero units ignored when asked). */
static int Same(BSTR s, const char* text, int trimZeros)
{
    UINT n = SysStringLen(s);
    size_t len = strlen(text);
    if (trimZeros)
        while (n > 0 && s[n - 1] == 0)
            --n;
    if (n != len)
        return 0;
    for (UINT i = 0; i < n; ++i)
        if (s[i] != (OLECHAR)(unsigned char)text[i])
            return 0;
    return 1;
}

static IZembraAviWriter* Create(void)
{
    IClassFactory* factory = NULL;
    IZembraAviWriter* w = NULL;
    CHECK(GetClassObject(&CLSID_ZembraAviWriter, &IID_IClassFactory, (void**)&factory) == S_OK);
    if (!factory)
        exit(1);
    CHECK(factory->lpVtbl->CreateInstance(factory, NULL, &IID_IZembraAviWriter, (void**)&w) == S_OK);
    factory->lpVtbl->Release(factory);
    if (!w)
        exit(1);
    return w;
}

/* The description of the error of the last failed call on the object. */
static int ErrorIs(IZembraAviWriter* w, const char* text)
{
    IErrorInfo* info = NULL;
    BSTR description = NULL;
    int same;
    if (w->lpVtbl->QueryInterface(w, &IID_IErrorInfo, (void**)&info) != S_OK || !info)
        return 0;
    info->lpVtbl->GetDescription(info, &description);
    info->lpVtbl->Release(info);
    same = Same(description, text, 0);
    if (!same)
        fprintf(stderr, "error information differs from \"%s\"\n", text);
    SysFreeString(description);
    return same;
}

/* IDispatch::Invoke with the arguments given in reverse order already. */
static HRESULT Call(IZembraAviWriter* w, DISPID id, WORD flags, VARIANT* args, UINT count, VARIANT* result,
                    EXCEPINFO* excep)
{
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params;
    params.rgvarg = args;
    params.cArgs = count;
    params.rgdispidNamedArgs = flags == DISPATCH_PROPERTYPUT ? &put : NULL;
    params.cNamedArgs = flags == DISPATCH_PROPERTYPUT ? 1 : 0;
    if (result)
        VariantInit(result);
    if (excep)
        memset(excep, 0, sizeof *excep);
    return w->lpVtbl->Invoke(w, id, &IID_NULL, 0x409, flags, &params, result, excep, NULL);
}

static HRESULT PutI4(IZembraAviWriter* w, DISPID id, int32_t value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return Call(w, id, DISPATCH_PROPERTYPUT, &v, 1, NULL, NULL);
}

static HRESULT PutText(IZembraAviWriter* w, DISPID id, const char* text)
{
    VARIANT v;
    HRESULT hr;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = Str(text);
    hr = Call(w, id, DISPATCH_PROPERTYPUT, &v, 1, NULL, NULL);
    VariantClear(&v);
    return hr;
}

static HRESULT Method1(IZembraAviWriter* w, DISPID id, VARIANT* arg)
{
    return Call(w, id, DISPATCH_METHOD, arg, arg ? 1 : 0, NULL, NULL);
}

/* ---- An event sink: an IDispatch that answers OnProgress by asking to stop. */
typedef struct TSink {
    const IDispatchVtbl* lpVtbl;
    ULONG refs;
    int calls;
    int32_t lastCount;
    int argsOk;
} TSink;

static HRESULT SinkQI(IDispatch* p, REFIID riid, void** out)
{
    if (IsEqualGUID(riid, &IID_IUnknown) || IsEqualGUID(riid, &IID_IDispatch)
        || IsEqualGUID(riid, &DIID_IZembraAviWriterEvents)) {
        *out = p;
        ((TSink*)p)->refs++;
        return S_OK;
    }
    *out = NULL;
    return E_NOINTERFACE;
}
static ULONG SinkAddRef(IDispatch* p) { return ++((TSink*)p)->refs; }
static ULONG SinkRelease(IDispatch* p) { return --((TSink*)p)->refs; }
static HRESULT SinkCount(IDispatch* p, UINT* n) { *n = 0; return S_OK; }
static HRESULT SinkInfo(IDispatch* p, UINT i, LCID l, void** t) { return E_NOTIMPL; }
static HRESULT SinkNames(IDispatch* p, REFIID r, LPOLESTR* n, UINT c, LCID l, DISPID* d) { return E_NOTIMPL; }
static HRESULT SinkInvoke(IDispatch* p, DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                          VARIANT* result, EXCEPINFO* excep, UINT* argErr)
{
    TSink* sink = (TSink*)p;
    if (id != DISPID_ZAW_OnProgress)
        return DISP_E_MEMBERNOTFOUND;
    sink->calls++;
    /* OnProgress(FrameCount, abort): abort comes first. */
    sink->argsOk = params->cArgs == 2 && params->rgvarg[0].vt == (VT_BOOL | VT_BYREF)
        && params->rgvarg[1].vt == VT_I4 && *params->rgvarg[0].pboolVal == VARIANT_FALSE;
    sink->lastCount = params->rgvarg[1].lVal;
    if (params->rgvarg[0].vt == (VT_BOOL | VT_BYREF))
        *params->rgvarg[0].pboolVal = VARIANT_TRUE;
    return S_OK;
}
static const IDispatchVtbl kSinkTable = {SinkQI, SinkAddRef, SinkRelease, SinkCount, SinkInfo, SinkNames, SinkInvoke};

/* A 64 x 48 bitmap of 32 bits: left half blue, right half yellow. */
static uint8_t pixels[64 * 48 * 4];
static ZBitmapSection bitmap = {64, 48, 32, 64 * 4, 0, NULL, pixels};
static void FillBitmap(void)
{
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            uint8_t* px = pixels + (y * 64 + x) * 4;
            px[0] = x < 32 ? 255 : 0;   /* B */
            px[1] = x < 32 ? 0 : 255;   /* G */
            px[2] = x < 32 ? 0 : 255;   /* R */
            px[3] = 0;
        }
}

static void TestProperties(void)
{
    IZembraAviWriter* w = Create();
    int32_t v = -1;
    TxPixelFormat pf = pfDevice;
    VARIANT r;
    EXCEPINFO e;

    CHECK(w->lpVtbl->put_AWidth(w, 250) == S_OK);
    CHECK(w->lpVtbl->get_AWidth(w, &v) == S_OK && v == 240);
    CHECK(w->lpVtbl->put_AHeight(w, 15) == S_OK);
    CHECK(w->lpVtbl->get_AHeight(w, &v) == S_OK && v == 0);
    /* The same through dispatch. */
    CHECK(PutI4(w, 20, 250) == S_OK);
    CHECK(Call(w, 20, DISPATCH_PROPERTYGET, NULL, 0, &r, NULL) == S_OK && r.vt == VT_I4 && r.lVal == 240);

    CHECK(w->lpVtbl->get_PixelFormat(w, &pf) == S_OK && pf == pf24bit);
    CHECK(FAILED(w->lpVtbl->put_PixelFormat(w, pf16bit)));
    CHECK(ErrorIs(w, "Pixelformat not supported"));
    CHECK(w->lpVtbl->get_PixelFormat(w, &pf) == S_OK && pf == pf24bit);
    CHECK(PutI4(w, 24, pf8bit) == S_OK);
    {
        VARIANT a;
        VariantInit(&a);
        a.vt = VT_I4;
        a.lVal = pf16bit;
        CHECK(Call(w, 24, DISPATCH_PROPERTYPUT, &a, 1, NULL, &e) == DISP_E_EXCEPTION);
        CHECK(Same(e.bstrDescription, "Pixelformat not supported", 0));
        SysFreeString(e.bstrDescription);
        SysFreeString(e.bstrSource);
        SysFreeString(e.bstrHelpFile);
    }
    CHECK(Call(w, 24, DISPATCH_PROPERTYGET, NULL, 0, &r, NULL) == S_OK && r.lVal == pf8bit);

    /* Arguments are converted where the type allows. */
    {
        VARIANT a;
        VariantInit(&a);
        a.vt = VT_BSTR;
        a.bstrVal = Str("320");
        CHECK(Call(w, 20, DISPATCH_PROPERTYPUT, &a, 1, NULL, NULL) == S_OK);
        VariantClear(&a);
        CHECK(w->lpVtbl->get_AWidth(w, &v) == S_OK && v == 320);
        a.vt = VT_BSTR;
        a.bstrVal = Str("wide");
        CHECK(Call(w, 20, DISPATCH_PROPERTYPUT, &a, 1, NULL, NULL) == DISP_E_TYPEMISMATCH);
        VariantClear(&a);
        a.vt = VT_I2;
        a.iVal = 33;
        CHECK(Call(w, 21, DISPATCH_PROPERTYPUT, &a, 1, NULL, NULL) == S_OK);
        CHECK(w->lpVtbl->get_FrameTime(w, &v) == S_OK && v == 33);
        a.vt = VT_UI4;
        a.ulVal = 0x80000000u;
        CHECK(FAILED(Call(w, 21, DISPATCH_PROPERTYPUT, &a, 1, NULL, NULL)));
        a.vt = VT_BOOL;
        a.boolVal = VARIANT_FALSE;
        CHECK(Call(w, 23, DISPATCH_PROPERTYPUT, &a, 1, NULL, NULL) == S_OK);
        CHECK(Call(w, 23, DISPATCH_PROPERTYGET, NULL, 0, &r, NULL) == S_OK && r.vt == VT_BOOL && r.boolVal == 0);
        /* A put needs DISPID_PROPERTYPUT as its named argument, a read-only property takes none. */
        CHECK(Call(w, 23, DISPATCH_METHOD, &a, 1, NULL, NULL) == DISP_E_BADPARAMCOUNT);
        CHECK(Call(w, 16, DISPATCH_PROPERTYPUT, &a, 1, NULL, NULL) == DISP_E_MEMBERNOTFOUND);
        CHECK(Call(w, 8, DISPATCH_METHOD, NULL, 0, NULL, NULL) == DISP_E_BADPARAMCOUNT);
    }

    /* The compressor list. */
    CHECK(w->lpVtbl->AVIGetCount(w, &v) == S_OK && v == 0);
    CHECK(w->lpVtbl->AVIInit(w) == S_OK);
    CHECK(w->lpVtbl->AVIGetCount(w, &v) == S_OK && v == 1);
    {
        BSTR code = NULL;
        CHECK(w->lpVtbl->AVIGetCode(w, 0, &code) == S_OK && Same(code, "DIB", 0));
        SysFreeString(code);
        VARIANT a;
        VariantInit(&a);
        a.vt = VT_I4;
        a.lVal = 0;
        CHECK(Call(w, 14, DISPATCH_METHOD, &a, 1, &r, NULL) == S_OK && r.vt == VT_BSTR && Same(r.bstrVal, "DIB", 0));
        VariantClear(&r);
    }
    CHECK(FAILED(w->lpVtbl->Write(w)));
    CHECK(ErrorIs(w, "No bitmaps on the Bitmaps list"));
    CHECK(Method1(w, 1, NULL) == DISP_E_EXCEPTION);
    {
        BSTR dib = Str("DIB");
        CHECK(w->lpVtbl->put_AHeight(w, 48) == S_OK);
        CHECK(w->lpVtbl->SetCompression(w, dib) == S_OK);
        SysFreeString(dib);
        CHECK(FAILED(w->lpVtbl->AddFrame(w, ZBitmapHandleOf(&bitmap))) && ErrorIs(w, "Video must be initialized."));
        /* The error information is handed out once. */
        IUnknown* info = NULL;
        CHECK(w->lpVtbl->QueryInterface(w, &IID_IErrorInfo, (void**)&info) == E_NOINTERFACE && !info);
    }
    CHECK(w->lpVtbl->Release(w) == 0);
}

static void TestNames(void)
{
    static const struct {
        const char* name;
        DISPID id;
    } names[] = {
        {"Write", 1}, {"InitVideo", 2}, {"AddFrame", 3}, {"FinalizeVideo", 5}, {"WriteAvi", 6},
        {"Compressorlist", 7}, {"SetCompression", 8}, {"ShowCompressorDialog", 9}, {"AddWaveFile", 10},
        {"AVIInit", 11}, {"AVIAdd", 12}, {"AVIGetCount", 13}, {"AVIGetCode", 14}, {"AVIGetName", 15},
        {"Aborted", 16}, {"OnTheFlyCompression", 17}, {"CompressionQuality", 18}, {"AHeight", 19}, {"AWidth", 20},
        {"FrameTime", 21}, {"TempFileName", 22}, {"Stretch", 23}, {"PixelFormat", 24}, {"filename", 25},
        {"WavFileName", 26}, {"DoubleBuffered", 27}, {"AlignDisabled", 28}, {"VisibleDockClientCount", 29},
        {"DrawTextBiDiModeFlagsReadingOnly", 31}, {"Enabled", -514}, {"InitiateAction", 32}, {"IsRightToLeft", 33},
        {"UseRightToLeftReading", 36}, {"UseRightToLeftScrollBar", 37}, {"Visible", 38}, {"Cursor", 39},
        {"HelpType", 40}, {"HelpKeyword", 41}, {"SetSubComponent", 43},
    };
    IZembraAviWriter* w = Create();
    for (size_t i = 0; i < sizeof names / sizeof names[0]; ++i) {
        char flipped[64];
        size_t n = strlen(names[i].name);
        /* Automation names are case-insensitive: ask for every other one in a changed case. */
        for (size_t k = 0; k <= n; ++k) {
            char c = names[i].name[k];
            flipped[k] = (i % 2 && c >= 'a' && c <= 'z') ? (char)(c - 32) : (i % 2 && c >= 'A' && c <= 'Z') ? (char)(c + 32) : c;
        }
        BSTR s = Str(flipped);
        DISPID id = 12345;
        HRESULT hr = w->lpVtbl->GetIDsOfNames(w, &IID_NULL, &s, 1, 0x409, &id);
        if (hr != S_OK || id != names[i].id)
            fprintf(stderr, "name %s: hr %08X id %d\n", flipped, (unsigned)hr, id);
        CHECK(hr == S_OK && id == names[i].id);
        SysFreeString(s);
    }
    {
        BSTR s[2];
        DISPID ids[2];
        s[0] = Str("Frames");
        CHECK(w->lpVtbl->GetIDsOfNames(w, &IID_NULL, s, 1, 0x409, ids) == DISP_E_UNKNOWNNAME && ids[0] == DISPID_UNKNOWN);
        SysFreeString(s[0]);
        s[0] = Str("AddWaveFile");
        s[1] = Str("delay");
        CHECK(w->lpVtbl->GetIDsOfNames(w, &IID_NULL, s, 2, 0x409, ids) == S_OK && ids[0] == 10 && ids[1] == 1);
        SysFreeString(s[0]);
        SysFreeString(s[1]);
    }
    {
        static const DISPID unused[] = {0, 4, 30, 34, 35, 42, 44, 99, -1};
        for (size_t i = 0; i < sizeof unused / sizeof unused[0]; ++i)
            CHECK(Call(w, unused[i], DISPATCH_METHOD, NULL, 0, NULL, NULL) == DISP_E_MEMBERNOTFOUND);
    }
    {
        UINT count = 9;
        CHECK(w->lpVtbl->GetTypeInfoCount(w, &count) == S_OK && count == 0);
    }
    w->lpVtbl->Release(w);
}

static void TestEventsAndCounts(const char* dir)
{
    IZembraAviWriter* w = Create();
    IConnectionPointContainer* container = NULL;
    IConnectionPoint* point = NULL;
    TSink sink = {&kSinkTable, 1, 0, 0, 0};
    DWORD cookie = 0;
    VARIANT_BOOL aborted = VARIANT_TRUE;
    char file[1024];
    IUnknown* unknown = NULL;

    CHECK(CanUnloadNow() == S_FALSE);
    CHECK(w->lpVtbl->AddRef(w) == 2);
    CHECK(w->lpVtbl->Release(w) == 1);
    CHECK(w->lpVtbl->QueryInterface(w, &IID_IClassFactory, (void**)&unknown) == E_NOINTERFACE && !unknown);
    CHECK(w->lpVtbl->QueryInterface(w, &IID_IUnknown, (void**)&unknown) == S_OK && unknown);
    if (unknown)
        unknown->lpVtbl->Release(unknown);

    CHECK(w->lpVtbl->QueryInterface(w, &IID_IConnectionPointContainer, (void**)&container) == S_OK);
    CHECK(container->lpVtbl->FindConnectionPoint(container, &IID_IDispatch, &point) == CONNECT_E_NOCONNECTION);
    CHECK(container->lpVtbl->FindConnectionPoint(container, &DIID_IZembraAviWriterEvents, &point) == S_OK);
    CHECK(point->lpVtbl->Advise(point, (IUnknown*)&sink, &cookie) == S_OK && cookie != 0);
    CHECK(sink.refs == 2);

    snprintf(file, sizeof file, "%s/aborted.avi", dir);
    BSTR name = Str(file);
    BSTR dib = Str("DIB");
    CHECK(w->lpVtbl->put_filename(w, name) == S_OK);
    CHECK(w->lpVtbl->put_AWidth(w, 64) == S_OK && w->lpVtbl->put_AHeight(w, 48) == S_OK);
    CHECK(w->lpVtbl->SetCompression(w, dib) == S_OK);
    CHECK(w->lpVtbl->InitVideo(w, ZBitmapHandleOf(&bitmap)) == S_OK);
    for (int i = 0; i < 25; ++i)
        CHECK(w->lpVtbl->AddFrame(w, ZBitmapHandleOf(&bitmap)) == S_OK);
    CHECK(sink.calls == 1 && sink.lastCount == 20 && sink.argsOk);
    CHECK(w->lpVtbl->get_Aborted(w, &aborted) == S_OK && aborted == VARIANT_TRUE);
    CHECK(w->lpVtbl->FinalizeVideo(w) == S_OK);
    CHECK(w->lpVtbl->WriteAvi(w) == S_OK); /* an aborted video closes quietly */
    SysFreeString(name);
    SysFreeString(dib);

    CHECK(point->lpVtbl->Unadvise(point, cookie) == S_OK);
    CHECK(point->lpVtbl->Unadvise(point, cookie) == CONNECT_E_NOCONNECTION);
    CHECK(sink.refs == 1);
    point->lpVtbl->Release(point);
    container->lpVtbl->Release(container);

    /* The library may go only when no object and no lock is left. */
    {
        IClassFactory* factory = NULL;
        CHECK(GetClassObject(&CLSID_ZembraAviWriter, &IID_IClassFactory, (void**)&factory) == S_OK);
        CHECK(factory->lpVtbl->LockServer(factory, 1) == S_OK);
        factory->lpVtbl->Release(factory);
        CHECK(w->lpVtbl->Release(w) == 0);
        CHECK(CanUnloadNow() == S_FALSE);
        CHECK(GetClassObject(&CLSID_ZembraAviWriter, &IID_IClassFactory, (void**)&factory) == S_OK);
        CHECK(factory->lpVtbl->LockServer(factory, 0) == S_OK);
        CHECK(factory->lpVtbl->Release(factory) == 0);
        CHECK(CanUnloadNow() == S_OK);
    }
    {
        IClassFactory* factory = (IClassFactory*)1;
        CHECK(GetClassObject(&IID_IDispatch, &IID_IClassFactory, (void**)&factory) == CLASS_E_CLASSNOTAVAILABLE
              && factory == NULL);
    }
}

/* Everything through IDispatch::Invoke, then ffprobe reads the file. */
static void TestExportThroughInvoke(const char* dir)
{
    IZembraAviWriter* w = Create();
    char file[1024], command[2200], line[256];
    VARIANT a, r;
    int width = 0, height = 0, frames = 0;
    snprintf(file, sizeof file, "%s/invoke.avi", dir);

    CHECK(PutText(w, 25, file) == S_OK);
    CHECK(PutI4(w, 20, 64) == S_OK && PutI4(w, 19, 48) == S_OK && PutI4(w, 21, 100) == S_OK);
    CHECK(PutI4(w, 24, pf24bit) == S_OK && PutI4(w, 18, 10000) == S_OK);
    VariantInit(&a);
    a.vt = VT_BOOL;
    a.boolVal = VARIANT_TRUE;
    CHECK(Call(w, 17, DISPATCH_PROPERTYPUT, &a, 1, NULL, NULL) == S_OK);
    CHECK(Method1(w, 7, NULL) == S_OK); /* Compressorlist */
    CHECK(Call(w, 13, DISPATCH_METHOD | DISPATCH_PROPERTYGET, NULL, 0, &r, NULL) == S_OK && r.vt == VT_I4 && r.lVal >= 1);
    a.vt = VT_I4;
    a.lVal = 0;
    CHECK(Call(w, 14, DISPATCH_METHOD, &a, 1, &r, NULL) == S_OK && r.vt == VT_BSTR);
    CHECK(Method1(w, 8, &r) == S_OK); /* SetCompression with the code just read */
    VariantClear(&r);

    a.vt = VT_UI8;
    a.ullVal = (uint64_t)(uintptr_t)&bitmap;
    CHECK(Method1(w, 2, &a) == S_OK); /* InitVideo */
    for (int i = 0; i < 5; ++i)
        CHECK(Method1(w, 3, &a) == S_OK); /* AddFrame */
    CHECK(Method1(w, 5, NULL) == S_OK);
    CHECK(Method1(w, 6, NULL) == S_OK);
    CHECK(w->lpVtbl->Release(w) == 0);

    snprintf(command, sizeof command,
             "ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=width,height,nb_read_frames "
             "-of default=noprint_wrappers=1 '%s'",
             file);
    FILE* probe = popen(command, "r");
    CHECK(probe != NULL);
    while (probe && fgets(line, sizeof line, probe)) {
        sscanf(line, "width=%d", &width);
        sscanf(line, "height=%d", &height);
        sscanf(line, "nb_read_frames=%d", &frames);
    }
    if (probe)
        CHECK(pclose(probe) == 0);
    if (width != 64 || height != 48 || frames != 5)
        fprintf(stderr, "ffprobe: %d x %d, %d frames\n", width, height, frames);
    CHECK(width == 64 && height == 48 && frames == 5);
}

static int FileHas(const char* path, const char* text)
{
    char buffer[8192];
    FILE* f = fopen(path, "r");
    size_t n;
    if (!f)
        return 0;
    n = fread(buffer, 1, sizeof buffer - 1, f);
    fclose(f);
    buffer[n] = 0;
    return strstr(buffer, text) != NULL;
}

static void TestRegistration(const char* library, const char* dir)
{
    char config[1024], file[1100], expected[1200];
    char* real = realpath(library, NULL);
    snprintf(config, sizeof config, "%s/config", dir);
    snprintf(file, sizeof file, "%s/Zembra/ComServers.ini", config);
    setenv("XDG_CONFIG_HOME", config, 1);
    CHECK(RegisterServer() == S_OK);
    snprintf(expected, sizeof expected, "InprocServer32=%s\n", real ? real : library);
    CHECK(FileHas(file, "[CLSID {FE546FFD-E94C-4049-9321-B6A40A97F7A4}]"));
    CHECK(FileHas(file, expected));
    CHECK(FileHas(file, "ThreadingModel=Apartment"));
    CHECK(FileHas(file, "ProgID=ZembraAviWriter.ZembraAviWriter"));
    CHECK(FileHas(file, "[TypeLib {49193FCE-0B02-4BB4-B950-1D3F2630ED7B}]"));
    CHECK(UnregisterServer() == S_OK);
    CHECK(!FileHas(file, "FE546FFD"));
    CHECK(!FileHas(file, "49193FCE"));
    free(real);
}

int main(int argc, char** argv)
{
    void* library;
    if (argc < 3) {
        fprintf(stderr, "usage: %s LIBRARY WORKDIR\n", argv[0]);
        return 2;
    }
    if (mkdir(argv[2], 0755) != 0 && errno != EEXIST) {
        perror(argv[2]);
        return 1;
    }
    library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        fprintf(stderr, "%s\n", dlerror());
        return 1;
    }
    GetClassObject = (LPFNGETCLASSOBJECT)dlsym(library, "DllGetClassObject");
    CanUnloadNow = (LPFNCANUNLOADNOW)dlsym(library, "DllCanUnloadNow");
    RegisterServer = (LPFNREGISTERSERVER)dlsym(library, "DllRegisterServer");
    UnregisterServer = (LPFNREGISTERSERVER)dlsym(library, "DllUnregisterServer");
    CHECK(GetClassObject && CanUnloadNow && RegisterServer && UnregisterServer);
    CHECK(dlsym(library, "_ZN3avi16TAviWriterEngineC1Eii") == NULL); /* the engine stays inside */
    if (failures)
        return 1;
    CHECK(sizeof(VARIANT) == 24 && offsetof(VARIANT, lVal) == 8 && sizeof(DISPPARAMS) == 24);
    CHECK(sizeof(EXCEPINFO) == 64 && offsetof(EXCEPINFO, bstrDescription) == 16 && sizeof(GUID) == 16);
    CHECK(sizeof(IZembraAviWriterVtbl) == 62 * sizeof(void*));

    FillBitmap();
    TestProperties();
    TestNames();
    TestEventsAndCounts(argv[2]);
    TestExportThroughInvoke(argv[2]);
    TestRegistration(argv[1], argv[2]);
    CHECK(CanUnloadNow() == S_OK);
    CHECK(dlclose(library) == 0);
    if (failures)
        fprintf(stderr, "%d check(s) failed\n", failures);
    return failures ? 1 : 0;
}
