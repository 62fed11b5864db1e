#pragma once
// TStripPage, the frame strip under the pages: the frames' thumbnails, their
// scroll bar, the current frame's duration and the go-to box. Clicks, scrolls
// and resizes go to the editor core, which draws the strip.
#include <QWidget>

#include "editor/CommandGuard.h"

class QAction;
class QScrollBar;
class QSpinBox;
class TEditorCore;
class TImagePanel;
class TOptionsPage;
struct TCommandStates;

class TStripPage : public QWidget {
    Q_OBJECT
public:
    // frameActions: the frame commands offered by the strip's context menu.
    explicit TStripPage(const QList<QAction*>& frameActions, QWidget* parent = nullptr);

    void Wire(TEditorCore& core, TOptionsPage& page, const TGuard& guard);
    // Shows the core's strip bitmap and scroll values.
    void ShowStrip(const TEditorCore& core);
    // "Go to Frame #" shows the current frame of `count`.
    void ShowGoTo(int count, int index);
    void ShowCurrentDelay(int delay);
    void ShowStates(const TCommandStates& states);
    // Resets the scroll bar at start-up.
    void ResetScroll();

    // Frame pictures' height (stored with the window settings).
    int FramesImageHeight() const;
    TImagePanel* Frames() const { return FramesImage; }
    // "Go to Frame #" was left with a frame number in range.
    std::function<void(int)> GoTo;

private:
    TImagePanel* FramesImage = nullptr;
    QScrollBar* FramesScrollBar = nullptr;
    QWidget* OtherFramesScrollPanel = nullptr;
    QSpinBox* CurrentFrameDelaySpin = nullptr;
    QSpinBox* GoSpin = nullptr;
};
