// The sound track of the engine: mixing the wave list into the on-the-fly
// file, and opening one sound file for the two-pass and list-based writes.
#include "aviwriter/AviWriterEngine.h"
#include "aviwriter/OpenSound.h"
#include "aviwriter/vfw/WaveFile.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace avi {

namespace {

// Sample number of a delay in ms: delay x rate / scale / 1000, truncated. In
// whole numbers, so that a delay of whole seconds lands exactly on its sample
// (0.001 has no exact binary value and would land one sample early).
int64_t StartSample(int32_t delay, const vfw::TAviStreamInfo& info)
{
    if (info.dwScale == 0)
        return 0;
    return int64_t(delay) * int64_t(info.dwRate) / (int64_t(info.dwScale) * 1000);
}

// Size of the block of silence the gap before a file is made of; 0 for the
// formats that get no gap.
uint32_t SilenceBlock(const vfw::TWaveFormat& f)
{
    static const uint32_t rates[] = {44100, 48000, 32075, 32000, 22050, 16000, 11025};
    if ((f.nChannels != 1 && f.nChannels != 2) || (f.wBitsPerSample != 8 && f.wBitsPerSample != 16)
        || std::find(std::begin(rates), std::end(rates), f.nSamplesPerSec) == std::end(rates))
        return 0;
    return 16u * f.nChannels * (f.wBitsPerSample / 8u);
}

std::string Err(const char* what, uint32_t code)
{
    return std::string(what) + " failed. Err: $" + vfw::HexCode(code);
}

} // namespace

// Opens one sound file, reporting the library's errors in words.
vfw::TWaveFile OpenSoundFile(const std::string& fileName)
{
    try {
        return vfw::TWaveFile(fileName);
    } catch (const vfw::EVfwError& e) {
        switch (e.Code()) {
        case vfw::AVIERR_CLASSNOTREG:
            throw EAviWriterError("According to the registry, the type of audio file specified in AVIFileOpen does "
                                  "not have a handler to process it.");
        case vfw::AVIERR_BADFORMAT:
            throw EAviWriterError(
                "The file could not be read, indicating a corrupt file or an unrecognized format.");
        case vfw::AVIERR_MEMORY:
            throw EAviWriterError("The file could not be opened because of insufficient memory.");
        case vfw::AVIERR_FILEREAD:
            throw EAviWriterError("A disk error occurred while reading the audio file.");
        case vfw::AVIERR_FILEOPEN:
            throw EAviWriterError("A disk error occurred while opening the audio file.");
        default:
            throw EAviWriterError("Unknown error opening audio file");
        }
    }
}

void TAviWriterEngine::MixSound()
{
    if (!fFile)
        return;
    if (fWaves.empty() && !fWavFileName.empty())
        fWaves.push_back({fWavFileName, 0});
    std::stable_sort(fWaves.begin(), fWaves.end(), [](const TWave& a, const TWave& b) { return a.Delay < b.Delay; });

    // Open every file; those whose sound differs from the first's are passed over.
    std::vector<vfw::TWaveFile> waves;
    std::vector<int32_t> delays;
    for (const TWave& w : fWaves) {
        std::optional<vfw::TWaveFile> wave;
        try {
            wave.emplace(w.FileName);
        } catch (const vfw::EVfwError& e) {
            throw EAviWriterError(Err("FileOpen", e.Code()));
        }
        if (!waves.empty()) {
            const vfw::TAviStreamInfo a = waves.front().StreamInfo(), b = wave->StreamInfo();
            const vfw::TWaveFormat &fa = waves.front().Format(), &fb = wave->Format();
            if (a.fccType != b.fccType || a.dwScale != b.dwScale || a.dwRate != b.dwRate
                || a.dwSampleSize != b.dwSampleSize || fa.nChannels != fb.nChannels
                || fa.wBitsPerSample != fb.wBitsPerSample)
                continue;
        }
        waves.push_back(std::move(*wave));
        delays.push_back(w.Delay);
    }
    if (waves.empty())
        return;

    const vfw::TAviStreamInfo first = waves.front().StreamInfo();
    int stream = -1;
    try {
        stream = fFile->CreateStream(first);
    } catch (const vfw::EVfwError& e) {
        throw EAviWriterError(Err("CreateStream", e.Code()));
    }
    try {
        fFile->SetFormat(stream, waves.front().Format().Bytes());
    } catch (const vfw::EVfwError& e) {
        throw EAviWriterError(Err("SetFormat", e.Code()));
    }
    int64_t length = 0; // samples in the track so far
    for (size_t i = 0; i < waves.size(); ++i) {
        const vfw::TWaveFile* wave = &waves[i];
        const vfw::TAviStreamInfo info = wave->StreamInfo();
        const vfw::TWaveFormat& format = wave->Format();
        const uint32_t blockAlign = format.nBlockAlign;
        const uint32_t chunkSamples = std::max<uint32_t>(1, info.dwSuggestedBufferSize / blockAlign);
        auto write = [&](const std::vector<uint8_t>& data) {
            try {
                fFile->Write(stream, data.data(), uint32_t(data.size()), uint32_t(data.size() / blockAlign), true);
            } catch (const vfw::EVfwError& e) {
                throw EAviWriterError(Err("StreamWrite", e.Code()));
            }
            length += int64_t(data.size() / blockAlign);
        };

        const int64_t start = StartSample(delays[i], first);
        if (const uint32_t block = SilenceBlock(format); block && length < start) {
            // Near-silent samples at the zero level: 128 for 8 bits, 0 for 16.
            const uint8_t level = format.wBitsPerSample == 8 ? 128 : 0;
            const size_t bufferSize = std::max<size_t>(block, info.dwSuggestedBufferSize) / block * block;
            const std::vector<uint8_t> silence(bufferSize, level);
            while (length < start) {
                const size_t samples = std::min<int64_t>(start - length, int64_t(bufferSize / blockAlign));
                write(std::vector<uint8_t>(silence.begin(), silence.begin() + ptrdiff_t(samples * blockAlign)));
            }
        }
        // The whole file, cut where the next file starts.
        int64_t take = wave->SampleCount();
        if (i + 1 < waves.size())
            take = std::clamp<int64_t>(StartSample(delays[i + 1], first) - std::max(start, length), 0, take);
        for (int64_t at = 0; at < take; at += chunkSamples) {
            std::vector<uint8_t> data;
            try {
                data = wave->Read(uint32_t(at), uint32_t(std::min<int64_t>(chunkSamples, take - at)));
            } catch (const vfw::EVfwError& e) {
                throw EAviWriterError(Err("StreamRead", e.Code()));
            }
            if (data.empty())
                break;
            write(data);
        }
    }
}

} // namespace avi
