#include "platform/JpegCodec.h"

#include "platform/ImageCodecSupport.h"
#include "platform/ImageFiles.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

using namespace ImageCodecSupport;

namespace {

// A scan of a progressive file needs at least a few bytes; files with more
// scans than this are made to stall decoders.
constexpr int kMaxScans = 1000;
// Memory libjpeg may use for one picture (whole-image buffers of progressive files).
constexpr long kMaxDecoderMemory = 1536L * 1024 * 1024;
// Every 8x8 block of the first component costs at least one bit.
constexpr qint64 kMaxPixelsPerByte = 1024;

// Everything a libjpeg error needs lives outside the functions that call
// setjmp, so nothing there is left indeterminate by the jump.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void Abort(j_common_ptr info, const char* text)
{
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    std::snprintf(err->message, sizeof err->message, "%s", text);
    std::longjmp(err->jump, 1);
}

void OnErrorExit(j_common_ptr info)
{
    auto* err = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, err->message);
    std::longjmp(err->jump, 1);
}

void OnEmitMessage(j_common_ptr info, int level)
{
    // Warnings (level -1) are ignored, except for data that ends early, which
    // libjpeg would otherwise fill with grey.
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        OnErrorExit(info);
}

void OnOutputMessage(j_common_ptr) {}

void OnProgress(j_common_ptr info)
{
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans)
        Abort(info, "Too many scans");
}

void InstallErrorManager(ErrorManager& err)
{
    jpeg_std_error(&err.pub);
    err.pub.error_exit = OnErrorExit;
    err.pub.emit_message = OnEmitMessage;
    err.pub.output_message = OnOutputMessage;
    err.message[0] = '\0';
}

EImageFileError JpegError(const ErrorManager& err)
{
    return EImageFileError(QStringLiteral("The JPEG data is damaged or unsupported: %1.")
                               .arg(QString::fromLocal8Bit(err.message)));
}

// ---- decoding -------------------------------------------------------------

struct Decoder {
    jpeg_decompress_struct info{};
    ErrorManager err{};
    jpeg_progress_mgr progress{};
    bool cmyk = false;
    bool adobe = false;

    Decoder() { InstallErrorManager(err); }
    ~Decoder() { jpeg_destroy_decompress(&info); }
};

bool ReadHeader(Decoder& d, const unsigned char* data, unsigned long size)
{
    if (setjmp(d.err.jump))
        return false;
    d.info.err = &d.err.pub;
    jpeg_create_decompress(&d.info);
    d.info.mem->max_memory_to_use = kMaxDecoderMemory;
    d.progress.progress_monitor = OnProgress;
    d.info.progress = &d.progress;
    jpeg_mem_src(&d.info, data, size);
    jpeg_read_header(&d.info, TRUE);
    d.cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
    d.adobe = d.info.saw_Adobe_marker;
    // BGRA in memory is QImage's 0xAARRGGBB on little-endian machines.
    d.info.out_color_space = d.cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    jpeg_calc_output_dimensions(&d.info);
    return true;
}

// Decodes into 32-bit rows (bytesPerLine apart) already allocated for the output size.
bool ReadPixels(Decoder& d, unsigned char* bits, qint64 bytesPerLine)
{
    if (setjmp(d.err.jump))
        return false;
    jpeg_start_decompress(&d.info);
    if (d.info.output_components != 4)
        Abort(reinterpret_cast<j_common_ptr>(&d.info), "Unexpected colour layout");
    while (d.info.output_scanline < d.info.output_height) {
        JSAMPROW row = bits + qint64(d.info.output_scanline) * bytesPerLine;
        if (jpeg_read_scanlines(&d.info, &row, 1) != 1)
            Abort(reinterpret_cast<j_common_ptr>(&d.info), "Scanline not decoded");
        if (d.cmyk) {
            // Adobe writes CMYK inverted (0 = full ink); others write it plain.
            for (JDIMENSION x = 0; x < d.info.output_width; ++x) {
                unsigned char* p = row + 4 * x;
                unsigned c = p[0], m = p[1], y = p[2], k = p[3];
                if (!d.adobe) {
                    c = 255 - c; m = 255 - m; y = 255 - y; k = 255 - k;
                }
                p[0] = (unsigned char)((y * k + 127) / 255);
                p[1] = (unsigned char)((m * k + 127) / 255);
                p[2] = (unsigned char)((c * k + 127) / 255);
                p[3] = 255;
            }
        }
    }
    return true;
}

// ---- encoding -------------------------------------------------------------

