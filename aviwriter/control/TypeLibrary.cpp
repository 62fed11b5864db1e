#include "aviwriter/control/TypeLibrary.h"

#include "com/Guid.h"

#include <algorithm>
#include <array>

namespace avi {

namespace {

using P = TParamType;

constexpr TParamDesc kHBmp[] = {{"HBmp", P::Handle}};
constexpr TParamDesc kFourCC[] = {{"FourCC", P::String}};
constexpr TParamDesc kParent[] = {{"ADialogParent", P::Handle}};
constexpr TParamDesc kWave[] = {{"filename", P::String}, {"Delay", P::Int32}};
constexpr TParamDesc kAdd[] = {{"Code", P::String}, {"Name", P::String}};
constexpr TParamDesc kCountOut[] = {{"Value", P::Int32, true}};
constexpr TParamDesc kIndString[] = {{"Ind", P::Int32}, {"Value", P::String, true}};
constexpr TParamDesc kBoolOut[] = {{"Value", P::Bool, true}};
constexpr TParamDesc kBool[] = {{"Value", P::Bool}};
constexpr TParamDesc kInt[] = {{"Value", P::Int32}};
constexpr TParamDesc kInt16[] = {{"Value", P::Int16}};
constexpr TParamDesc kString[] = {{"Value", P::String}};
constexpr TParamDesc kPixel[] = {{"Value", P::PixelFormat}};
constexpr TParamDesc kHelp[] = {{"Value", P::HelpType}};
constexpr TParamDesc kSub[] = {{"IsSubComponent", P::Bool}};

using K = TMemberKind;

// In the order of the table of functions (slots 7 to 61).
constexpr TMemberDesc kMembers[] = {
    {"Write", 1, K::Method, false, {}},
    {"InitVideo", 2, K::Method, false, kHBmp},
    {"AddFrame", 3, K::Method, false, kHBmp},
    {"FinalizeVideo", 5, K::Method, false, {}},
    {"WriteAvi", 6, K::Method, false, {}},
    {"Compressorlist", 7, K::Method, false, {}},
    {"SetCompression", 8, K::Method, false, kFourCC},
    {"ShowCompressorDialog", 9, K::Method, false, kParent},
    {"AddWaveFile", 10, K::Method, false, kWave},
    {"AVIInit", 11, K::Method, false, {}},
    {"AVIAdd", 12, K::Method, false, kAdd},
    {"AVIGetCount", 13, K::Method, false, kCountOut},
    {"AVIGetCode", 14, K::Method, false, kIndString},
    {"AVIGetName", 15, K::Method, false, kIndString},
    {"Aborted", 16, K::Get, true, kBool},
    {"OnTheFlyCompression", 17, K::GetPut, true, kBool},
    {"CompressionQuality", 18, K::GetPut, true, kInt},
    {"AHeight", 19, K::GetPut, false, kInt},
    {"AWidth", 20, K::GetPut, false, kInt},
    {"FrameTime", 21, K::GetPut, false, kInt},
    {"TempFileName", 22, K::GetPut, false, kString},
    {"Stretch", 23, K::GetPut, false, kBool},
    {"PixelFormat", 24, K::GetPut, false, kPixel},
    {"filename", 25, K::GetPut, false, kString},
    {"WavFileName", 26, K::GetPut, false, kString},
    {"DoubleBuffered", 27, K::GetPut, true, kBool},
    {"AlignDisabled", 28, K::Get, true, kBool},
    {"VisibleDockClientCount", 29, K::Get, true, kInt},
    {"DrawTextBiDiModeFlagsReadingOnly", 31, K::Method, false, kCountOut},
    {"Enabled", -514, K::GetPut, true, kBool},
    {"InitiateAction", 32, K::Method, false, {}},
    {"IsRightToLeft", 33, K::Method, false, kBoolOut},
    {"UseRightToLeftReading", 36, K::Method, false, kBoolOut},
    {"UseRightToLeftScrollBar", 37, K::Method, false, kBoolOut},
    {"Visible", 38, K::GetPut, true, kBool},
    {"Cursor", 39, K::GetPut, false, kInt16},
    {"HelpType", 40, K::GetPut, false, kHelp},
    {"HelpKeyword", 41, K::GetPut, false, kString},
    {"SetSubComponent", 43, K::Method, false, kSub},
};

constexpr TParamDesc kProgressParams[] = {{"FrameCount", P::Int32}, {"abort", P::Bool}};
constexpr TMemberDesc kOnProgress = {"OnProgress", 1, K::Method, false, kProgressParams};

constexpr TEnumItem kPixelFormats[] = {{"pfDevice", 0}, {"pf1bit", 1},  {"pf4bit", 2},  {"pf8bit", 3},  {"pf15bit", 4},
                                       {"pf16bit", 5},  {"pf24bit", 6}, {"pf32bit", 7}, {"pfCustom", 8}};
constexpr TEnumItem kHelpTypes[] = {{"htKeyword", 0}, {"htContext", 1}};

const TTypeDesc kTypes[] = {
    {"IZembraAviWriter", IID_IZembraAviWriter, "dual interface", "Dispatch interface for ZembraAviWriter Control", {}},
    {"IZembraAviWriterEvents", DIID_IZembraAviWriterEvents, "dispinterface",
     "Events interface for ZembraAviWriter Control", {}},
    {"ZembraAviWriter", CLSID_ZembraAviWriter, "coclass", "ZembraAviWriter Control", {}},
    {"TxPixelFormat", GUID_TxPixelFormat, "enum", "", kPixelFormats},
    {"TxHelpType", GUID_TxHelpType, "enum", "", kHelpTypes},
};

const TLibraryDesc kLibrary = {"ZembraAviWriter", LIBID_ZembraAviWriter, 1, 0, 0x409, "ZembraAviWriter Library"};

char16_t Lower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

const TTypeDesc* EnumType(const GUID& enumeration)
{
    using com::operator==;
    for (const TTypeDesc& t : kTypes)
        if (t.Guid == enumeration)
            return &t;
    return nullptr;
}

} // namespace

bool SameAutomationName(std::u16string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char y) { return Lower(x) == Lower(char16_t(y)); });
}

const TLibraryDesc& ZembraAviWriterLibrary()
{
    return kLibrary;
}

std::span<const TTypeDesc> ZembraAviWriterTypes()
{
    return kTypes;
}

std::span<const TMemberDesc> ZembraAviWriterMembers()
{
    return kMembers;
}

const TMemberDesc* FindMember(std::u16string_view name)
{
    for (const TMemberDesc& m : kMembers)
        if (SameAutomationName(name, m.Name))
            return &m;
    return nullptr;
}

const TMemberDesc* FindMember(DISPID id)
{
    for (const TMemberDesc& m : kMembers)
        if (m.DispId == id)
            return &m;
    return nullptr;
}

const TMemberDesc& OnProgressEvent()
{
    return kOnProgress;
}

std::string_view EnumName(const GUID& enumeration, int32_t value)
{
    if (const TTypeDesc* t = EnumType(enumeration))
        for (const TEnumItem& item : t->Items)
            if (item.Value == value)
                return item.Name;
    return {};
}

int32_t EnumValue(const GUID& enumeration, std::string_view name)
{
    if (const TTypeDesc* t = EnumType(enumeration))
        for (const TEnumItem& item : t->Items)
            if (item.Name == name)
                return item.Value;
    return -1;
}

} // namespace avi
