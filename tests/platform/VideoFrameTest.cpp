// Frames of a shared screen: which formats are offered and accepted, and the
// copy of synthetic buffers with padded rows and crop regions.
#include "platform/VideoFrame.h"

#include <gtest/gtest.h>
#include <spa/param/video/format-utils.h>
#include <spa/pod/builder.h>
#include <vector>

namespace {

// A buffer of `height` rows of `stride` bytes whose pixel (x, y) has red x,
// green y and blue 7, in the byte order of `format`; padding is 0xEE.
std::vector<uint8_t> Buffer(uint32_t format, int width, int height, int stride)
{
    const TVideoLayout layout = *VideoLayout(format);
    std::vector<uint8_t> bytes(size_t(stride) * height, 0xEE);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = bytes.data() + size_t(y) * stride + size_t(x) * layout.BytesPerPixel;
            for (int i = 0; i < layout.BytesPerPixel; ++i)
                p[i] = 0x55; // the alpha or padding byte, never shown
            p[layout.R] = uint8_t(x);
            p[layout.G] = uint8_t(y);
            p[layout.B] = 7;
        }
    return bytes;
}

std::optional<TVideoFormat> Parse(uint32_t format, uint32_t width, uint32_t height, uint32_t subtype = SPA_MEDIA_SUBTYPE_raw)
{
    uint8_t bytes[1024];
    spa_pod_builder builder = SPA_POD_BUILDER_INIT(bytes, sizeof(bytes));
    const spa_rectangle size{width, height};
    const auto* pod = static_cast<const spa_pod*>(spa_pod_builder_add_object(
        &builder, SPA_TYPE_OBJECT_Format, SPA_PARAM_Format, SPA_FORMAT_mediaType, SPA_POD_Id(SPA_MEDIA_TYPE_video),
        SPA_FORMAT_mediaSubtype, SPA_POD_Id(subtype), SPA_FORMAT_VIDEO_format, SPA_POD_Id(format),
        SPA_FORMAT_VIDEO_size, SPA_POD_Rectangle(&size)));
    return ParseVideoFormat(pod);
}

} // namespace

TEST(VideoFrameTest, TheOfferListsThePackedRgbFormatsAndTheStreamsAnswerIsChecked)
{
    uint8_t bytes[1024];
    spa_pod_builder builder = SPA_POD_BUILDER_INIT(bytes, sizeof(bytes));
    const spa_pod* offer = BuildEnumFormat(builder);
    ASSERT_NE(offer, nullptr);
    uint32_t type = 0;
    uint32_t subtype = 0;
    ASSERT_GE(spa_format_parse(offer, &type, &subtype), 0);
    EXPECT_EQ(type, SPA_MEDIA_TYPE_video);
    EXPECT_EQ(subtype, SPA_MEDIA_SUBTYPE_raw);
    const spa_pod_prop* prop = spa_pod_find_prop(offer, nullptr, SPA_FORMAT_VIDEO_format);
    ASSERT_NE(prop, nullptr);
    uint32_t count = 0;
    uint32_t choice = 0;
    const spa_pod* values = spa_pod_get_values(&prop->value, &count, &choice);
    EXPECT_EQ(choice, uint32_t(SPA_CHOICE_Enum));
    const auto* ids = static_cast<const uint32_t*>(SPA_POD_BODY_CONST(values));
    const std::vector<uint32_t> offered(ids + 1, ids + count); // after the default
    for (uint32_t format : {SPA_VIDEO_FORMAT_BGRx, SPA_VIDEO_FORMAT_RGBx, SPA_VIDEO_FORMAT_BGRA, SPA_VIDEO_FORMAT_RGBA})
        EXPECT_NE(std::find(offered.begin(), offered.end(), format), offered.end()) << format;
    EXPECT_EQ(ids[0], uint32_t(SPA_VIDEO_FORMAT_BGRx));

    const auto chosen = Parse(SPA_VIDEO_FORMAT_RGBx, 640, 480);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->Format, uint32_t(SPA_VIDEO_FORMAT_RGBx));
    EXPECT_EQ(chosen->Size, QSize(640, 480));
    EXPECT_FALSE(Parse(SPA_VIDEO_FORMAT_I420, 640, 480)); // planar: not read
    EXPECT_FALSE(Parse(SPA_VIDEO_FORMAT_BGRx, 640, 480, SPA_MEDIA_SUBTYPE_mjpg));
    EXPECT_FALSE(Parse(SPA_VIDEO_FORMAT_BGRx, 0, 480));
    EXPECT_FALSE(Parse(SPA_VIDEO_FORMAT_BGRx, 100000, 480));
    EXPECT_FALSE(ParseVideoFormat(nullptr));
}