// A destination that grows a malloc'ed buffer; the encoder owns and frees it.
struct MemoryDestination {
    jpeg_destination_mgr pub;
    unsigned char* data = nullptr;
    size_t capacity = 0;
    size_t size = 0;
};

constexpr size_t kFirstOutputChunk = 64 * 1024;

void OnInitDestination(j_compress_ptr info)
{
    auto* dest = reinterpret_cast<MemoryDestination*>(info->dest);
    dest->data = static_cast<unsigned char*>(std::malloc(kFirstOutputChunk));
    if (!dest->data)
        Abort(reinterpret_cast<j_common_ptr>(info), "Out of memory");
    dest->capacity = kFirstOutputChunk;
    dest->pub.next_output_byte = dest->data;
    dest->pub.free_in_buffer = dest->capacity;
}

boolean OnEmptyOutputBuffer(j_compress_ptr info)
{
    // Called when the whole buffer is full.
    auto* dest = reinterpret_cast<MemoryDestination*>(info->dest);
    const size_t grown = dest->capacity * 2;
    auto* data = static_cast<unsigned char*>(std::realloc(dest->data, grown));
    if (!data)
        Abort(reinterpret_cast<j_common_ptr>(info), "Out of memory");
    dest->data = data;
    dest->pub.next_output_byte = data + dest->capacity;
    dest->pub.free_in_buffer = grown - dest->capacity;
    dest->capacity = grown;
    return TRUE;
}

void OnTermDestination(j_compress_ptr info)
{
    auto* dest = reinterpret_cast<MemoryDestination*>(info->dest);
    dest->size = dest->capacity - dest->pub.free_in_buffer;
}

struct Encoder {
    jpeg_compress_struct info{};
    ErrorManager err{};
    MemoryDestination dest{};

    Encoder() { InstallErrorManager(err); }
    ~Encoder()
    {
        jpeg_destroy_compress(&info);
        std::free(dest.data);
    }
};

// Compresses 32-bit rows (0xFFRRGGBB, bytesPerLine apart).
bool Compress(Encoder& e, const unsigned char* bits, qint64 bytesPerLine, int width, int height, int quality)
{
    if (setjmp(e.err.jump))
        return false;
    e.info.err = &e.err.pub;
    jpeg_create_compress(&e.info);
    e.dest.pub.init_destination = OnInitDestination;
    e.dest.pub.empty_output_buffer = OnEmptyOutputBuffer;
    e.dest.pub.term_destination = OnTermDestination;
    e.info.dest = &e.dest.pub;
    e.info.image_width = JDIMENSION(width);
    e.info.image_height = JDIMENSION(height);
    e.info.input_components = 4;
    e.info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&e.info);
    jpeg_set_quality(&e.info, quality, TRUE);
    jpeg_start_compress(&e.info, TRUE);
    while (e.info.next_scanline < e.info.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(bits + qint64(e.info.next_scanline) * bytesPerLine);
        jpeg_write_scanlines(&e.info, &row, 1);
    }
    jpeg_finish_compress(&e.info);
    return true;
}

} // namespace

namespace JpegCodec {

TBitmap Decode(const QByteArray& data)
{
    if (data.size() < 3 || uchar(data[0]) != 0xFF || uchar(data[1]) != 0xD8)
        throw EImageFileError("The data is not a JPEG picture.");
    Decoder d;
    if (!ReadHeader(d, reinterpret_cast<const unsigned char*>(data.constData()), (unsigned long)data.size()))
        throw JpegError(d.err);
    const qint64 width = d.info.output_width;
    const qint64 height = d.info.output_height;
    CheckSize(width, height, "JPEG");
    CheckDataFor(width * height, data.size(), kMaxPixelsPerByte, "JPEG");

    TBitmap bitmap = NewBitmap(int(width), int(height), TPixelFormat::pf24bit);
    QImage& image = bitmap.Image();
    if (!ReadPixels(d, image.bits(), image.bytesPerLine()))
        throw JpegError(d.err);
    return bitmap;
}

QByteArray Encode(const TBitmap& bitmap, int quality)
{
    if (bitmap.Empty())
        throw EImageFileError("An empty picture cannot be saved as JPEG.");
    const QImage pixels = Rgb32Pixels(bitmap);
    Encoder e;
    if (!Compress(e, pixels.constBits(), pixels.bytesPerLine(), pixels.width(), pixels.height(),
                  std::clamp(quality, 1, 100)))
        throw JpegError(e.err);
    return QByteArray(reinterpret_cast<const char*>(e.dest.data), qsizetype(e.dest.size));
}

} // namespace JpegCodec
