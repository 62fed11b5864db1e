// TCanvasPage: the canvas's view — zoom, panning — and the arrow keys that
// nudge the selected figures.
#include "editor/CanvasPage.h"

#include "editor/ImagePanel.h"
#include "editor/core/EditorCore.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

namespace {

// The frame-size handle stays at least this many screen pixels wide, and a
// press moves at least this far before it counts as a drag.
constexpr int kHandleScreenPixels = 6;
constexpr int kClickScreenPixels = 4;

QAction* ZoomAction(QWidget* owner, const QString& name, const QString& caption, const QList<QKeySequence>& keys)
{
    auto* action = new QAction(caption, owner);
    action->setObjectName(name);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut); // while the "Editing" page is shown
    if (!keys.isEmpty())
        action->setToolTip(caption + QStringLiteral(" (") + keys.first().toString(QKeySequence::NativeText)
                           + QLatin1Char(')'));
    owner->addAction(action);
    return action;
}

} // namespace

void TCanvasPage::BuildZoomTools()
{
    QAction* zoomOut = ZoomAction(this, QStringLiteral("ZoomOutAct"), QStringLiteral("Zoom Out"),
                                  {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    QAction* zoomIn = ZoomAction(this, QStringLiteral("ZoomInAct"), QStringLiteral("Zoom In"),
                                 {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    QAction* actual = ZoomAction(this, QStringLiteral("ZoomResetAct"), QStringLiteral("100 %"),
                                 {QKeySequence(Qt::CTRL | Qt::Key_0)});
    QAction* fit = ZoomAction(this, QStringLiteral("ZoomFitAct"), QStringLiteral("Fit"), {});
    fit->setToolTip(QStringLiteral("Fit the frame into the canvas"));
    connect(zoomOut, &QAction::triggered, this, &TCanvasPage::ZoomOut);
    connect(zoomIn, &QAction::triggered, this, &TCanvasPage::ZoomIn);
    connect(actual, &QAction::triggered, this, [this] { SetZoomPercent(100); });
    connect(fit, &QAction::triggered, this, &TCanvasPage::ZoomFit);

    ZoomToolBar->addAction(zoomOut);
    ZoomLabel = new QLabel;
    ZoomLabel->setObjectName(QStringLiteral("ZoomLabel"));
    ZoomLabel->setAlignment(Qt::AlignCenter);
    ZoomLabel->setMinimumWidth(ZoomLabel->fontMetrics().horizontalAdvance(QStringLiteral(" 800 % ")));
    ZoomToolBar->addWidget(ZoomLabel);
    ZoomToolBar->addAction(zoomIn);
    ZoomToolBar->addSeparator();
    ZoomToolBar->addAction(actual);
    ZoomToolBar->addAction(fit);
    ApplyZoom();
}

void TCanvasPage::SetCanvasSize(int width, int height)
{
    fFrameSize = QSize(width, height);
    const TSize shown = fZoom.ToScreen({width, height});
    FramePanel->setFixedSize(shown.cx, shown.cy);
}

void TCanvasPage::SetZoomPercent(int percent)
{
    const QSize view = ScrollBox->viewport()->size();
    SetZoomPercent(percent, QPointF(view.width() / 2.0, view.height() / 2.0));
}

void TCanvasPage::SetZoomPercent(int percent, const QPointF& anchor)
{
    QScrollBar* h = ScrollBox->horizontalScrollBar();
    QScrollBar* v = ScrollBox->verticalScrollBar();
    // The frame point under the anchor, before and after.
    const double frameX = (anchor.x() + h->value()) / fZoom.Factor();
    const double frameY = (anchor.y() + v->value()) / fZoom.Factor();
    fZoom.SetPercent(percent);
    ApplyZoom();
    // The scroll box takes the panel's new size later; the ranges are needed now.
    const QSize view = ScrollBox->viewport()->size();
    h->setRange(0, std::max(h->maximum(), FramePanel->width() - view.width()));
    v->setRange(0, std::max(v->maximum(), FramePanel->height() - view.height()));
    const TPoint scroll = fZoom.ScrollKeeping(frameX, frameY, anchor.x(), anchor.y());
    h->setValue(scroll.X);
    v->setValue(scroll.Y);
}

void TCanvasPage::ZoomFit()
{
    const QSize view = ScrollBox->viewport()->size();
    SetZoomPercent(TCanvasZoom::FitPercent({fFrameSize.width(), fFrameSize.height()}, {view.width(), view.height()}));
}

void TCanvasPage::ApplyZoom()
{
    FramePanel->SetZoom(fZoom);
    SetCanvasSize(fFrameSize.width(), fFrameSize.height());
    if (ZoomLabel)
        ZoomLabel->setText(QString::number(fZoom.Percent()) + QStringLiteral(" %"));
    if (fCore)
        fCore->SetPointerTolerance(std::max(6, fZoom.FramePixels(kHandleScreenPixels)),
                                   fZoom.FramePixels(kClickScreenPixels));
}

bool TCanvasPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel && watched == ScrollBox->viewport()) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (!(wheel->modifiers() & Qt::ControlModifier))
            return false;
        const int steps = wheel->angleDelta().y() / 120;
        if (steps == 0)
            return true; // a fraction of a notch: wait for the rest
        TCanvasZoom next = fZoom;
        for (int i = 0; i < std::abs(steps); ++i)
            next.SetPercent(steps > 0 ? next.StepIn() : next.StepOut());
        SetZoomPercent(next.Percent(), wheel->position());
        return true;
    }
    if (watched != FramePanel)
        return false;
    if (PanEvent(event))
        return true;
    if (event->type() == QEvent::KeyPress)
        return CanvasKey(static_cast<QKeyEvent*>(event));
    return false;
}

bool TCanvasPage::PanEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Space || key->isAutoRepeat())
            return key->key() == Qt::Key_Space;
        fSpaceHeld = event->type() == QEvent::KeyPress;
        if (!fPanning)
            FramePanel->setCursor(fSpaceHeld ? Qt::OpenHandCursor : Qt::CrossCursor);
        return true;
    }
    case QEvent::FocusOut:
        fSpaceHeld = false;
        return false;
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const bool pan = mouse->button() == Qt::MiddleButton || (mouse->button() == Qt::LeftButton && fSpaceHeld);
        if (!pan || fPanning)
            return fPanning;
        fPanning = true;
        fPanStart = mouse->globalPosition().toPoint();
        fPanScroll = QPoint(ScrollBox->horizontalScrollBar()->value(), ScrollBox->verticalScrollBar()->value());
        FramePanel->setCursor(Qt::ClosedHandCursor);
        return true;
    }
    case QEvent::MouseMove: {
        if (!fPanning)
            return false;
        const QPoint moved = static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - fPanStart;
        ScrollBox->horizontalScrollBar()->setValue(fPanScroll.x() - moved.x());
        ScrollBox->verticalScrollBar()->setValue(fPanScroll.y() - moved.y());
        return true;
    }
    case QEvent::MouseButtonRelease: {
        if (!fPanning)
            return false;
        if (static_cast<QMouseEvent*>(event)->buttons() & (Qt::LeftButton | Qt::MiddleButton))
            return true; // the other panning button is still down
        fPanning = false;
        FramePanel->setCursor(fSpaceHeld ? Qt::OpenHandCursor : Qt::CrossCursor);
        return true;
    }
    default:
        return false;
    }
}

bool TCanvasPage::CanvasKey(QKeyEvent* key)
{
    if (!fCore || fCore->QCount() == 0)
        return false; // nothing to nudge: the scroll box scrolls
    const int step = (key->modifiers() & Qt::ShiftModifier) ? 10 : 1;
    int dx = 0;
    int dy = 0;
    switch (key->key()) {
    case Qt::Key_Left: dx = -step; break;
    case Qt::Key_Right: dx = step; break;
    case Qt::Key_Up: dy = -step; break;
    case Qt::Key_Down: dy = step; break;
    default: return false;
    }
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    fGuard([&] { fCore->NudgeSelection(dx, dy); });
    return true;
}
