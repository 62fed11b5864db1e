#pragma once
// The persisted state of the AVI-writer control: the engine's published
// properties as a component stream, "TPF0", the class name TAviWriterEngine,
// an empty object name, then name/value pairs (integers in the smallest of 8,
// 16 and 32 bits, booleans, identifiers, strings) and two end markers.
// Left, Top, Width, Height, AHeight, AWidth, FrameTime, TempFileName,
// Stretch and PixelFormat are always written, filename and WavFileName when
// not empty.
#include "aviwriter/AviWriterEngine.h"

#include <cstdint>
#include <vector>

namespace avi {

// The window placement of the engine control (no AVI behaviour).
struct TWindowBounds {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 32;
    int32_t Height = 32;
};

std::vector<uint8_t> SaveEngineState(const TAviWriterEngine& engine, const TWindowBounds& bounds);

// Applies a stream made by SaveEngineState (or by the designer of the
// Windows program). Throws EAviWriterError("Invalid stream format") when it
// is damaged, before anything is applied; unknown properties are skipped.
void LoadEngineState(const std::vector<uint8_t>& stream, TAviWriterEngine& engine, TWindowBounds& bounds);

} // namespace avi
