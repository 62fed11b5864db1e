// The PipeWire consumer against a real PipeWire daemon (the session's): a video
// source of the test's own offers RGBx frames (not the consumer's first choice)
// with padded rows and a crop region, changes colour, and then goes away.
#include "platform/PipeWireStream.h"

#include <QElapsedTimer>
#include <QTest>
#include <atomic>
#include <gtest/gtest.h>
#include <pipewire/pipewire.h>
#include <spa/buffer/meta.h>
#include <spa/param/video/format-utils.h>
#include <spa/pod/builder.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr int Width = 64;
constexpr int Height = 48;
constexpr int Stride = Width * 4 + 40;
const QRect Crop(8, 4, 32, 24);

// A video source node driven by its own timer on a PipeWire thread: inside the
// crop region every pixel has Colour, outside it is white.
class TVideoSource {
public:
    TVideoSource()
    {
        pw_init(nullptr, nullptr);
        Loop = pw_thread_loop_new("zembra-test-source", nullptr);
        Context = pw_context_new(pw_thread_loop_get_loop(Loop), nullptr, 0);
        pw_thread_loop_start(Loop);
        pw_thread_loop_lock(Loop);
        Core = pw_context_connect(Context, nullptr, 0);
        if (Core) {
            Stream = pw_stream_new(Core, "zembra test source",
                                   pw_properties_new(PW_KEY_MEDIA_CLASS, "Video/Source", PW_KEY_MEDIA_TYPE, "Video",
                                                     nullptr));
            static const pw_stream_events events = [] {
                pw_stream_events e{};
                e.version = PW_VERSION_STREAM_EVENTS;
                e.param_changed = &TVideoSource::ParamChanged;
                e.process = &TVideoSource::Process;
                return e;
            }();
            pw_stream_add_listener(Stream, &Listener, &events, this);
            uint8_t bytes[512];
            spa_pod_builder builder = SPA_POD_BUILDER_INIT(bytes, sizeof(bytes));
            const spa_rectangle size{Width, Height};
            const spa_fraction rate{30, 1};
            const spa_pod* params[1] = {static_cast<const spa_pod*>(spa_pod_builder_add_object(
                &builder, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat, SPA_FORMAT_mediaType,
                SPA_POD_Id(SPA_MEDIA_TYPE_video), SPA_FORMAT_mediaSubtype, SPA_POD_Id(SPA_MEDIA_SUBTYPE_raw),
                SPA_FORMAT_VIDEO_format, SPA_POD_Id(SPA_VIDEO_FORMAT_RGBx), SPA_FORMAT_VIDEO_size,
                SPA_POD_Rectangle(&size), SPA_FORMAT_VIDEO_framerate, SPA_POD_Fraction(&rate)))};
            pw_stream_connect(Stream, PW_DIRECTION_OUTPUT, PW_ID_ANY,
                              pw_stream_flags(PW_STREAM_FLAG_DRIVER | PW_STREAM_FLAG_MAP_BUFFERS),
                              params, 1);
            Timer = pw_loop_add_timer(pw_thread_loop_get_loop(Loop), &TVideoSource::Tick, this);
            timespec first{0, 30'000'000};
            timespec every{0, 30'000'000};
            pw_loop_update_timer(pw_thread_loop_get_loop(Loop), Timer, &first, &every, false);
        }
        pw_thread_loop_unlock(Loop);
    }

    ~TVideoSource()
    {
        Stop();
        pw_thread_loop_stop(Loop);
        if (Core)
            pw_core_disconnect(Core);
        pw_context_destroy(Context);
        pw_thread_loop_destroy(Loop);
    }

    // The node's id once PipeWire gave it one, else SPA_ID_INVALID.
    uint32_t NodeId()
    {
        pw_thread_loop_lock(Loop);
        const uint32_t id = Stream ? pw_stream_get_node_id(Stream) : SPA_ID_INVALID;
        pw_thread_loop_unlock(Loop);
        return id;
    }

    // The node goes away, as a shared screen does when the user stops sharing.
    void Stop()
    {
        pw_thread_loop_lock(Loop);
        if (Stream) {
            spa_hook_remove(&Listener);
            pw_stream_destroy(Stream);
            Stream = nullptr;
        }
        pw_thread_loop_unlock(Loop);
    }

    std::atomic<QRgb> Colour{qRgb(0, 255, 0)};

private:
    static void Tick(void* data, uint64_t)
    {
        auto* self = static_cast<TVideoSource*>(data);
        if (self->Stream)
            pw_stream_trigger_process(self->Stream);
    }

