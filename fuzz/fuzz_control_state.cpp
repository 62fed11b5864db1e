// libFuzzer target: read any bytes as the AVI-writer control's persisted
// state ("TPF0" stream) into an engine. Seeded with the Save-AVI window's block.
#include "aviwriter/control/PersistedState.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    avi::TAviWriterEngine engine;
    avi::TWindowBounds bounds;
    try {
        avi::LoadEngineState(std::vector<uint8_t>(data, data + size), engine, bounds);
        (void)avi::SaveEngineState(engine, bounds);
    } catch (const avi::EAviWriterError&) {
    }
    return 0;
}
