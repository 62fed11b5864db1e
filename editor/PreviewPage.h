#pragma once
// TPreviewPage, the "Preview" page: the animation played in a black panel and
// its "Play", "Stop", "Start", "Previous", "Next" and "End" buttons, handed to
// the editor core.
#include <QWidget>

#include "editor/CommandGuard.h"

class QPushButton;
class TEditorCore;
class TZGIFAnimator;
class TZGIFImage;
struct TCommandStates;

class TPreviewPage : public QWidget {
    Q_OBJECT
public:
    explicit TPreviewPage(QWidget* parent = nullptr);

    // The preview control, made once the window's pages exist.
    TZGIFAnimator& CreateAnimator();
    TZGIFAnimator* Animator() const { return GIFAnimator; }

    // goTo moves to a frame (out-of-range values are ignored).
    void Wire(TEditorCore& core, const TGuard& guard, std::function<void(int)> goTo);
    // Fits the preview control into its panel, keeping the animation's proportions.
    void ResizeAnim(const TZGIFImage& animation);
    void ShowStates(const TCommandStates& states);
    // Stops a playing preview.
    void Stop();

    // The panel was resized: the preview control follows.
    std::function<void()> PanelResized;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* GIFAnimatorPanel = nullptr;
    QPushButton* PlayButton = nullptr;
    QPushButton* StopButton = nullptr;
    QPushButton* StartButton = nullptr;
    QPushButton* PreviousButton = nullptr;
    QPushButton* NextButton = nullptr;
    QPushButton* EndButton = nullptr;
    TZGIFAnimator* GIFAnimator = nullptr; // the preview control, in GIFAnimatorPanel
};
