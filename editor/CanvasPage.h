#pragma once
// TCanvasPage, the "Editing" page: the editing toolbar, the canvas (the
// current frame with its figures) in its scroll box, and the property panel
// beside it with the default-properties commands and the figure property
// pages. Pointer events on the canvas go to the editor core.
#include <QWidget>

#include "editor/CommandGuard.h"

#include <QList>

class QAction;
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
    TPropertySheets& Sheets() const { return *DrawObjectControl; }
    void SetCursor(TCanvasCursor cursor);
    // The canvas's picture and size at start-up: white, 200 x 200.
    void ResetCanvas(const TBitmap& white);

    // The property panel's width, stored with the window settings.
    int PropertyPanelWidth() const;
    QSplitter* Splitter() const { return EditorSplitter; }

private:
    // The property panel's width at start: the design width, or wider when
    // the seven page tabs need it to show side by side without scrolling.
    int StartPanelWidth(int designPanelWidth) const;

    QToolBar* EditToolBar = nullptr;
    QScrollArea* ScrollBox = nullptr;
    TImagePanel* FramePanel = nullptr; // the canvas
    QScrollArea* DrawObjectScroll = nullptr;
    TPropertySheets* DrawObjectControl = nullptr;
    QSplitter* EditorSplitter = nullptr;
};
