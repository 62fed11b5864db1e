#pragma once
// Saving streams into a new AVI file with options (AVISave): the video stream
// of an opened file, compressed with the given options or copied as it is,
// and optionally a sound stream copied whole. Throws EVfwError.
#include "aviwriter/vfw/AviFileReader.h"
#include "aviwriter/vfw/VfwTypes.h"
#include "aviwriter/vfw/WaveFile.h"

#include <string>

namespace vfw {

// An editable view of a stream: the source and the description it is saved with.
struct TEditableVideo {
    const TAviFileReader* Source = nullptr;
    TAviStreamInfo Info;
};
inline TEditableVideo MakeEditable(const TAviFileReader& source)
{
    return {&source, source.VideoInfo()};
}

// options null: the frames are saved uncompressed.
void SaveStreams(const std::string& path, const TEditableVideo& video, const TAviCompressOptions* options,
                 const TWaveFile* sound);

} // namespace vfw
