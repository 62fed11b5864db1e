#include "aviwriter/AviWriterEngine.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace avi {

namespace {

std::string Lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

// The extension, from the last "." of the last path element.
std::string Extension(const std::string& fileName)
{
    const size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || fileName.find('/', dot) != std::string::npos)
        return {};
    return fileName.substr(dot);
}

bool IsWaveName(const std::string& fileName)
{
    return Lower(Extension(fileName)) == ".wav";
}

std::string DefaultTempFolder()
{
    std::string folder;
    if (const char* tmp = std::getenv("TMPDIR"); tmp && *tmp)
        folder = tmp;
    else
        folder = "/tmp";
    if (folder.back() != '/')
        folder += '/';
    return folder;
}

const char* const kWaveNameMessage = "WavFileName must name a file with the .wav extension";

} // namespace

bool RemoveIfExists(const std::string& fileName)
{
    std::error_code ec;
    if (fileName.empty() || !std::filesystem::exists(std::filesystem::symlink_status(fileName, ec)))
        return true;
    // A folder of that name is never removed in its place.
    if (std::filesystem::is_directory(std::filesystem::symlink_status(fileName, ec)))
        return false;
    return std::filesystem::remove(fileName, ec);
}

int BitsOf(TxPixelFormat format)
{
    switch (format) {
    case TxPixelFormat::pf1bit:
        return 1;
    case TxPixelFormat::pf4bit:
        return 4;
    case TxPixelFormat::pf8bit:
        return 8;
    case TxPixelFormat::pf24bit:
        return 24;
    case TxPixelFormat::pf32bit:
        return 32;
    default:
        return 0;
    }
}

TAviWriterEngine::TAviWriterEngine(int screenWidth, int screenHeight)
    : fAHeight(RoundTo16(screenHeight / 10)), fAWidth(RoundTo16(screenWidth / 10)),
      fTempFileName(DefaultTempFolder() + "~AWTemp.avi")
{
}

TAviWriterEngine::~TAviWriterEngine()
{
    fCreator.reset();
    ReleaseAll();
    DeleteTempFile();
}

void TAviWriterEngine::SetPixelFormat(TxPixelFormat value)
{
    if (BitsOf(value) == 0)
        throw EAviWriterError("Pixelformat not supported");
    fPixelFormat = value;
}

void TAviWriterEngine::SetWavFileName(const std::string& value)
{
    if (Lower(value) == Lower(fWavFileName))
        return;
    if (!value.empty() && !IsWaveName(value))
        throw EAviWriterError(kWaveNameMessage);
    fWavFileName = value;
}

void TAviWriterEngine::AVIInit()
{
    fCodes = {"DIB"};
    fNames = {"Без сжатия"};
}

void TAviWriterEngine::AVIAdd(const std::string& code, const std::string& name)
{
    fCodes.push_back(code);
    fNames.push_back(name);
}

std::string TAviWriterEngine::AVIGetCode(int32_t index) const
{
    if (index < 0 || index >= AVIGetCount())
        throw EAviWriterError("List index out of bounds (" + std::to_string(index) + ")");
    return fCodes[size_t(index)];
}

std::string TAviWriterEngine::AVIGetName(int32_t index) const
{
    if (index < 0 || index >= AVIGetCount())
        throw EAviWriterError("List index out of bounds (" + std::to_string(index) + ")");
    return fNames[size_t(index)];
}

vfw::TBitmapInfoHeader TAviWriterEngine::QueryHeader() const
{
    vfw::TBitmapInfoHeader h;
    h.biWidth = fAWidth;
    h.biHeight = fAHeight;
    h.biPlanes = 1;
    h.biBitCount = uint16_t(BitsOf(fPixelFormat));
    h.biCompression = vfw::BI_RGB;
    return h;
}

void TAviWriterEngine::Compressorlist()
{
    AVIInit();
    const vfw::TBitmapInfoHeader header = QueryHeader();
    vfw::TCompressorInfo info;
    for (int i = 0; vfw::CompressorManager::Info(vfw::ICTYPE_VIDEO, i, info); ++i) {
        std::unique_ptr<vfw::TCompressor> c = vfw::CompressorManager::Open(vfw::ICTYPE_VIDEO, info.fccHandler);
        if (!c || !c->CompressQuery(header))
            continue;
        const vfw::TCompressorInfo details = c->Info();
        std::string name = details.szName.substr(0, 16);
        name.resize(16, '\0');
        AVIAdd(vfw::FourCCText(details.fccHandler), name);
    }
}

