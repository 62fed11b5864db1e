#pragma once
/* ZembraAviWriter Library 1.0: what a client of the AVI-writer control sees,
 * as an IDL compiler would give it from the type library. The control lives
 * in libZembraAviWriter.so, an in-process server; a client creates it with
 * DllGetClassObject(&CLSID_ZembraAviWriter, &IID_IClassFactory, ...) and
 * IClassFactory::CreateInstance, or through the editor's COM layer by its
 * class identifier.
 *
 * Methods go through the table of functions of IZembraAviWriter (IUnknown's
 * three, IDispatch's four, then the members below in this order), properties
 * and methods also through IDispatch::Invoke by the DISPIDs below. A failure
 * comes back as a failure HRESULT, and its text as error information (see
 * IErrorInfo in com/ComTypes.h); through Invoke as DISP_E_EXCEPTION with the
 * text in EXCEPINFO.bstrDescription.
 *
 * Handles are pointer-sized: bitmap handles as in com/BitmapHandle.h, window
 * handles opaque values the control never dereferences. In dispatch calls
 * they travel as VT_UI8 or VT_I8 (VT_I4 and VT_UI4 are taken too). */
#include "com/BitmapHandle.h"
#include "com/ComTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef void* HWND;

/* Type library: ZembraAviWriter, version 1.0, locale 0x409. */
static const GUID LIBID_ZembraAviWriter = {0x49193FCE, 0x0B02, 0x4BB4, {0xB9, 0x50, 0x1D, 0x3F, 0x26, 0x30, 0xED, 0x7B}};
/* Dispatch interface for ZembraAviWriter Control (dual). */
static const IID IID_IZembraAviWriter = {0xFD0C1EE6, 0xF2AC, 0x44F8, {0xB6, 0x08, 0x8C, 0xEC, 0x10, 0x7E, 0xF6, 0x6E}};
/* Events interface for ZembraAviWriter Control (dispatch only). */
static const IID DIID_IZembraAviWriterEvents = {0x18783955, 0x9396, 0x4938, {0x99, 0x3B, 0x29, 0x1E, 0xE5, 0x3C, 0xB7, 0x0C}};
/* ZembraAviWriter Control. */
static const CLSID CLSID_ZembraAviWriter = {0xFE546FFD, 0xE94C, 0x4049, {0x93, 0x21, 0xB6, 0xA4, 0x0A, 0x97, 0xF7, 0xA4}};
static const GUID GUID_TxPixelFormat = {0x2853A279, 0xFF6A, 0x43D2, {0xBF, 0x91, 0x6E, 0x50, 0x91, 0xED, 0x0E, 0x3E}};
static const GUID GUID_TxHelpType = {0x3D023712, 0xBD12, 0x475B, {0xA3, 0x17, 0x0C, 0xCB, 0x19, 0x73, 0x57, 0x9F}};

typedef enum TxPixelFormat {
    pfDevice = 0,
    pf1bit = 1,
    pf4bit = 2,
    pf8bit = 3,
    pf15bit = 4,
    pf16bit = 5,
    pf24bit = 6,
    pf32bit = 7,
    pfCustom = 8
} TxPixelFormat;

typedef enum TxHelpType {
    htKeyword = 0,
    htContext = 1
} TxHelpType;

