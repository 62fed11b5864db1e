#pragma once
// Extension blocks of a GIF file: graphic control, plain text, application and
// comment. The fixed part's layout depends on the type; the data sub-blocks
// are kept as lines of text, one per sub-block.
#include <QStringList>
#include <cstdint>
#include <variant>

enum class TExtensionType : uint8_t {
    etGraphic = 0xF9,
    etPlainText = 0x01,
    etApplication = 0xFF,
    etComment = 0xFE,
};

#pragma pack(push, 1)
struct TGraphicControlExtension {
    uint8_t BlockSize = 4;
    uint8_t PackedFields = 0; // bits 2-4 disposal, bit 1 user input, bit 0 transparent flag
    uint16_t DelayTime = 0;   // hundredths of a second
    uint8_t TransparentColorIndex = 0;
    uint8_t Terminator = 0;
};
struct TPlainTextExtension {
    uint8_t BlockSize = 12;
    uint16_t Left = 0, Top = 0, Width = 0, Height = 0;
    uint8_t CellWidth = 0, CellHeight = 0, FGColorIndex = 0, BGColorIndex = 0;
};
struct TAppExtension {
    uint8_t BlockSize = 11;
    char AppId[8] = {};
    char Authentication[3] = {};
};
#pragma pack(pop)
static_assert(sizeof(TGraphicControlExtension) == 6);
static_assert(sizeof(TPlainTextExtension) == 13);
static_assert(sizeof(TAppExtension) == 12);

// The fixed part; a comment has none.
using TExtensionRecord = std::variant<std::monostate, TGraphicControlExtension, TPlainTextExtension, TAppExtension>;

class TExtension {
public:
    explicit TExtension(TExtensionType type);

    TExtensionType FExtType;
    TExtensionRecord FExtRec;
    QStringList FData; // one item per data sub-block

    TGraphicControlExtension& Graphic() { return std::get<TGraphicControlExtension>(FExtRec); }
    const TGraphicControlExtension& Graphic() const { return std::get<TGraphicControlExtension>(FExtRec); }

    // Size in bytes of the fixed part for a type (0 for a comment).
    static int FixedSize(TExtensionType type);
};