void TAviWriterEngine::SetCompression(const std::string& code)
{
    const std::string cut = code.substr(0, 4);
    fCode.clear();
    if (cut.empty())
        return;
    if (!vfw::CompressorManager::Locate(vfw::ICTYPE_VIDEO, vfw::FourCCFromText(cut), QueryHeader()))
        throw EAviWriterError("No compressor for " + cut + " available");
    fCode = cut;
}

void TAviWriterEngine::ShowCompressorDialog(void* parent)
{
    if (fCode.empty())
        return;
    // None of the compressors here has a configuration dialog.
    const auto c = vfw::CompressorManager::Open(vfw::ICTYPE_VIDEO, vfw::FourCCFromText(fCode));
    (void)parent;
    (void)c;
}

void TAviWriterEngine::AddWaveFile(const std::string& fileName, int32_t delay)
{
    if (!IsWaveName(fileName))
        throw EAviWriterError(kWaveNameMessage);
    fWaves.push_back({fileName, delay});
}

void TAviWriterEngine::ReleaseAll()
{
    fCompressor.reset();
    fVideoStream = -1;
    fWaves.clear();
    if (fFile) {
        std::unique_ptr<vfw::TAviFileWriter> file = std::move(fFile);
        try {
            file->Close();
        } catch (const vfw::EVfwError&) {
        }
    }
}

void TAviWriterEngine::DeleteTempFile() const
{
    RemoveIfExists(fTempFileName);
}

void TAviWriterEngine::InitVideo(HBITMAP bitmap)
{
    const TPath path = Path();
    if (path != TPath::OnTheFly) {
        fCreator = std::make_unique<TAVICreator>();
        fCreator->Open(path == TPath::Direct ? fFileName : fTempFileName, bitmap, fFrameTime);
        if (path == TPath::Direct)
            return;
    }
    fCompressor.reset();
    fVideoStream = -1;
    fAborted = false;
    fFile.reset();
    fHaveFormat = false;
    if (fPixelFormat == TxPixelFormat::pfDevice) {
        fAborted = true;
        throw EAviWriterError("For adding frames on the fly the pixelformat must be <> pfDevice");
    }
    if (path == TPath::OnTheFly) {
        if (!RemoveIfExists(fFileName))
            throw EAviWriterError("Could not delete " + fFileName
                                  + " file might be in use. Try to close the folder if it's open in Explorer");
        try {
            fFile = std::make_unique<vfw::TAviFileWriter>(fFileName);
        } catch (const vfw::EVfwError& e) {
            throw EAviWriterError("Failed to create AVI video file. Err: $" + vfw::HexCode(e.Code()));
        }
        fFile->RiffLimit = RiffLimit;
        fVideoInfo = VideoStreamInfo(vfw::FourCCFromText(fCode));
        fVideoStream = fFile->CreateStream(fVideoInfo);
    } else {
        const ZBitmapSection* s = CheckedSection(bitmap);
        if (s && s->Width > 0 && s->Height > 0)
            PrepareFormat(TAviBitmap::FromSection(*s));
    }
    fFrames = 0;
    fInitialised = true;
}

TAviBitmap TAviWriterEngine::MakeFrame(HBITMAP bitmap) const
{
    TAviBitmap frame(fAWidth, fAHeight, BitsOf(fPixelFormat));
    const ZBitmapSection* s = CheckedSection(bitmap);
    if (!s || s->Width == 0 || s->Height == 0)
        return frame; // nothing to draw: the frame stays black
    if (fStretch)
        frame.StretchFrom(*s);
    else
        frame.DrawAt(*s, (fAWidth - s->Width) / 2, (fAHeight - s->Height) / 2);
    return frame;
}

