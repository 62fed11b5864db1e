// libFuzzer target: read any bytes as a wave file and read all its samples.
// Seed with tests/data/corpus/wav/.
#include "aviwriter/vfw/WaveFile.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        const vfw::TWaveFile wave = vfw::TWaveFile::FromBytes(std::vector<uint8_t>(data, data + size));
        (void)wave.StreamInfo();
        for (uint32_t at = 0; at < wave.SampleCount(); at += 4096)
            (void)wave.Read(at, 4096);
    } catch (const vfw::EVfwError&) {
    }
    return 0;
}
