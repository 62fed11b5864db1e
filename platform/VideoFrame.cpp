#include "platform/VideoFrame.h"

#include <algorithm>
#include <cstring>
#include <spa/param/video/format-utils.h>
#include <spa/pod/builder.h>

namespace {

constexpr int MaxSide = 16384;

const TVideoLayout Layouts[] = {
    {SPA_VIDEO_FORMAT_BGRx, 4, 2, 1, 0}, {SPA_VIDEO_FORMAT_BGRA, 4, 2, 1, 0},
    {SPA_VIDEO_FORMAT_RGBx, 4, 0, 1, 2}, {SPA_VIDEO_FORMAT_RGBA, 4, 0, 1, 2},
    {SPA_VIDEO_FORMAT_xRGB, 4, 1, 2, 3}, {SPA_VIDEO_FORMAT_ARGB, 4, 1, 2, 3},
    {SPA_VIDEO_FORMAT_xBGR, 4, 3, 2, 1}, {SPA_VIDEO_FORMAT_ABGR, 4, 3, 2, 1},
    {SPA_VIDEO_FORMAT_RGB, 3, 0, 1, 2},  {SPA_VIDEO_FORMAT_BGR, 3, 2, 1, 0},
};

} // namespace

std::optional<TVideoLayout> VideoLayout(uint32_t format)
{
    for (const TVideoLayout& layout : Layouts)
        if (layout.Format == format)
            return layout;
    return std::nullopt;
}

const std::vector<uint32_t>& OfferedVideoFormats()
{
    static const std::vector<uint32_t> formats = [] {
        std::vector<uint32_t> list;
        for (const TVideoLayout& layout : Layouts)
            list.push_back(layout.Format);
        return list;
    }();
    return formats;
}

const spa_pod* BuildEnumFormat(spa_pod_builder& builder)
{
    const std::vector<uint32_t>& formats = OfferedVideoFormats();
    spa_pod_frame object;
    spa_pod_builder_push_object(&builder, &object, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat);
    spa_pod_builder_add(&builder, SPA_FORMAT_mediaType, SPA_POD_Id(SPA_MEDIA_TYPE_video), SPA_FORMAT_mediaSubtype,
                        SPA_POD_Id(SPA_MEDIA_SUBTYPE_raw), 0);
    spa_pod_builder_prop(&builder, SPA_FORMAT_VIDEO_format, 0);
    spa_pod_frame choice;
    spa_pod_builder_push_choice(&builder, &choice, SPA_CHOICE_Enum, 0);
    spa_pod_builder_id(&builder, formats.front()); // the default
    for (uint32_t format : formats)
        spa_pod_builder_id(&builder, format);
    spa_pod_builder_pop(&builder, &choice);
    const spa_rectangle size{640, 480};
    const spa_rectangle least{1, 1};
    const spa_rectangle most{MaxSide, MaxSide};
    const spa_fraction rate{0, 1};
    const spa_fraction slowest{0, 1};
    const spa_fraction fastest{1000, 1};
    spa_pod_builder_add(&builder, SPA_FORMAT_VIDEO_size, SPA_POD_CHOICE_RANGE_Rectangle(&size, &least, &most),
                        SPA_FORMAT_VIDEO_framerate, SPA_POD_CHOICE_RANGE_Fraction(&rate, &slowest, &fastest), 0);
    return static_cast<const spa_pod*>(spa_pod_builder_pop(&builder, &object));
}

std::optional<TVideoFormat> ParseVideoFormat(const spa_pod* param)
{
    if (!param)
        return std::nullopt;
    uint32_t mediaType = 0;
    uint32_t mediaSubtype = 0;
    if (spa_format_parse(param, &mediaType, &mediaSubtype) < 0 || mediaType != SPA_MEDIA_TYPE_video
        || mediaSubtype != SPA_MEDIA_SUBTYPE_raw)
        return std::nullopt;
    spa_video_info_raw info{};
    if (spa_format_video_raw_parse(param, &info) < 0 || !VideoLayout(info.format))
        return std::nullopt;
    if (info.size.width < 1 || info.size.height < 1 || info.size.width > MaxSide || info.size.height > MaxSide)
        return std::nullopt;
    return TVideoFormat{info.format, QSize(int(info.size.width), int(info.size.height))};
}

QImage CopyVideoFrame(const uint8_t* data, size_t size, int stride, uint32_t format, QSize frame, QRect crop)
{
    const std::optional<TVideoLayout> layout = VideoLayout(format);
    if (!data || !layout || frame.isEmpty() || frame.width() > MaxSide || frame.height() > MaxSide || stride < 0)
        return {};
    const size_t row = size_t(frame.width()) * size_t(layout->BytesPerPixel);
    if (size_t(stride) < row)
        return {};
    // The last row needs only its pixels, not the padding after them.
    if (size < size_t(stride) * size_t(frame.height() - 1) + row)
        return {};
    const QRect area = crop.isEmpty() ? QRect(QPoint(0, 0), frame) : crop.intersected(QRect(QPoint(0, 0), frame));
    if (area.isEmpty())
        return {};
    QImage image(area.size(), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const int bpp = layout->BytesPerPixel;
    for (int y = 0; y < area.height(); ++y) {
        const uint8_t* source = data + size_t(stride) * size_t(area.top() + y) + size_t(area.left()) * size_t(bpp);
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(y));
        if (Q_BYTE_ORDER == Q_LITTLE_ENDIAN
            && (layout->Format == SPA_VIDEO_FORMAT_BGRx || layout->Format == SPA_VIDEO_FORMAT_BGRA)) {
            // Already the byte order of RGB32 on this machine; only the alpha byte is set.
            std::memcpy(target, source, size_t(area.width()) * 4);
            for (int x = 0; x < area.width(); ++x)
                target[x] |= 0xFF000000u;
            continue;
        }
        for (int x = 0; x < area.width(); ++x, source += bpp)
            target[x] = qRgb(source[layout->R], source[layout->G], source[layout->B]);
    }
    return image;
}
