#include "platform/PipeWireStream.h"

#include "platform/ScreenGrab.h"
#include "platform/VideoFrame.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <mutex>
#include <pipewire/pipewire.h>
#include <spa/buffer/meta.h>
#include <spa/param/video/format-utils.h>
#include <spa/pod/builder.h>
#include <unistd.h>

struct TPipeWireStream::TState {
    TPipeWireStream* Owner = nullptr;
    pw_loop* Loop = nullptr;
    pw_context* Context = nullptr;
    pw_core* Core = nullptr;
    pw_stream* Stream = nullptr;
    pw_registry* Registry = nullptr; // tells when the shared node goes away
    uint32_t NodeId = 0;
    spa_hook RegistryListener{};
    spa_hook CoreListener{};
    spa_hook StreamListener{};
    QSocketNotifier* Notifier = nullptr; // child of the owner
    TVideoFormat Format;
    bool Streaming = false;

    ~TState()
    {
        if (Stream) {
            spa_hook_remove(&StreamListener);
            pw_stream_destroy(Stream);
        }
        if (Registry) {
            spa_hook_remove(&RegistryListener);
            pw_proxy_destroy(reinterpret_cast<pw_proxy*>(Registry));
        }
        if (Core) {
            spa_hook_remove(&CoreListener);
            pw_core_disconnect(Core);
        }
        if (Context)
            pw_context_destroy(Context);
        if (Loop) {
            pw_loop_leave(Loop);
            pw_loop_destroy(Loop);
        }
    }

    void End(const QString& error)
    {
        if (!Owner->FEnded && Owner->FError.isEmpty())
            Owner->FError = error;
        Owner->FEnded = true;
    }

    static void CoreError(void* data, uint32_t id, int, int, const char* message)
    {
        auto* self = static_cast<TState*>(data);
        if (id == PW_ID_CORE)
            self->End(QString::fromUtf8(message ? message : "PipeWire disconnected"));
    }

    // A stream whose producer vanished only pauses; the node's removal is the end.
    static void GlobalRemoved(void* data, uint32_t id)
    {
        auto* self = static_cast<TState*>(data);
        if (id == self->NodeId)
            self->End({});
    }

    static void StateChanged(void* data, pw_stream_state, pw_stream_state state, const char* error)
    {
        auto* self = static_cast<TState*>(data);
        if (state == PW_STREAM_STATE_STREAMING)
            self->Streaming = true;
        else if (state == PW_STREAM_STATE_ERROR)
            self->End(QString::fromUtf8(error ? error : "stream error"));
        else if (state == PW_STREAM_STATE_UNCONNECTED)
            self->End({});
    }

    static void ParamChanged(void* data, uint32_t id, const spa_pod* param)
    {
        auto* self = static_cast<TState*>(data);
        if (id != SPA_PARAM_Format || !param)
            return;
        const std::optional<TVideoFormat> format = ParseVideoFormat(param);
        if (!format) {
            pw_stream_set_error(self->Stream, -EINVAL, "unsupported video format");
            return;
        }
        self->Format = *format;
        // Buffers in memory we can map, a header, and the crop region.
        uint8_t bytes[1024];
        spa_pod_builder builder = SPA_POD_BUILDER_INIT(bytes, sizeof(bytes));
        const spa_pod* params[3];
        params[0] = static_cast<const spa_pod*>(spa_pod_builder_add_object(
            &builder, SPA_TYPE_OBJECT_ParamBuffers, SPA_PARAM_Buffers, SPA_PARAM_BUFFERS_buffers,
            SPA_POD_CHOICE_RANGE_Int(8, 2, 16), SPA_PARAM_BUFFERS_dataType,
            SPA_POD_CHOICE_FLAGS_Int((1 << SPA_DATA_MemPtr) | (1 << SPA_DATA_MemFd))));
        params[1] = static_cast<const spa_pod*>(spa_pod_builder_add_object(
            &builder, SPA_TYPE_OBJECT_ParamMeta, SPA_PARAM_Meta, SPA_PARAM_META_type, SPA_POD_Id(SPA_META_Header),
            SPA_PARAM_META_size, SPA_POD_Int(sizeof(spa_meta_header))));
        params[2] = static_cast<const spa_pod*>(spa_pod_builder_add_object(
            &builder, SPA_TYPE_OBJECT_ParamMeta, SPA_PARAM_Meta, SPA_PARAM_META_type, SPA_POD_Id(SPA_META_VideoCrop),
            SPA_PARAM_META_size, SPA_POD_Int(sizeof(spa_meta_region))));
        pw_stream_update_params(self->Stream, params, 3);
    }

    static void Process(void* data)
    {
        auto* self = static_cast<TState*>(data);
        // Only the newest waiting buffer matters; older ones go straight back.
        pw_buffer* newest = nullptr;
        while (pw_buffer* buffer = pw_stream_dequeue_buffer(self->Stream)) {
            if (newest)
                pw_stream_queue_buffer(self->Stream, newest);
            newest = buffer;
        }
        if (!newest)
            return;
        self->Take(newest->buffer);
        pw_stream_queue_buffer(self->Stream, newest);
    }