TEST(VideoFrameTest, EveryFormatCopiesThroughPaddedRowsAndCrops)
{
    for (uint32_t format : OfferedVideoFormats()) {
        const int bpp = VideoLayout(format)->BytesPerPixel;
        const int stride = 20 * bpp + 12; // padded rows
        const std::vector<uint8_t> bytes = Buffer(format, 20, 10, stride);
        const QImage whole = CopyVideoFrame(bytes.data(), bytes.size(), stride, format, QSize(20, 10));
        ASSERT_EQ(whole.size(), QSize(20, 10)) << format;
        EXPECT_EQ(whole.format(), QImage::Format_RGB32);
        EXPECT_EQ(whole.pixel(0, 0), qRgb(0, 0, 7)) << format;
        EXPECT_EQ(whole.pixel(19, 9), qRgb(19, 9, 7)) << format;

        const QImage cut = CopyVideoFrame(bytes.data(), bytes.size(), stride, format, QSize(20, 10), QRect(5, 2, 8, 3));
        ASSERT_EQ(cut.size(), QSize(8, 3)) << format;
        EXPECT_EQ(cut.pixel(0, 0), qRgb(5, 2, 7)) << format;
        EXPECT_EQ(cut.pixel(7, 2), qRgb(12, 4, 7)) << format;
    }
}

TEST(VideoFrameTest, BuffersThatDoNotHoldWhatTheyClaimAreRefused)
{
    const uint32_t bgrx = SPA_VIDEO_FORMAT_BGRx;
    const std::vector<uint8_t> bytes = Buffer(bgrx, 16, 8, 64);
    // The last row needs only its pixels.
    EXPECT_FALSE(CopyVideoFrame(bytes.data(), 64 * 7 + 64, 64, bgrx, QSize(16, 8)).isNull());
    EXPECT_TRUE(CopyVideoFrame(bytes.data(), 64 * 7 + 63, 64, bgrx, QSize(16, 8)).isNull());
    EXPECT_TRUE(CopyVideoFrame(bytes.data(), bytes.size(), 60, bgrx, QSize(16, 8)).isNull()); // stride < row
    EXPECT_TRUE(CopyVideoFrame(bytes.data(), bytes.size(), 64, SPA_VIDEO_FORMAT_I420, QSize(16, 8)).isNull());
    EXPECT_TRUE(CopyVideoFrame(nullptr, bytes.size(), 64, bgrx, QSize(16, 8)).isNull());
    EXPECT_TRUE(CopyVideoFrame(bytes.data(), bytes.size(), 64, bgrx, QSize(0, 8)).isNull());
    // A crop beyond the frame is cut to it; one wholly outside gives nothing.
    EXPECT_EQ(CopyVideoFrame(bytes.data(), bytes.size(), 64, bgrx, QSize(16, 8), QRect(10, 4, 50, 50)).size(),
              QSize(6, 4));
    EXPECT_TRUE(CopyVideoFrame(bytes.data(), bytes.size(), 64, bgrx, QSize(16, 8), QRect(20, 0, 4, 4)).isNull());
}