    static void ParamChanged(void* data, uint32_t id, const spa_pod* param)
    {
        auto* self = static_cast<TVideoSource*>(data);
        if (id != SPA_PARAM_Format || !param)
            return;
        uint8_t bytes[512];
        spa_pod_builder builder = SPA_POD_BUILDER_INIT(bytes, sizeof(bytes));
        const spa_pod* params[2] = {
            static_cast<const spa_pod*>(spa_pod_builder_add_object(
                &builder, SPA_TYPE_OBJECT_ParamBuffers, SPA_PARAM_Buffers, SPA_PARAM_BUFFERS_buffers,
                SPA_POD_CHOICE_RANGE_Int(4, 2, 8), SPA_PARAM_BUFFERS_blocks, SPA_POD_Int(1), SPA_PARAM_BUFFERS_size,
                SPA_POD_Int(Stride * Height), SPA_PARAM_BUFFERS_stride, SPA_POD_Int(Stride))),
            static_cast<const spa_pod*>(spa_pod_builder_add_object(
                &builder, SPA_TYPE_OBJECT_ParamMeta, SPA_PARAM_Meta, SPA_PARAM_META_type,
                SPA_POD_Id(SPA_META_VideoCrop), SPA_PARAM_META_size, SPA_POD_Int(sizeof(spa_meta_region))))};
        pw_stream_update_params(self->Stream, params, 2);
    }

    static void Process(void* data)
    {
        auto* self = static_cast<TVideoSource*>(data);
        pw_buffer* buffer = pw_stream_dequeue_buffer(self->Stream);
        if (!buffer)
            return;
        spa_data& plane = buffer->buffer->datas[0];
        if (plane.data && plane.maxsize >= uint32_t(Stride * Height)) {
            auto* bytes = static_cast<uint8_t*>(plane.data);
            const QRgb colour = self->Colour;
            for (int y = 0; y < Height; ++y) {
                uint8_t* row = bytes + y * Stride;
                std::memset(row, 0xEE, Stride); // padding nobody may read
                for (int x = 0; x < Width; ++x) {
                    const QRgb c = Crop.contains(x, y) ? colour : qRgb(255, 255, 255);
                    row[x * 4] = uint8_t(qRed(c));
                    row[x * 4 + 1] = uint8_t(qGreen(c));
                    row[x * 4 + 2] = uint8_t(qBlue(c));
                    row[x * 4 + 3] = 0x10;
                }
            }
            plane.chunk->offset = 0;
            plane.chunk->size = uint32_t(Stride * Height);
            plane.chunk->stride = Stride;
        }
        if (auto* region = static_cast<spa_meta_region*>(
                spa_buffer_find_meta_data(buffer->buffer, SPA_META_VideoCrop, sizeof(spa_meta_region)))) {
            region->region.position = {Crop.x(), Crop.y()};
            region->region.size = {uint32_t(Crop.width()), uint32_t(Crop.height())};
        }
        pw_stream_queue_buffer(self->Stream, buffer);
    }

    pw_thread_loop* Loop = nullptr;
    pw_context* Context = nullptr;
    pw_core* Core = nullptr;
    pw_stream* Stream = nullptr;
    spa_hook Listener{};
    spa_source* Timer = nullptr;
};

// A connection to the session's PipeWire daemon, as the portal hands one out.
int ConnectToPipeWire()
{
    const QByteArray path = qgetenv("XDG_RUNTIME_DIR") + "/pipewire-0";
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.constData(), sizeof(address.sun_path) - 1);
    if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        if (fd >= 0)
            close(fd);
        return -1;
    }
    return fd;
}

template <typename Condition>
bool WaitFor(Condition condition, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < ms)
        QTest::qWait(10);
    return condition();
}

} // namespace

TEST(PipeWireStreamTest, TakesTheCroppedLatestPictureAndEndsWithTheNode)
{
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") || ConnectToPipeWire() < 0)
        GTEST_SKIP() << "no PipeWire daemon: run through wayland-session.sh";
    TVideoSource source;
    ASSERT_TRUE(WaitFor([&] { return source.NodeId() != SPA_ID_INVALID; }, 5000));
    TPipeWireStream stream(ConnectToPipeWire(), source.NodeId());
    ASSERT_TRUE(stream.WaitForFrame(10000)) << stream.Error().toStdString();
    EXPECT_EQ(stream.Latest().size(), Crop.size());
    EXPECT_EQ(stream.Latest().pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(stream.Latest().pixel(Crop.width() - 1, Crop.height() - 1), qRgb(0, 255, 0));

    source.Colour = qRgb(200, 10, 30);
    ASSERT_TRUE(WaitFor([&] {
        stream.Poll();
        return stream.Latest().pixel(5, 5) == qRgb(200, 10, 30);
    }, 5000));
    EXPECT_GT(stream.Frames(), 1u);
    EXPECT_FALSE(stream.Ended());

    source.Stop();
    EXPECT_TRUE(WaitFor([&] { return stream.Ended(); }, 5000)) << "the end of the node was not noticed";
    EXPECT_FALSE(stream.Latest().isNull()); // the last picture stays
}