    void Take(const spa_buffer* buffer)
    {
        if (!buffer || buffer->n_datas < 1 || Format.Size.isEmpty())
            return;
        const auto* header =
            static_cast<const spa_meta_header*>(spa_buffer_find_meta_data(buffer, SPA_META_Header, sizeof(spa_meta_header)));
        if (header && (header->flags & SPA_META_HEADER_FLAG_CORRUPTED))
            return;
        const spa_data& plane = buffer->datas[0];
        if (!plane.data || !plane.chunk || (plane.chunk->flags & SPA_CHUNK_FLAG_CORRUPTED))
            return;
        const uint32_t offset = plane.chunk->offset;
        const uint32_t size = plane.chunk->size;
        if (size == 0 || offset > plane.maxsize || size > plane.maxsize - offset)
            return; // an empty chunk repeats the last picture
        const int stride = plane.chunk->stride > 0
                               ? plane.chunk->stride
                               : Format.Size.width() * (VideoLayout(Format.Format) ? VideoLayout(Format.Format)->BytesPerPixel : 4);
        QRect crop;
        const auto* region =
            static_cast<const spa_meta_region*>(spa_buffer_find_meta_data(buffer, SPA_META_VideoCrop, sizeof(spa_meta_region)));
        if (region && spa_meta_region_is_valid(region))
            crop = QRect(region->region.position.x, region->region.position.y, int(region->region.size.width),
                         int(region->region.size.height));
        QImage image = CopyVideoFrame(static_cast<const uint8_t*>(plane.data) + offset, size, stride, Format.Format,
                                      Format.Size, crop);
        if (image.isNull())
            return;
        Owner->FLatest = std::move(image);
        ++Owner->FFrames;
    }
};

namespace {

const pw_core_events CoreEvents = [] {
    pw_core_events events{};
    events.version = PW_VERSION_CORE_EVENTS;
    events.error = &TPipeWireStream::TState::CoreError;
    return events;
}();

const pw_registry_events RegistryEvents = [] {
    pw_registry_events events{};
    events.version = PW_VERSION_REGISTRY_EVENTS;
    events.global_remove = &TPipeWireStream::TState::GlobalRemoved;
    return events;
}();

const pw_stream_events StreamEvents = [] {
    pw_stream_events events{};
    events.version = PW_VERSION_STREAM_EVENTS;
    events.state_changed = &TPipeWireStream::TState::StateChanged;
    events.param_changed = &TPipeWireStream::TState::ParamChanged;
    events.process = &TPipeWireStream::TState::Process;
    return events;
}();

[[noreturn]] void Fail()
{
    throw EScreenGrabError(QNoPipeWire);
}

} // namespace

TPipeWireStream::TPipeWireStream(int fd, uint32_t nodeId) : State(std::make_unique<TState>())
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { pw_init(nullptr, nullptr); });
    TState& s = *State;
    s.Owner = this;
    s.Loop = pw_loop_new(nullptr);
    if (!s.Loop) {
        close(fd);
        Fail();
    }
    pw_loop_enter(s.Loop);
    s.Context = pw_context_new(s.Loop, nullptr, 0);
    if (!s.Context) {
        close(fd);
        Fail();
    }
    s.Core = pw_context_connect_fd(s.Context, fd, nullptr, 0); // owns fd from here, even on failure
    if (!s.Core)
        Fail();
    pw_core_add_listener(s.Core, &s.CoreListener, &CoreEvents, &s);
    s.NodeId = nodeId;
    s.Registry = pw_core_get_registry(s.Core, PW_VERSION_REGISTRY, 0);
    if (!s.Registry)
        Fail();
    pw_registry_add_listener(s.Registry, &s.RegistryListener, &RegistryEvents, &s);
    s.Stream = pw_stream_new(s.Core, "Zembra screen recording",
                             pw_properties_new(PW_KEY_MEDIA_TYPE, "Video", PW_KEY_MEDIA_CATEGORY, "Capture",
                                               PW_KEY_MEDIA_ROLE, "Screen", nullptr));
    if (!s.Stream)
        Fail();
    pw_stream_add_listener(s.Stream, &s.StreamListener, &StreamEvents, &s);
    uint8_t bytes[1024];
    spa_pod_builder builder = SPA_POD_BUILDER_INIT(bytes, sizeof(bytes));
    const spa_pod* params[1] = {BuildEnumFormat(builder)};
    if (pw_stream_connect(s.Stream, PW_DIRECTION_INPUT, nodeId,
                          pw_stream_flags(PW_STREAM_FLAG_AUTOCONNECT | PW_STREAM_FLAG_MAP_BUFFERS), params, 1)
        < 0)
        Fail();
    s.Notifier = new QSocketNotifier(pw_loop_get_fd(s.Loop), QSocketNotifier::Read, this);
    connect(s.Notifier, &QSocketNotifier::activated, this, [this] { Poll(); });
    Poll();
}

TPipeWireStream::~TPipeWireStream()
{
    if (State && State->Notifier)
        State->Notifier->setEnabled(false);
}

void TPipeWireStream::Poll()
{
    // Everything due now, without blocking.
    while (pw_loop_iterate(State->Loop, 0) > 0) {
    }
}

bool TPipeWireStream::WaitForFrame(int timeout)
{
    QElapsedTimer clock;
    clock.start();
    while (FFrames == 0 && !FEnded && clock.elapsed() < timeout) {
        QEventLoop wait;
        QTimer::singleShot(20, &wait, &QEventLoop::quit);
        wait.exec();
        Poll();
    }
    return FFrames > 0;
}
