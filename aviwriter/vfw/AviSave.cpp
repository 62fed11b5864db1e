#include "aviwriter/vfw/AviSave.h"

#include "aviwriter/vfw/AviFileWriter.h"
#include "aviwriter/vfw/Compressor.h"

#include <algorithm>
#include <cstdlib>

namespace vfw {

void SaveStreams(const std::string& path, const TEditableVideo& video, const TAviCompressOptions* options,
                 const TWaveFile* sound)
{
    const TAviFileReader& source = *video.Source;
    const TBitmapFormat input = TBitmapFormat::FromBytes(source.VideoFormat());
    std::unique_ptr<TCompressor> compressor;
    if (options && options->fccHandler) {
        compressor = CompressorManager::Locate(ICTYPE_VIDEO, options->fccHandler, input.Header);
        if (!compressor)
            throw EVfwError(AVIERR_NOCOMPRESSOR);
    }
    TAviFileWriter out(path);
    TAviStreamInfo info = video.Info;
    info.dwLength = 0;
    info.dwSuggestedBufferSize = 0;
    info.rcFrame = {0, 0, input.Header.biWidth, std::abs(input.Header.biHeight)};
    if (compressor) {
        info.fccHandler = options->fccHandler;
        info.dwQuality = options->dwQuality;
    }
    const int v = out.CreateStream(info);
    out.SetFormat(v, compressor ? compressor->OutputFormat(input).Bytes() : source.VideoFormat());
    for (int i = 0; i < source.FrameCount(); ++i) {
        const std::vector<uint8_t> raw = source.ReadFrame(i);
        if (compressor) {
            const std::vector<uint8_t> data = compressor->Compress(input, raw.data(), raw.size(), options->dwQuality);
            out.Write(v, data.data(), uint32_t(data.size()), 1, true);
        } else {
            out.Write(v, raw.data(), uint32_t(raw.size()), 1, true);
        }
    }
    if (sound) {
        const TAviStreamInfo soundInfo = sound->StreamInfo();
        const int a = out.CreateStream(soundInfo);
        out.SetFormat(a, sound->Format().Bytes());
        const uint32_t step = std::max<uint32_t>(1, soundInfo.dwSuggestedBufferSize / sound->Format().nBlockAlign);
        for (uint32_t at = 0; at < sound->SampleCount(); at += step) {
            const std::vector<uint8_t> data = sound->Read(at, step);
            out.Write(a, data.data(), uint32_t(data.size()), uint32_t(data.size() / sound->Format().nBlockAlign), true);
        }
    }
    out.Close();
}

} // namespace vfw
