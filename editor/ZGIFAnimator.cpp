#include "editor/ZGIFAnimator.h"

#include <QPaintEvent>
#include <QPainter>
#include <exception>

TZGIFAnimator::TZGIFAnimator(QWidget* parent) : QWidget(parent)
{
    fTimer.setSingleShot(true);
    fTimer.setTimerType(Qt::PreciseTimer); // a coarse timer may fire 5% early
    connect(&fTimer, &QTimer::timeout, this, &TZGIFAnimator::TimerFired);

    fCore.OnChange = [this] { emit OnChange(); };
    fCore.OnFrameChanged = [this] { emit OnFrameChanged(); };
    fCore.OnStart = [this] { emit OnStart(); };
    fCore.OnStop = [this] { emit OnStop(); };
    fCore.OnRepaint = [this] { update(); };
    fCore.OnPictureChanged = [this] { PictureChanged(); };
    fCore.CanStep = [this] { return isVisible() && parentWidget() != nullptr; };
    fCore.OnIntervalChanged = [this](int milliseconds) {
        fInterval = milliseconds;
        // A new interval restarts the wait of a running animation.
        if (fCore.Animate() && milliseconds > 0)
            fTimer.start(milliseconds);
    };
    fCore.OnTimerEnabled = [this](bool enabled) {
        if (enabled)
            fTimer.start(0); // the first step comes at once
        else
            fTimer.stop();
    };
}

TZGIFAnimator::~TZGIFAnimator()
{
    fCore.OnTimerEnabled = nullptr;
    fTimer.stop();
    fCore.OnChange = nullptr;
    fCore.OnFrameChanged = nullptr;
    fCore.OnStart = nullptr;
    fCore.OnStop = nullptr;
    fCore.OnRepaint = nullptr;
    fCore.OnPictureChanged = nullptr;
}

void TZGIFAnimator::TimerFired()
{
    fCore.Step();
    // Stepping re-arms the timer through the new interval; a skipped step waits again.
    if (fCore.Animate() && !fTimer.isActive() && fInterval > 0)
        fTimer.start(fInterval);
}

void TZGIFAnimator::SetAutoSize(bool value)
{
    if (value == FAutoSize)
        return;
    FAutoSize = value;
    PictureChanged();
}

void TZGIFAnimator::PictureChanged()
{
    if (FAutoSize && !Image().Empty())
        resize(Image().ScreenWidth(), Image().ScreenHeight());
    update();
}

void TZGIFAnimator::paintEvent(QPaintEvent*)
{
    // Nothing is filled first: the parent's background shows wherever the
    // picture is transparent or absent.
    if (fCore.NothingToPaint())
        return;
    TColor key = clNone;
    TBitmap picture;
    try {
        picture = fCore.Composition(key);
    } catch (const std::exception&) {
        return; // a frame that cannot be decoded shows nothing
    }
    if (picture.Empty())
        return;
    const TRect place = fCore.Placement(width(), height(), picture.Width(), picture.Height());
    const bool keyed = key != clNone && fCore.Transparent();
    picture.SetTransparent(keyed);
    if (keyed)
        picture.SetTransparentColor(key);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(place.toQRect(), keyed ? picture.KeyedImage() : picture.ConstImage());
}
