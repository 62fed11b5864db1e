#pragma once
// The type library of the AVI-writer control as data: the library, its five
// type descriptions, and the members of IZembraAviWriter in table order with
// their dispatch identifiers, kinds and parameters. Name lookup for
// IDispatch::GetIDsOfNames goes through this table.
#include "aviwriter/control/ZembraAviWriterApi.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace avi {

enum class TParamType { Int16, Int32, Bool, String, Handle, PixelFormat, HelpType };

struct TParamDesc {
    std::string_view Name;
    TParamType Type;
    bool RetVal = false; // an out parameter that becomes the dispatch result
};

enum class TMemberKind { Method, Get, GetPut };

struct TMemberDesc {
    std::string_view Name;
    DISPID DispId;
    TMemberKind Kind;
    bool Hidden;
    // Method parameters, or the one value of a property.
    std::span<const TParamDesc> Params;
};

struct TEnumItem {
    std::string_view Name;
    int32_t Value;
};

struct TTypeDesc {
    std::string_view Name;
    GUID Guid;
    std::string_view Kind; // "dual interface", "dispinterface", "coclass", "enum"
    std::string_view HelpString;
    std::span<const TEnumItem> Items; // enumerations only
};

struct TLibraryDesc {
    std::string_view Name;
    GUID Guid;
    uint16_t MajorVersion;
    uint16_t MinorVersion;
    LCID Locale;
    std::string_view HelpString;
};

const TLibraryDesc& ZembraAviWriterLibrary();
std::span<const TTypeDesc> ZembraAviWriterTypes();
std::span<const TMemberDesc> ZembraAviWriterMembers();
// Automation names compare without regard to ASCII case.
bool SameAutomationName(std::u16string_view a, std::string_view b);
// The member of a name, case-insensitively (automation names are), or null.
const TMemberDesc* FindMember(std::u16string_view name);
const TMemberDesc* FindMember(DISPID id);
// The event interface's one member, OnProgress.
const TMemberDesc& OnProgressEvent();
// The text of an enumeration item ("pf24bit"), or empty.
std::string_view EnumName(const GUID& enumeration, int32_t value);
// The value of an enumeration item's name; -1 when there is none.
int32_t EnumValue(const GUID& enumeration, std::string_view name);

} // namespace avi
