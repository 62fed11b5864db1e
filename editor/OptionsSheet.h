#pragma once
// TOptionsSheet, the "Options" page: the background GIF and picture, the
// colour, frame size and transparency, the durations and the loop. It owns
// its controls and hands their edits to the page's logic (TOptionsPage).
#include <QWidget>

#include "editor/CommandGuard.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class TBitmap;
class TColorShape;
class TImagePanel;
class TOptionsPage;
struct TCommandStates;

class TOptionsSheet : public QWidget {
    Q_OBJECT
public:
    explicit TOptionsSheet(QWidget* parent = nullptr);

    // Hands every edit of the page's controls to `page`, run through `guard`.
    void Wire(TOptionsPage& page, const TGuard& guard);
    // Refills the controls from the page's logic; `backPicture` is the project's
    // background picture, `no` the placeholder of empty preview boxes.
    void Show(const TOptionsPage& page, const TBitmap& backPicture, const TBitmap& no);
    void ShowStates(const TCommandStates& states);
    // "Open GIF" of the main toolbar does what "Open" beside "GIF File" does.
    void OpenGIF();
    // Shows the user's "Optimise" setting (kept in the settings file, not the project).
    void ShowOptimise(bool on);

private:
    QPushButton* GIFOpenButton = nullptr;
    QPushButton* GIFDeleteButton = nullptr;
    TImagePanel* GIFImage = nullptr;
    QLabel* GIFDimensionsLabel = nullptr;
    QLabel* BackFramesCountLabel = nullptr;
    QPushButton* PictureOpenButton = nullptr;
    QPushButton* PictureDeleteButton = nullptr;
    TImagePanel* PictureImage = nullptr;
    QLabel* PictureDimensionsLabel = nullptr;
    TColorShape* BackColorShape = nullptr;
    QPushButton* BackColorButton = nullptr;
    QSpinBox* BackWidthSpin = nullptr;
    QSpinBox* BackHeightSpin = nullptr;
    QCheckBox* ProportionalCheck = nullptr;
    QCheckBox* BackTransparentCheck = nullptr;
    QSpinBox* FrameDelaySpin = nullptr;
    QCheckBox* InfinityCheck = nullptr;
    QSpinBox* TimesSpin = nullptr;
    QCheckBox* OptimiseCheck = nullptr; // Save GIF writes only what changes (a user setting)
};
