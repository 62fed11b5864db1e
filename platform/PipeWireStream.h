#pragma once
// A PipeWire video stream read on the window thread: the PipeWire loop's
// descriptor is watched by the Qt event loop, so frames arrive between other
// events, with no thread of their own. The stream negotiates a packed RGB
// format, copies each buffer out (stride and crop region applied) and keeps
// only the latest picture; when the node goes away the stream has ended.
#include <QImage>
#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>

inline const QString QNoPipeWire = QStringLiteral("Cannot connect to PipeWire to receive the shared screen");
inline const QString QNoPicture = QStringLiteral("The shared screen sent no picture");

class TPipeWireStream : public QObject {
    Q_OBJECT
public:
    // Connects to the PipeWire remote `fd` (taken over, closed in every case)
    // and to its node `nodeId`. Raises EScreenGrabError(QNoPipeWire).
    TPipeWireStream(int fd, uint32_t nodeId);
    ~TPipeWireStream() override;

    // Runs events until the first picture came, the stream ended or `timeout`
    // ms passed; true with a picture.
    bool WaitForFrame(int timeout);
    // The latest picture (RGB32), null before the first.
    const QImage& Latest() const { return FLatest; }
    // Counts the pictures received, so that a caller sees a new one.
    uint64_t Frames() const { return FFrames; }
    bool Ended() const { return FEnded; }
    // Why the stream ended, if PipeWire said.
    QString Error() const { return FError; }

    // Takes what PipeWire has sent meanwhile, without waiting.
    void Poll();

    struct TState; // PipeWire objects and their listeners
private:
    friend struct TState;

    std::unique_ptr<TState> State;
    QImage FLatest;
    uint64_t FFrames = 0;
    bool FEnded = false;
    QString FError;
};
