#include "aviwriter/vfw/MjpgCompressor.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace vfw {

namespace {

// Kept outside the function that calls setjmp, so nothing there is left
// indeterminate by the jump.
struct TErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void OnErrorExit(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<TErrorManager*>(info->err)->jump, 1);
}

void OnOutputMessage(j_common_ptr) {}

struct TJpegJob {
    jpeg_compress_struct cinfo{};
    TErrorManager err{};
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    ~TJpegJob()
    {
        jpeg_destroy_compress(&cinfo);
        std::free(out);
    }
};

// Returns false when libjpeg failed.
bool Encode(TJpegJob& job, const TBitmapInfoHeader& h, const uint8_t* bits, int quality)
{
    if (setjmp(job.err.jump))
        return false;
    jpeg_create_compress(&job.cinfo);
    jpeg_mem_dest(&job.cinfo, &job.out, &job.outSize);
    const int width = h.biWidth;
    const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    job.cinfo.image_width = JDIMENSION(width);
    job.cinfo.image_height = JDIMENSION(height);
    job.cinfo.input_components = h.biBitCount / 8;
    job.cinfo.in_color_space = h.biBitCount == 32 ? JCS_EXT_BGRX : JCS_EXT_BGR;
    jpeg_set_defaults(&job.cinfo);
    jpeg_set_quality(&job.cinfo, quality, TRUE);
    jpeg_start_compress(&job.cinfo, TRUE);
    const size_t stride = size_t(DibStride(width, h.biBitCount));
    // A positive height means the rows are stored from the bottom up.
    while (job.cinfo.next_scanline < job.cinfo.image_height) {
        const int y = int(job.cinfo.next_scanline);
        const size_t row = h.biHeight > 0 ? size_t(height - 1 - y) : size_t(y);
        JSAMPROW line = const_cast<JSAMPROW>(bits + row * stride);
        jpeg_write_scanlines(&job.cinfo, &line, 1);
    }
    jpeg_finish_compress(&job.cinfo);
    return true;
}

} // namespace

TCompressorInfo TMjpgCompressor::Info() const
{
    return {ICTYPE_VIDEO, MakeFourCC("MJPG"), "MJPG"};
}

bool TMjpgCompressor::CompressQuery(const TBitmapInfoHeader& in) const
{
    return in.biCompression == BI_RGB && (in.biBitCount == 24 || in.biBitCount == 32) && in.biWidth > 0
        && in.biHeight != 0 && in.biWidth <= 65500 && in.biHeight <= 65500 && in.biHeight >= -65500;
}

TBitmapFormat TMjpgCompressor::OutputFormat(const TBitmapFormat& input) const
{
    TBitmapFormat f;
    f.Header = input.Header;
    f.Header.biSize = kBitmapInfoHeaderSize;
    f.Header.biBitCount = 24;
    f.Header.biCompression = MakeFourCC("MJPG");
    f.Header.biHeight = input.Header.biHeight < 0 ? -input.Header.biHeight : input.Header.biHeight;
    f.Header.biSizeImage = uint32_t(f.Header.biWidth) * uint32_t(f.Header.biHeight) * 3;
    f.Header.biClrUsed = 0;
    f.Header.biClrImportant = 0;
    return f;
}

int TMjpgCompressor::JpegQuality(uint32_t quality)
{
    return std::clamp(int((std::min<uint32_t>(quality, 10000) + 50) / 100), 1, 100);
}

std::vector<uint8_t> TMjpgCompressor::Compress(const TBitmapFormat& input, const uint8_t* bits, size_t size,
                                               uint32_t quality)
{
    const TBitmapInfoHeader& h = input.Header;
    if (!CompressQuery(h))
        throw EVfwError(AVIERR_COMPRESSOR);
    const int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    if (uint64_t(DibStride(h.biWidth, h.biBitCount)) * uint64_t(height) > size)
        throw EVfwError(AVIERR_BADSIZE);
    TJpegJob job;
    job.cinfo.err = jpeg_std_error(&job.err.pub);
    job.err.pub.error_exit = OnErrorExit;
    job.err.pub.output_message = OnOutputMessage;
    if (!Encode(job, h, bits, JpegQuality(quality)))
        throw EVfwError(AVIERR_COMPRESSOR);
    return std::vector<uint8_t>(job.out, job.out + job.outSize);
}

} // namespace vfw
