#pragma once
// An image control: shows a picture from its top-left corner at its zoom (1:1
// unless set; or, with Stretch, scaled to fit keeping its proportions) and
// reports the mouse in the picture's pixels. Serves as the canvas
// (FramePanel), the frame strip (FramesImage) and the preview boxes.
#include "editor/core/CanvasZoom.h"
#include "platform/Bitmap.h"

#include <QWidget>

class QMenu;

class TImagePanel : public QWidget {
    Q_OBJECT
public:
    explicit TImagePanel(QWidget* parent = nullptr);

    // The picture shown. After drawing on Picture().Canvas(), call update() to repaint.
    TBitmap& Picture() { return fPicture; }
    const TBitmap& Picture() const { return fPicture; }
    void SetPicture(const TBitmap& picture); // repaints; cheap (the pixels are shared)

    bool Stretch() const { return fStretch; }
    void SetStretch(bool value);

    // The magnification of the picture (not with Stretch); the owner sizes the panel.
    const TCanvasZoom& Zoom() const { return fZoom; }
    void SetZoom(const TCanvasZoom& zoom);
    // The picture pixel under a point of the panel.
    TPoint PicturePoint(const QPointF& p) const;

    // Colour shown where the picture does not reach.
    void SetFillColor(const QColor& color);

    QSize sizeHint() const override;

signals:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers keys, int x, int y);
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers keys, int x, int y);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers keys, int x, int y);
    void Resized();
    // x, y: the picture's pixel under the pointer.
    // The panel's actions are about to be shown as its context menu.
    void MenuOpening();

protected:
    // A panel with ActionsContextMenu opens its menu on the right button's
    // release, after MouseUp, so that a right click reaches the panel whole;
    // the menu key opens it at once.
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PopupMenu(const QPoint& globalPos);

    QMenu* fMenu = nullptr;
    TBitmap fPicture;
    TCanvasZoom fZoom;
    bool fStretch = false;
    QColor fFillColor;
};
