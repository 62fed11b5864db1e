#pragma once
// TDesktopForm, "Screen": a borderless window over the whole desktop showing a
// snapshot of it, on which the user drags out the rectangle to record. A frame
// 3 pixels wide in inverting mode follows the pointer; releasing the button
// ends the choice.
#include "platform/Bitmap.h"
#include "platform/Types.h"

#include <QDialog>
#include <QImage>
#include <functional>

class TDesktopForm : public QDialog {
    Q_OBJECT
public:
    explicit TDesktopForm(QWidget* parent);

    // Covers the desktop at `screen` (virtual desktop coordinates) with the snapshot.
    void ShowSnapshot(const TBitmap& snapshot, const TRect& screen);

    // Pointer handlers; x, y are window coordinates.
    void FormMouseDown(int x, int y);
    void FormMouseMove(int x, int y);
    void FormMouseUp(int x, int y);

    // The chosen rectangle in desktop coordinates, corners included.
    TRect Rect() const { return FRect; }
    bool IsDraw() const { return FIsDraw; }
    // What the window shows: the snapshot with the frame.
    const QImage& Image() const { return FImage; }

    // Called after the button is released and the window hidden.
    std::function<void(const TRect&)> Selected;
    // Called when Escape leaves the window without a new rectangle.
    std::function<void()> Cancelled;
    // Escape: the window goes without a new rectangle.
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Corner in desktop coordinates from a window position. The window covers
    // the area exactly on X11; a Wayland desktop gives it the size of its
    // screen, so positions are scaled to the shared picture.
    TPoint ToDesktop(int x, int y) const;
    void DrawRect();

    QImage FSnapshot;   // the desktop as it was when the choice began
    QImage FImage;      // FSnapshot with the inverted frame of FRect
    TPoint FOrigin;     // the window's top-left corner on the desktop
    QSize FArea;        // the desktop's size in its coordinates
    int X1 = 0;
    int Y1 = 0;
    int X2 = 0;
    int Y2 = 0;
    TRect FRect;
    bool FIsDraw = false;
};
