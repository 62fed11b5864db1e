#pragma once
// Small value types of the GIF container: version, disposal method and the
// colour table, plus the limits the codec enforces.
#include "platform/Bitmap.h"
#include "platform/Color.h"

#include <array>
#include <cstdint>

enum class TGIFVersion { gvUnknown, gv87a, gv89a };

enum class TDisposalMethod : uint8_t {
    dmUndefined = 0,
    dmLeave = 1,
    dmRestoreBackground = 2,
    dmRestorePrevious = 3,
    dmReserved4 = 4,
    dmReserved5 = 5,
    dmReserved6 = 6,
    dmReserved7 = 7,
};

// Progress of a long codec operation, reported through the image's progress event.
enum class TProgressStage { psStarting, psRunning, psEnding };

struct TGIFColor {
    uint8_t Red = 0;
    uint8_t Green = 0;
    uint8_t Blue = 0;
    friend constexpr bool operator==(const TGIFColor&, const TGIFColor&) = default;

    constexpr TColor ToColor() const { return RGB(Red, Green, Blue); }
    static constexpr TGIFColor FromColor(TColor c) { return {GetRValue(c), GetGValue(c), GetBValue(c)}; }
};

// A GIF colour table: Count entries in file order (0 = no table).
struct TGIFColorTable {
    int32_t Count = 0;
    std::array<TGIFColor, 256> Colors{};

    friend bool operator==(const TGIFColorTable& a, const TGIFColorTable& b)
    {
        if (a.Count != b.Count)
            return false;
        for (int i = 0; i < a.Count; ++i)
            if (a.Colors[i] != b.Colors[i])
                return false;
        return true;
    }
    // Index of the first entry with exactly this RGB, or -1.
    int IndexOf(TColor rgb) const
    {
        const TGIFColor c = TGIFColor::FromColor(rgb);
        for (int i = 0; i < Count; ++i)
            if (Colors[i] == c)
                return i;
        return -1;
    }
};

// Bits needed for a table of the given size: the smallest n >= 1 with 2^n >= count.
constexpr int BitsForColorCount(int count)
{
    int n = 1;
    while (n < 8 && (1 << n) < count)
        ++n;
    return n;
}

// Frames larger than this (in pixels) are refused before anything is allocated.
inline constexpr int64_t MaxGIFFramePixels = kMaxBitmapPixels;
