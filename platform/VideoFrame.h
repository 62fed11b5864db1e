#pragma once
// Raw video frames of a shared screen: the pixel formats we accept from a
// PipeWire stream, in the order we prefer them, and the copy of one buffer
// (rows of any stride, cut to its crop region) into a picture of our own.
// Knows nothing of streams; buffers are plain bytes, so it is tested alone.
#include <QImage>
#include <QRect>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

struct spa_pod;
struct spa_pod_builder;

// Where the colour bytes of one pixel lie in a packed raw format.
struct TVideoLayout {
    uint32_t Format = 0; // an spa_video_format
    int BytesPerPixel = 0;
    int R = 0;
    int G = 0;
    int B = 0;
};

// The layout of an spa_video_format, or nothing for formats we do not read.
std::optional<TVideoLayout> VideoLayout(uint32_t format);

// The formats offered to the stream, preferred first.
const std::vector<uint32_t>& OfferedVideoFormats();

// The EnumFormat parameter offered when connecting: raw video in one of the
// offered formats, any size, any frame rate.
const spa_pod* BuildEnumFormat(spa_pod_builder& builder);

// What the stream settled on.
struct TVideoFormat {
    uint32_t Format = 0;
    QSize Size;
};

// Reads a Format parameter; nothing when it is not raw video in a format we read
// or its size is empty or beyond 16384 on a side.
std::optional<TVideoFormat> ParseVideoFormat(const spa_pod* param);

// Copies the picture of one buffer into an RGB32 image of crop's size.
// `data` holds `size` bytes: `height` rows of `stride` bytes, each starting with
// `width` pixels of `format`. `crop` (in frame pixels) is cut to the frame; an
// empty crop means the whole frame. A buffer too small for what it claims,
// a stride shorter than a row or an unknown format give a null image.
QImage CopyVideoFrame(const uint8_t* data, size_t size, int stride, uint32_t format, QSize frame, QRect crop = {});
