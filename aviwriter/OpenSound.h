#pragma once
// Opening one sound file for the engine, with the library's errors told in
// words (EAviWriterError).
#include "aviwriter/vfw/WaveFile.h"

#include <string>

namespace avi {

vfw::TWaveFile OpenSoundFile(const std::string& fileName);

} // namespace avi
