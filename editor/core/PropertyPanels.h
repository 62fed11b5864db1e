#pragma once
// TPropertyPanels: the logic of the figure property pages beside the canvas.
// It says what each page shows for the selected figure (Fill) and applies
// every edit at once, to the drawing object or, in default mode, to the
// defaults record new figures receive. The window fills its controls from
// the view and forwards each control's edit here.
#include "model/DefaultParam.h"
#include "model/Records.h"
#include "platform/Canvas.h"
#include "platform/Color.h"
#include "platform/Types.h"

#include <QString>
#include <QStringList>
#include <vector>

class TBitmap;
class TDrawObject;
class TEditorCore;

// The four coordinate boxes.
enum class TCoordBox { Left, Top, Width, Height };

// The three colour swatches of the "Color and Border" page.
enum class TColorSwatch { Fill, Shadow, Border };

// What the pages show for one figure.
struct TPanelView {
    // "Animation"
    bool All = true;
    int StartFrame = 1; // 1-based
    int FramesCount = 1;
    QStringList Changes; // frame numbers (1-based) of the key frames
    bool DeleteChangesEnabled = false;

    // "Image" (pictures only)
    bool ImagePage = false;
    bool ImageTransparent = false;
    const TBitmap* ImagePicture = nullptr; // the still picture or the GIF's first composite
    QString ImageDimensions;               // "width X height"
    QString ImageFrames;                   // "n frame(s)" for a GIF, empty for a still picture

    // "Coordinates"
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool SizeShown = true;   // "Width", "Height" and the "Nodes" group (not for points)
    bool AmountShown = false;
    int AmountMin = 0;
    int AmountMax = 10000;
    int AmountStep = 1;
    int Amount = 0;
    std::vector<TPoint> Nodes; // the nodes grid; empty for points
    bool PasteShown = false;

    // "Rotation"
    int Angle = 0;
    bool Center = true;
    int X = 0;
    int Y = 0;

    // "Color and Border" (not for plain text and pictures)
    bool ColorPage = true;
    bool FillShown = true;
    TColor Fill = clWhite;
    TColor Shadow = clWhite;
    TColor Border = clBlack;
    int BorderMin = 0;
    int BorderWidth = 1;
    int ShadowWidth = 0;

    // "Text" (shapes with text and Bezier text)
    bool TextPage = false;
    bool MarginShown = false;
    bool SpeechShown = false;
    bool OutlineShown = false;
    int Margin = 0;
    int Speech = 0;
    int Outline = 0;
    QStringList TextLines;

    // "Line" (open figures but Bezier text)
    bool LinePage = false;
    bool Arrow1 = false;
    bool Arrow2 = false;
    bool OrientationShown = false;
    bool AutoCenterShown = false;
    bool LineShown = false;
    int Orientation = 0;
    bool AutoCenter = false;
    bool Line = false;
};

// The "Amount" box for a kind of figure: shown, and its range and step.
struct TNodeCountRange {
    bool Shown = false;
    int Min = 0;
    int Max = 10000;
    int Step = 1;
};

class TPropertyPanels {
public:
    // defaults: the record new figures receive (default mode edits it).
    TPropertyPanels(TEditorCore& core, TDefaultParam& defaults);

    // --- Filling ----------------------------------------------------------
    // The pages for the selected figure; an empty view without one. Clears
    // default mode.
    TPanelView Fill();
    static TNodeCountRange NodeCountRange(const TDrawObject& obj);
    // "Delete Changes" may act: the frame chosen in "Frames with Changes" is
    // one of the selected figure's key frames.
    bool ChangesEnable() const;

    // After an edit (unless the panels are being filled): stores the selected
    // figure's state at the current frame and marks the project modified.
    void SetDel();

    // --- Edits; each does nothing without a figure outside default mode ----
    void AngleChange(int degrees);
    void ShadowWidthChange(int value);
    void RotationPointChange(bool x, int value);
    void PaddingChange(int value);
    void BorderWidthChange(int value);
    void CenterChange(bool value);
    void AutoCenterChange(bool value);
    void LineChange(bool value);
    // "Start Arrow", "End Arrow"
    void ArrowChange(bool start, bool value);
    void TransparentChange(bool value);
    void OutlineChange(int index);
    void OrientationChange(int index);
    void SpeechChange(int index);
    void TextChange(const QStringList& lines);
    // The palette colour picker for a swatch; returns the swatch's colour afterwards.
    TColor ColorButtonClick(TColorSwatch swatch);
    // The font dialog preloaded with the figure's font (or the defaults'); true on OK.
    bool FontButtonClick();
    // A coordinate box was left.
    void CoordInit(TCoordBox box, int value);
    // "Amount" was left; true when the node count changed.
    bool PointsCountChange(int value);
    // The nodes grid's cell editor was left on row `row` (2 rows per node).
    void PointChange(int row, int value);
    void PointsCopy();
    void PointsPaste();
    // "Delete Changes"; true when a key frame was removed.
    bool DeleteChanges();

    // The colour the swatch shows now.
    TColor SwatchColor(TColorSwatch swatch) const;
    // The palette choice: the chosen colour, or `old` on Cancel. A different
    // colour is not applied here; the caller does.
    TColor ColorDialogDel(TColor old);

    bool IsDefault = false; // the pages edit the defaults record

private:
    // The selected object when edits apply to it (not in default mode).
    TDrawObject* Target() const;
    // An edit of one property by name: in default mode the defaults' field;
    // otherwise the selected figure's object takes it and its key frame at the
    // current frame is written, then the canvas is repainted (the object's
    // cached bitmaps too when asked) and the project marked modified. False
    // when nothing holds the property.
    bool PropertyChange(const TQPropValue& value, bool bitmaps = true);
    // The property a colour swatch shows.
    static TQPropName SwatchProperty(TColorSwatch swatch);
    void Repaint(bool bitmaps);
    // After an edit that changed the object directly: Repaint and SetDel.
    void Applied(bool bitmaps = true);
    // The object's state is stored and reloaded at the current frame, then the canvas repainted.
    void StoreAndReload();

    TEditorCore& Core;
    TDefaultParam& Defaults;
};