/* Dispatch identifiers of IZembraAviWriter. */
enum ZembraAviWriterDispIds {
    DISPID_ZAW_Write = 1,
    DISPID_ZAW_InitVideo = 2,
    DISPID_ZAW_AddFrame = 3,
    DISPID_ZAW_FinalizeVideo = 5,
    DISPID_ZAW_WriteAvi = 6,
    DISPID_ZAW_Compressorlist = 7,
    DISPID_ZAW_SetCompression = 8,
    DISPID_ZAW_ShowCompressorDialog = 9,
    DISPID_ZAW_AddWaveFile = 10,
    DISPID_ZAW_AVIInit = 11,
    DISPID_ZAW_AVIAdd = 12,
    DISPID_ZAW_AVIGetCount = 13,
    DISPID_ZAW_AVIGetCode = 14,
    DISPID_ZAW_AVIGetName = 15,
    DISPID_ZAW_Aborted = 16,
    DISPID_ZAW_OnTheFlyCompression = 17,
    DISPID_ZAW_CompressionQuality = 18,
    DISPID_ZAW_AHeight = 19,
    DISPID_ZAW_AWidth = 20,
    DISPID_ZAW_FrameTime = 21,
    DISPID_ZAW_TempFileName = 22,
    DISPID_ZAW_Stretch = 23,
    DISPID_ZAW_PixelFormat = 24,
    DISPID_ZAW_filename = 25,
    DISPID_ZAW_WavFileName = 26,
    DISPID_ZAW_DoubleBuffered = 27,
    DISPID_ZAW_AlignDisabled = 28,
    DISPID_ZAW_VisibleDockClientCount = 29,
    DISPID_ZAW_DrawTextBiDiModeFlagsReadingOnly = 31,
    DISPID_ZAW_Enabled = -514,
    DISPID_ZAW_InitiateAction = 32,
    DISPID_ZAW_IsRightToLeft = 33,
    DISPID_ZAW_UseRightToLeftReading = 36,
    DISPID_ZAW_UseRightToLeftScrollBar = 37,
    DISPID_ZAW_Visible = 38,
    DISPID_ZAW_Cursor = 39,
    DISPID_ZAW_HelpType = 40,
    DISPID_ZAW_HelpKeyword = 41,
    DISPID_ZAW_SetSubComponent = 43
};

/* Dispatch identifier of IZembraAviWriterEvents::OnProgress(FrameCount VT_I4,
 * abort VT_BOOL | VT_BYREF); the arguments arrive in reverse order. */
#define DISPID_ZAW_OnProgress 1

