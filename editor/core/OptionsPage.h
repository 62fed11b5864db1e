#pragma once
// TOptionsPage: the "Options" page without widgets. It holds what the page's
// controls show (background colour swatch, frame size boxes, "Maintain Aspect
// Ratio", "Transparent", durations, loop, the labels and previews) and runs the
// page's commands on the editor core: background GIF and picture, colour,
// frame size, loop and durations, "Save GIF" and "Save Frame". The window
// fills its controls from these fields whenever Changed fires and calls the
// handlers with the values the user entered; tests and the headless commands
// call them directly.
#include "editor/core/EditorCore.h"
#include "platform/Bitmap.h"

#include <QString>
#include <functional>
#include <optional>

class TOptionsPage {
public:
    explicit TOptionsPage(TEditorCore& core);

    // The window refills the page's controls.
    std::function<void()> Changed;

    // --- What the controls show -------------------------------------------------
    // The swatch, "Transparent", "Maintain Aspect Ratio", the durations and the
    // loop show the project's settings (Core.Doc.Options); the rest is here.
    const TProjectOptions& Options() const { return Core.Doc.Options; }
    int BackWidth = 200;             // BackWidthSpin
    int BackHeight = 200;            // BackHeightSpin
    bool TimesEnabled() const { return !Core.Doc.Options.InfiniteLoop; } // "time(s)" and its label
    QString GIFDimensions;           // GIFDimensionsLabel
    QString BackFramesCount;         // BackFramesCountLabel
    QString PictureDimensions;       // PictureDimensionsLabel
    TBitmap GIFPreview;              // GIFImage; empty: the "No" placeholder
    bool PicturePreview = false;     // PictureImage shows BackBMP, else the placeholder

    // The reference size that "Maintain Aspect Ratio" keeps.
    int PropWidth = 200;
    int PropHeight = 200;

    // Saved copy of the page (SaveGIFParam / LoadGIFParam).
    bool GIFTransparent = false;
    bool GIFLoop = true;
    int GIFWidth = 200;
    int GIFHeight = 200;
    int GIFRepeatCount = 1;
    TColor GIFBackColor = clWhite;

    // Handler guards: IsParam is false while code sets "Transparent";
    // IsFramePanel false while the canvas sets the size boxes.
    bool IsParam = true;
    bool IsFramePanel = true;

    // --- Background GIF ---------------------------------------------------------
    // "Open" beside "GIF File": asks for the file unless one is given.
    void GIFOpenButtonClick(const std::optional<QString>& fileName = std::nullopt);
    // "Delete" beside "GIF File".
    void GIFDeleteButtonClick();
    // Takes the frames a tool put into BackGIF as the background.
    void LoadBackGIF(const QString& title);
    void DeleteBack();
    void DelBackGIF();
    void DelBackNum();
    bool IsBackGIF() const { return Core.Doc.Animation.BackGIF.Count() > 0; }
    // Finishes opening a background GIF whose composites are ready.
    void OpenEnd();

    // --- Background picture and colour ------------------------------------------
    void PictureOpenButtonClick(const std::optional<QString>& fileName = std::nullopt);
    void PictureDeleteButtonClick();
    void BackColorButtonClick();

    // --- Frame size, transparency, loop, durations ------------------------------
    void BackWidthSpinExit(int value);
    void BackHeightSpinExit(int value);
    void ProportionalCheckClick(bool checked);
    void BackTransparentCheckClick(bool checked);
    void InfinityCheckClick(bool checked);
    void TimesSpinExit(int value);
    void FrameDelaySpinExit(int value);
    void CurrentFrameDelaySpinExit(int value);
    // Shows the current frame's duration (when the animation has frames).
    void SetCurrentDelay();

    void SaveGIFParam();
    void LoadGIFParam();
    void SetWH();
    void SetProp();
    void SetSize(int width, int height);
    void SetSizeDef() { SetSize(200, 200); }

    // The page of a new project.
    void Clear();

    // --- Output -----------------------------------------------------------------
    // "Save GIF": asks for the file unless one is given.
    void SaveGIFButtonClick(const std::optional<QString>& fileName = std::nullopt);
    // "Optimise" beside it: Save GIF writes only what changes from frame to
    // frame. A setting of the user's, not of the project.
    bool OptimiseGIF = true;
    // "Save Frame": the current frame by the name's extension.
    void SaveFrameButtonClick(const std::optional<QString>& fileName = std::nullopt);
    // Writes a frame bitmap by the extension (.gif, .jpg/.jpeg at quality 77 or
    // the one given, .png, .bmp); false for any other extension.
    static bool SaveFrame(const TBitmap& frame, const QString& fileName, int jpegQuality = 77);

    // --- Previews ---------------------------------------------------------------
    void DrawGIFPreview();
    // The preview, and the project marked modified.
    void PreviewModify();
    // The preview, the canvas and the command states; the modified flag stays.
    void PreviewEnd();

    TEditorCore& Core;

    static QString Dimensions(int width, int height);

private:
    void ChangeFrameSide(int value, int& box, int& side, int& prop, int& otherBox, int& otherSide, int& otherProp);
    void Notify() const;
    // Ends a GIF opening without a background GIF.
    void EndWithoutBackGIF(bool modified);
    // Lowers the composite indexes of picture values above a removed list.
    void LowerCompositeIndexes(int removed);
};
