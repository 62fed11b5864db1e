#pragma once
// A colour swatch beside a "..." button (BackColorShape, FigureColorShape, ...).
#include "platform/Color.h"

#include <QFrame>

class TColorShape : public QFrame {
    Q_OBJECT
public:
    explicit TColorShape(QWidget* parent = nullptr);

    TColor Color() const { return fColor; }
    void SetColor(TColor color);

    QSize sizeHint() const override { return {40, 22}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TColor fColor = clWhite;
};