typedef struct IZembraAviWriter IZembraAviWriter;
typedef struct IZembraAviWriterVtbl {
    /* IUnknown */
    HRESULT (*QueryInterface)(IZembraAviWriter* This, REFIID riid, void** ppvObject);
    ULONG (*AddRef)(IZembraAviWriter* This);
    ULONG (*Release)(IZembraAviWriter* This);
    /* IDispatch */
    HRESULT (*GetTypeInfoCount)(IZembraAviWriter* This, UINT* pctinfo);
    HRESULT (*GetTypeInfo)(IZembraAviWriter* This, UINT iTInfo, LCID lcid, void** ppTInfo);
    HRESULT (*GetIDsOfNames)(IZembraAviWriter* This, REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                             DISPID* rgDispId);
    HRESULT (*Invoke)(IZembraAviWriter* This, DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                      DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr);
    /* IZembraAviWriter, slots 7 to 61 */
    HRESULT (*Write)(IZembraAviWriter* This);
    HRESULT (*InitVideo)(IZembraAviWriter* This, HBITMAP HBmp);
    HRESULT (*AddFrame)(IZembraAviWriter* This, HBITMAP HBmp);
    HRESULT (*FinalizeVideo)(IZembraAviWriter* This);
    HRESULT (*WriteAvi)(IZembraAviWriter* This);
    HRESULT (*Compressorlist)(IZembraAviWriter* This);
    HRESULT (*SetCompression)(IZembraAviWriter* This, BSTR FourCC);
    HRESULT (*ShowCompressorDialog)(IZembraAviWriter* This, HWND ADialogParent);
    HRESULT (*AddWaveFile)(IZembraAviWriter* This, BSTR filename, int32_t Delay);
    HRESULT (*AVIInit)(IZembraAviWriter* This);
    HRESULT (*AVIAdd)(IZembraAviWriter* This, BSTR Code, BSTR Name);
    HRESULT (*AVIGetCount)(IZembraAviWriter* This, int32_t* Value);
    HRESULT (*AVIGetCode)(IZembraAviWriter* This, int32_t Ind, BSTR* Value);
    HRESULT (*AVIGetName)(IZembraAviWriter* This, int32_t Ind, BSTR* Value);
    HRESULT (*get_Aborted)(IZembraAviWriter* This, VARIANT_BOOL* Value);
    HRESULT (*get_OnTheFlyCompression)(IZembraAviWriter* This, VARIANT_BOOL* Value);
    HRESULT (*put_OnTheFlyCompression)(IZembraAviWriter* This, VARIANT_BOOL Value);
    HRESULT (*get_CompressionQuality)(IZembraAviWriter* This, int32_t* Value);
    HRESULT (*put_CompressionQuality)(IZembraAviWriter* This, int32_t Value);
    HRESULT (*get_AHeight)(IZembraAviWriter* This, int32_t* Value);
    HRESULT (*put_AHeight)(IZembraAviWriter* This, int32_t Value);
    HRESULT (*get_AWidth)(IZembraAviWriter* This, int32_t* Value);
    HRESULT (*put_AWidth)(IZembraAviWriter* This, int32_t Value);
    HRESULT (*get_FrameTime)(IZembraAviWriter* This, int32_t* Value);
    HRESULT (*put_FrameTime)(IZembraAviWriter* This, int32_t Value);
    HRESULT (*get_TempFileName)(IZembraAviWriter* This, BSTR* Value);
    HRESULT (*put_TempFileName)(IZembraAviWriter* This, BSTR Value);
    HRESULT (*get_Stretch)(IZembraAviWriter* This, VARIANT_BOOL* Value);
    HRESULT (*put_Stretch)(IZembraAviWriter* This, VARIANT_BOOL Value);
    HRESULT (*get_PixelFormat)(IZembraAviWriter* This, TxPixelFormat* Value);
    HRESULT (*put_PixelFormat)(IZembraAviWriter* This, TxPixelFormat Value);
    HRESULT (*get_filename)(IZembraAviWriter* This, BSTR* Value);
    HRESULT (*put_filename)(IZembraAviWriter* This, BSTR Value);
    HRESULT (*get_WavFileName)(IZembraAviWriter* This, BSTR* Value);
    HRESULT (*put_WavFileName)(IZembraAviWriter* This, BSTR Value);
    HRESULT (*get_DoubleBuffered)(IZembraAviWriter* This, VARIANT_BOOL* Value);
    HRESULT (*put_DoubleBuffered)(IZembraAviWriter* This, VARIANT_BOOL Value);
    HRESULT (*get_AlignDisabled)(IZembraAviWriter* This, VARIANT_BOOL* Value);
    HRESULT (*get_VisibleDockClientCount)(IZembraAviWriter* This, int32_t* Value);
    HRESULT (*DrawTextBiDiModeFlagsReadingOnly)(IZembraAviWriter* This, int32_t* Value);
    HRESULT (*get_Enabled)(IZembraAviWriter* This, VARIANT_BOOL* Value);
    HRESULT (*put_Enabled)(IZembraAviWriter* This, VARIANT_BOOL Value);
    HRESULT (*InitiateAction)(IZembraAviWriter* This);
    HRESULT (*IsRightToLeft)(IZembraAviWriter* This, VARIANT_BOOL* Value);
    HRESULT (*UseRightToLeftReading)(IZembraAviWriter* This, VARIANT_BOOL* Value);
    HRESULT (*UseRightToLeftScrollBar)(IZembraAviWriter* This, VARIANT_BOOL* Value);
    HRESULT (*get_Visible)(IZembraAviWriter* This, VARIANT_BOOL* Value);
    HRESULT (*put_Visible)(IZembraAviWriter* This, VARIANT_BOOL Value);
    HRESULT (*get_Cursor)(IZembraAviWriter* This, int16_t* Value);
    HRESULT (*put_Cursor)(IZembraAviWriter* This, int16_t Value);
    HRESULT (*get_HelpType)(IZembraAviWriter* This, TxHelpType* Value);
    HRESULT (*put_HelpType)(IZembraAviWriter* This, TxHelpType Value);
    HRESULT (*get_HelpKeyword)(IZembraAviWriter* This, BSTR* Value);
    HRESULT (*put_HelpKeyword)(IZembraAviWriter* This, BSTR Value);
    HRESULT (*SetSubComponent)(IZembraAviWriter* This, VARIANT_BOOL IsSubComponent);
} IZembraAviWriterVtbl;
struct IZembraAviWriter {
    const IZembraAviWriterVtbl* lpVtbl;
};

/* The module's exports. */
HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv);
HRESULT DllCanUnloadNow(void);
HRESULT DllRegisterServer(void);
HRESULT DllUnregisterServer(void);

#ifdef __cplusplus
}
#endif
