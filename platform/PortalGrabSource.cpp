#include "platform/PortalGrabSource.h"

#include "platform/PipeWireStream.h"
#include "platform/ScreenCastPortal.h"
#include "platform/ScreenGrab.h"

#include <QPainter>

TPortalGrabSource::TPortalGrabSource() = default;
TPortalGrabSource::~TPortalGrabSource() = default;

void TPortalGrabSource::Open()
{
    if (Stream) {
        if (Ended())
            throw EScreenGrabError(QPortalRefused);
        return;
    }
    auto portal = std::make_unique<TScreenCastPortal>();
    const std::vector<TScreenCastStream> streams = portal->Start();
    auto stream = std::make_unique<TPipeWireStream>(portal->OpenPipeWireRemote(), streams.front().NodeId);
    if (!stream->WaitForFrame(FirstFrameTimeout))
        throw EScreenGrabError(stream->Ended() && !stream->Error().isEmpty()
                                   ? QNoPipeWire + QStringLiteral(": ") + stream->Error()
                                   : QNoPicture);
    Portal = std::move(portal);
    Stream = std::move(stream);
}

TRect TPortalGrabSource::Area() const
{
    if (!Stream || Stream->Latest().isNull())
        return {};
    return {0, 0, Stream->Latest().width(), Stream->Latest().height()};
}

void TPortalGrabSource::Grab(TBitmap& bitmap, TPoint leftTop, int width, int height)
{
    if (!Stream || width <= 0 || height <= 0)
        throw EScreenGrabError(QNoDeviceContext);
    Stream->Poll(); // a picture that came meanwhile is the one cut
    const QImage& latest = Stream->Latest();
    const QRect wanted(leftTop.X, leftTop.Y, width, height);
    QImage image;
    if (latest.rect().contains(wanted)) {
        image = latest.copy(wanted);
    } else {
        // Outside the shared picture stays black, as off the screen under X11.
        image = QImage(wanted.size(), QImage::Format_RGB32);
        if (image.isNull())
            throw EScreenGrabError(QNoDeviceContext);
        image.fill(Qt::black);
        const QRect inside = wanted.intersected(latest.rect());
        if (!inside.isEmpty()) {
            QPainter painter(&image);
            painter.drawImage(inside.topLeft() - wanted.topLeft(), latest, inside);
        }
    }
    bitmap = TBitmap(image);
}

bool TPortalGrabSource::Ended() const
{
    return (Stream && Stream->Ended()) || (Portal && Portal->Closed());
}
