#pragma once
// TPropertySheets, the figure property page control (DrawObjectControl): the
// seven pages, which of them a figure uses, filling them from the selected
// figure or the default properties, and every edit on them handed to the
// pages' logic (TPropertyPanels).
#include <QTabWidget>

#include "editor/CommandGuard.h"
#include "platform/Bitmap.h"

#include <array>

class QPlainTextEdit;
class TAnimationSheet;
class TColorSheet;
class TCoordinatesSheet;
class TEditorCore;
class TFigureSheet;
class TImageSheet;
class TLineSheet;
class TPropertyPanels;
class TRotationSheet;
class TTextSheet;
struct TDefaultParam;
struct TPanelView;

class TPropertySheets : public QTabWidget {
    Q_OBJECT
public:
    explicit TPropertySheets(QWidget* parent = nullptr);

    void Wire(TEditorCore& core, TPropertyPanels& panels, const TGuard& guard);
    // The placeholder of an "Image" page without a picture.
    void SetPlaceholder(const TBitmap& no) { BMPNo = no; }

    // Shows the pages for one selected figure, filled from it; hides them otherwise.
    void ObjEn(bool single);
    // Shows the default figure properties on the pages.
    void ShowDefault(const TDefaultParam& defaults);
    // The selected figure was moved or resized: its place, size and nodes again.
    void SetPoints();
    // The canvas moved the centre of rotation.
    void ShowCentre(int x, int y);
    // The page shown, by its place in the fixed order (stored with the project).
    int CurrentSheetNumber() const;
    void SetCurrentSheetNumber(int number);
    // "Delete Changes" of the "Animation" page.
    void ShowDeleteChanges(bool enabled);
    // The memo of the "Text" page (the window gives it its context menu).
    QPlainTextEdit* Memo() const;

    // The pages are to be filled again from the selection (ObjEn of the window).
    std::function<void(bool single)> Refill;
    // A line of "Frames with Changes" was chosen: the window goes to its frame.
    std::function<void(int frame)> GoToFrame;
    // "Start Frame" or "Number of Frames" changed the number of frames.
    std::function<void()> FramesChanged;

private:
    void BuildWiring();
    void ShowPanels(const TPanelView& view);
    // Every control of the pages shown, and every page when asked (the
    // callers hide what the figure or default mode does not use).
    void ShowPanelControls(bool pages);
    // Puts a property page into the tab bar or takes it out.
    void SetSheetShown(TFigureSheet* sheet, bool shown);
    void SetCoord();
    void PointsGridCellClicked(int row, int column);
    void PointSpinExit();
    void FramesChangesListClick(int row);
    void DeleteChangesButtonClick();
    void StartFrameSpinExit();
    void LineChecks();

    TEditorCore* Core = nullptr;
    TPropertyPanels* Panels = nullptr;
    TGuard Guard;
    TBitmap BMPNo; // "No" placeholder for the "Image" page

    TAnimationSheet* AnimationSheet = nullptr;
    TImageSheet* ImageSheet = nullptr;
    TCoordinatesSheet* CoordinatesSheet = nullptr;
    TRotationSheet* RotationSheet = nullptr;
    TColorSheet* ColorSheet = nullptr;
    TTextSheet* TextSheet = nullptr;
    TLineSheet* LineSheet = nullptr;
    std::array<TFigureSheet*, 7> FigureSheets{}; // the pages in their fixed order
};
