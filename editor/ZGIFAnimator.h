#pragma once
// TZGIFAnimator: the control that shows and plays a TZGIFImage. The playing
// logic lives in TZGIFAnimatorCore; this widget owns the timer and paints.
// The timer is a single-shot QTimer re-armed with each frame's delay: switching
// Animate on advances at once, then every frame stays up for its own delay.
#include "gif/ZGIFAnimatorCore.h"

#include <QTimer>
#include <QWidget>

class TZGIFAnimator : public QWidget {
    Q_OBJECT
public:
    explicit TZGIFAnimator(QWidget* parent = nullptr);
    ~TZGIFAnimator() override;

    TZGIFImage& Image() { return fCore.Image(); }
    void SetImage(const TZGIFImage& image) { fCore.SetImage(image); }
    int FrameIndex() const { return fCore.FrameIndex(); }
    void SetFrameIndex(int value) { fCore.SetFrameIndex(value); }
    bool Animate() const { return fCore.Animate(); }
    void SetAnimate(bool value) { fCore.SetAnimate(value); }
    bool Loop() const { return fCore.Loop(); }
    void SetLoop(bool value) { fCore.SetLoop(value); }
    bool Stretch() const { return fCore.Stretch(); }
    void SetStretch(bool value) { fCore.SetStretch(value); }
    bool Center() const { return fCore.Center(); }
    void SetCenter(bool value) { fCore.SetCenter(value); }
    bool Transparent() const { return fCore.Transparent(); }
    void SetTransparent(bool value) { fCore.SetTransparent(value); }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    // Kept for the stored settings; frames always step on the window's thread.
    bool AsyncDrawing() const { return FAsyncDrawing; }
    void SetAsyncDrawing(bool value) { FAsyncDrawing = value; }
    bool Threaded() const { return FThreaded; }
    void SetThreaded(bool value) { FThreaded = value; }

    bool GetFrameBitmap(int index, TColor& transColor, TBitmap& bitmap)
    {
        return fCore.GetFrameBitmap(index, transColor, bitmap);
    }
    TZGIFAnimatorCore& Core() { return fCore; }
    int TimerInterval() const { return fInterval; }
    bool TimerActive() const { return fTimer.isActive(); }

signals:
    void OnChange();
    void OnFrameChanged();
    void OnStart();
    void OnStop();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void TimerFired();
    void PictureChanged();

    TZGIFAnimatorCore fCore;
    QTimer fTimer;
    int fInterval = 1000;
    bool FAutoSize = true;
    bool FAsyncDrawing = false;
    bool FThreaded = true;
};
