// The engine's writes through a work file: the end of the two-pass path, and
// the list-based Write.
#include "aviwriter/AviWriterEngine.h"
#include "aviwriter/OpenSound.h"
#include "aviwriter/vfw/AviSave.h"

#include <optional>

namespace avi {

namespace {

std::string Error(const char* text, uint32_t code)
{
    return std::string(text) + vfw::HexCode(code);
}

} // namespace

// An existing output file that cannot be removed stops the save.
void TAviWriterEngine::DeleteOutput(const std::string& message) const
{
    if (!RemoveIfExists(fFileName))
        throw EAviWriterError(message);
}

void TAviWriterEngine::SaveTwoPass()
{
    std::string soundName = fWavFileName;
    if (soundName.empty() && !fWaves.empty())
        soundName = fWaves.front().FileName;
    std::optional<vfw::TWaveFile> sound;
    if (!soundName.empty()) {
        try {
            sound.emplace(OpenSoundFile(soundName));
        } catch (const EAviWriterError&) {
            fWavFileName.clear();
            throw;
        }
    }
    DeleteOutput("File " + fFileName + " could not be deleted. It could be in use by another application.");
    std::optional<vfw::TAviFileReader> temp;
    try {
        temp.emplace(fTempFileName);
    } catch (const vfw::EVfwError& e) {
        throw EAviWriterError(Error("Unable to open temp file. Error ", e.Code()));
    }
    vfw::TEditableVideo video;
    try {
        video = vfw::MakeEditable(*temp);
    } catch (const vfw::EVfwError& e) {
        throw EAviWriterError(Error("Unable to get stream of temp file. Error ", e.Code()));
    }
    video.Info.szName = "ZEMBRA";
    if (!fHaveFormat) {
        // InitVideo had no bitmap to take the format from: the first frame's.
        fOptions.fccType = vfw::streamtypeVIDEO;
        fOptions.fccHandler = vfw::FourCCFromText(fCode);
        fOptions.dwQuality = uint32_t(fQuality);
        fOptions.dwFlags = vfw::AVICOMPRESSF_KEYFRAMES | vfw::AVICOMPRESSF_VALID;
    }
    try {
        vfw::SaveStreams(fFileName, video, &fOptions, sound ? &*sound : nullptr);
    } catch (const vfw::EVfwError& e) {
        throw EAviWriterError(Error("Unable to write output file. Error ", e.Code()));
    }
}

void TAviWriterEngine::Write()
{
    if (fBitmaps.empty())
        throw EAviWriterError("No bitmaps on the Bitmaps list");
    for (size_t i = 0; i < fBitmaps.size(); ++i)
        if (!CheckedSection(fBitmaps[i]))
            throw EAviWriterError("Bitmaps[" + std::to_string(i) + "] is not a TBitmap");
    {
        std::unique_ptr<vfw::TAviFileWriter> work;
        try {
            work = std::make_unique<vfw::TAviFileWriter>(fTempFileName);
        } catch (const vfw::EVfwError&) {
            throw EAviWriterError("Failed to create AVI video work file");
        }
        const int stream = work->CreateStream(VideoStreamInfo(0));
        for (size_t i = 0; i < fBitmaps.size(); ++i) {
            const ZBitmapSection& s = *CheckedSection(fBitmaps[i]);
            TAviBitmap frame(fAWidth, fAHeight, 8);
            if (fStretch) {
                frame.StretchFrom(s);
            } else {
                if (s.Width > 0 && s.Height > 0)
                    frame.Fill(SectionPixel(s, 0, 0));
                frame.DrawAt(s, 0, 0);
            }
            if (i == 0) {
                if (frame.Width() == 0 || frame.Height() == 0)
                    throw EAviWriterError("Failed to retrieve bitmap info");
                try {
                    work->SetFormat(stream, frame.Format().Bytes());
                } catch (const vfw::EVfwError&) {
                    throw EAviWriterError("Failed to set AVI stream format");
                }
            }
            try {
                work->Write(stream, frame.Pixels(), uint32_t(frame.ImageSize()), 1, true);
            } catch (const vfw::EVfwError&) {
                throw EAviWriterError("Failed to add frame to AVI.");
            }
        }
        try {
            work->Close();
        } catch (const vfw::EVfwError&) {
            throw EAviWriterError("Failed to add frame to AVI.");
        }
    }
    std::optional<vfw::TAviFileReader> temp;
    vfw::TEditableVideo video;
    try {
        temp.emplace(fTempFileName);
        video = vfw::MakeEditable(*temp);
    } catch (const vfw::EVfwError&) {
        throw EAviWriterError("Could not create Video Stream");
    }
    std::optional<vfw::TWaveFile> sound;
    if (!fWavFileName.empty()) {
        try {
            sound.emplace(OpenSoundFile(fWavFileName));
        } catch (const EAviWriterError&) {
            fWavFileName.clear();
            throw;
        }
    }
    try {
        vfw::SaveStreams(fFileName, video, nullptr, sound ? &*sound : nullptr);
    } catch (const vfw::EVfwError&) {
        throw EAviWriterError("Unable to write output file");
    }
    temp.reset();
    DeleteTempFile();
}

} // namespace avi
