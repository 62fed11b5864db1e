#pragma once
// An image control: shows a picture at 1:1 from its top-left corner (or, with
// Stretch, scaled to fit keeping its proportions) and reports the mouse. Serves
// as the canvas (FramePanel), the frame strip (FramesImage) and the preview boxes.
#include "platform/Bitmap.h"

#include <QWidget>

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

    // Colour shown where the picture does not reach.
    void SetFillColor(const QColor& color);

    QSize sizeHint() const override;

signals:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers keys, int x, int y);
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers keys, int x, int y);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers keys, int x, int y);
    void Resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    TBitmap fPicture;
    bool fStretch = false;
    QColor fFillColor;
};