// The format of the first frame and the compression options made from it; on
// the fly also the compressed stream.
void TAviWriterEngine::PrepareFormat(const TAviBitmap& frame)
{
    if (frame.Width() == 0 || frame.Height() == 0)
        throw EAviWriterError("Failed to retrieve bitmap header and pixels. Err: 87");
    fFormat = frame.Format();
    fOptions = {};
    fOptions.fccType = vfw::streamtypeVIDEO;
    fOptions.fccHandler = vfw::FourCCFromText(fCode);
    fOptions.dwKeyFrameEvery = fFrameTime > 0 ? uint32_t(std::lrint(1000.0 / fFrameTime)) : 0;
    fOptions.dwQuality = uint32_t(fQuality);
    fOptions.dwFlags = vfw::AVICOMPRESSF_KEYFRAMES | vfw::AVICOMPRESSF_VALID;
    fOptions.lpFormat = fFormat.Bytes();
    fHaveFormat = true;
    if (Path() != TPath::OnTheFly)
        return;
    fCompressor = vfw::CompressorManager::Locate(vfw::ICTYPE_VIDEO, fOptions.fccHandler, fFormat.Header);
    if (!fCompressor)
        throw EAviWriterError("Failed to create compressed stream");
    try {
        fFile->SetFormat(fVideoStream, fCompressor->OutputFormat(fFormat).Bytes());
    } catch (const vfw::EVfwError&) {
        throw EAviWriterError("Failed to set AVI stream format");
    }
}

void TAviWriterEngine::AddFrame(HBITMAP bitmap)
{
    if (Path() != TPath::OnTheFly) {
        if (fCreator)
            fCreator->AddFrame(bitmap);
        return;
    }
    if (fAborted)
        return;
    if (!fInitialised || !fFile)
        throw EAviWriterError("Video must be initialized.");
    const TAviBitmap frame = MakeFrame(bitmap);
    if (!fHaveFormat)
        PrepareFormat(frame);
    try {
        const std::vector<uint8_t> data =
            fCompressor->Compress(fFormat, frame.Pixels(), frame.ImageSize(), uint32_t(fQuality));
        fFile->Write(fVideoStream, data.data(), uint32_t(data.size()), 1, true);
    } catch (const vfw::EVfwError& e) {
        throw EAviWriterError("Failed to add Frame. Err: " + vfw::HexCode(e.Code()));
    } catch (const std::exception&) {
        throw EAviWriterError("Failed to add Frame. Err: " + vfw::HexCode(vfw::AVIERR_ERROR));
    }
    ++fFrames;
    if (OnProgress && fFrames % 20 == 0)
        OnProgress(*this, fFrames, fAborted);
}

void TAviWriterEngine::FinalizeVideo()
{
    fInitialised = false;
    fFinalised = true;
}

void TAviWriterEngine::WriteAvi()
{
    const TPath path = Path();
    if (path != TPath::OnTheFly) {
        if (fCreator) {
            fCreator->Close();
            fCreator.reset();
        }
        if (path == TPath::Direct)
            return;
    }
    if (fAborted || !fFinalised) {
        ReleaseAll();
        if (!fFinalised)
            throw EAviWriterError("Video must be finalized");
        return;
    }
    if (path == TPath::OnTheFly) {
        MixSound();
        fCompressor.reset();
        fWaves.clear();
        try {
            if (fFile)
                fFile->Close();
        } catch (const vfw::EVfwError& e) {
            fFile.reset();
            throw EAviWriterError("Unable to write output file. Error " + vfw::HexCode(e.Code()));
        }
        fFile.reset();
    } else {
        SaveTwoPass();
    }
    ReleaseAll();
    DeleteTempFile();
    fFinalised = false;
}

vfw::TAviStreamInfo TAviWriterEngine::VideoStreamInfo(vfw::FourCC handler) const
{
    // A frame time of 0 or less would make a stream of no duration.
    if (fFrameTime <= 0)
        throw EAviWriterError("Failed to create AVI video stream");
    vfw::TAviStreamInfo info;
    info.fccType = vfw::streamtypeVIDEO;
    info.fccHandler = handler;
    info.dwScale = uint32_t(fFrameTime);
    info.dwRate = 1000;
    info.dwQuality = uint32_t(fQuality);
    info.rcFrame = {0, 0, fAWidth, fAHeight};
    return info;
}

} // namespace avi
