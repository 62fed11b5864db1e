#pragma once
// TCanvasPage, the "Editing" page: the editing toolbar, the canvas (the
// current frame with its figures) in its scroll box, and the property panel
// beside it with the default-properties commands and the figure property
// pages. Pointer events on the canvas go to the editor core in frame
// coordinates. The page also owns the canvas's view: its zoom (25 %..800 %,
// Ctrl+wheel about the pointer, Ctrl++ / Ctrl+- / Ctrl+0, "Fit"), panning
// (scroll bars, Space+drag, middle-button drag) and the arrow keys that
// nudge the selected figures.
#include <QWidget>

#include "editor/CommandGuard.h"
#include "editor/core/CanvasZoom.h"

#include <QList>

class QAction;
class QLabel;
class QScrollArea;
class QSplitter;
class QToolBar;
class TBitmap;
class TEditorCore;
class TImagePanel;
class TPropertySheets;
enum class TCanvasCursor;

// A toolbar entry: the action and its button's object name; no action: a separator.
struct TToolEntry {
    QAction* Action = nullptr;
    QString Name;
};

class TCanvasPage : public QWidget {
    Q_OBJECT
public:
    // editTools: the editing toolbar; defaultsTools: the bar above the property
    // pages; canvasMenu: the canvas's context menu (no action: a separator).
    TCanvasPage(const QList<TToolEntry>& editTools, const QList<TToolEntry>& defaultsTools,
                const QList<QAction*>& canvasMenu, int designWidth, int designPanelWidth);

    // Pointer events on the canvas go to the core, run through guardPointer.
    void Wire(TEditorCore& core, const TGuard& guardPointer);

    TImagePanel* Canvas() const { return FramePanel; }
    // The canvas shows a frame of this size (at the zoom).
    void SetCanvasSize(int width, int height);
    // The view's magnification; `anchor` (a point of the scroll box's
    // viewport) keeps the frame point under it, by default the viewport's centre.
    int ZoomPercent() const { return fZoom.Percent(); }
    void SetZoomPercent(int percent);
    void SetZoomPercent(int percent, const QPointF& anchor);
    void ZoomIn() { SetZoomPercent(fZoom.StepIn()); }
    void ZoomOut() { SetZoomPercent(fZoom.StepOut()); }
    void ZoomFit();
    QScrollArea* Scroller() const { return ScrollBox; }
    TPropertySheets& Sheets() const { return *DrawObjectControl; }
    void SetCursor(TCanvasCursor cursor);
    // The canvas's picture and size at start-up: white, 200 x 200.
    void ResetCanvas(const TBitmap& white);

    // The property panel's width, stored with the window settings.
    int PropertyPanelWidth() const;
    QSplitter* Splitter() const { return EditorSplitter; }

protected:
    // Ctrl+wheel, panning and the arrow keys on the canvas.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildZoomTools();
    bool CanvasKey(class QKeyEvent* key);
    bool PanEvent(QEvent* event);
    // The panel's size and the core's pointer tolerances follow the zoom.
    void ApplyZoom();

    // The property panel's width at start: the design width, or wider when
    // the seven page tabs need it to show side by side without scrolling.
    int StartPanelWidth(int designPanelWidth) const;

    QToolBar* EditToolBar = nullptr;
    QScrollArea* ScrollBox = nullptr;
    TImagePanel* FramePanel = nullptr; // the canvas
    QScrollArea* DrawObjectScroll = nullptr;
    TPropertySheets* DrawObjectControl = nullptr;
    QSplitter* EditorSplitter = nullptr;
    QToolBar* ZoomToolBar = nullptr; // under the canvas
    QLabel* ZoomLabel = nullptr;
    TEditorCore* fCore = nullptr;
    TGuard fGuard;
    TCanvasZoom fZoom;
    QSize fFrameSize{200, 200};
    bool fSpaceHeld = false; // Space held on the canvas: the left button pans
    bool fPanning = false;
    QPoint fPanStart;        // the pointer (global) and the scroll values when panning began
    QPoint fPanScroll;
};
