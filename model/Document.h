#pragma once
// TDocument: the project held in memory, without any window. It owns the
// project record, the side tables the property values refer to by index, every
// drawing object, and the editing cursors of the project (the editor's own view
// state, such as the frame strip's geometry, lives in the editor). Its operations
// compute a figure's properties at a frame from its key frames, load them into
// the drawing object, and store the object's edits back as key frames.
//
// The editor shows this state and calls these operations; the effects they have
// on the window's commands are left in fields (RedrawEnabled,
// DeleteChangesEnabled) that the editor's command-state refresh reads.
#include "drawobjects/DrawObject.h"
#include "gif/ZGIFImage.h"
#include "model/GIFComposites.h"
#include "model/ProjectOptions.h"
#include "model/Records.h"
#include "platform/Bitmap.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

class TPic;

// What a changed start frame or frame count asks of the animation.
struct TStartCountChange {
    bool Changed = false;  // Start or Count differs from before
    int AddFrames = 0;     // background frames to append at the end
    int DeleteFrames = 0;  // frames to delete from the end
};

class TDocument {
public:
    TDocument();
    ~TDocument();
    TDocument(const TDocument&) = delete;
    TDocument& operator=(const TDocument&) = delete;

    // --- Project record and side tables -------------------------------------
    TQAnimation Animation;
    QStringList StrArr;                       // texts and font names; only appended to
    std::vector<TBitmap> BMPArr;              // still pictures of picture figures, 24 bits
    std::vector<TZGIFImage> GIFArr;           // GIF pictures of picture figures
    std::vector<TGIFComposites> BMPGIF; // composited frames of every GIF shown
    std::vector<std::unique_ptr<TDrawObject>> DrawArr; // every figure's object, painting order
    TQFrInt FigOrd;                           // figure number of each DrawArr entry (saving)
    TQFrInt BMPSel;                           // frames selected in the frame strip
    TZGIFImage Buffer;                        // frames clipboard
    TQBufArr FigBuf;                          // figures clipboard

    // --- Editing state --------------------------------------------------------
    int CurIndex = -2;     // frame whose figure state is computed or stored
    int CurFrame = -1;     // set by GetChange: key frame exactly at CurIndex, or -1
    int PrevFrame = -1;    // set by GetChange: last key frame at or before CurIndex, or -1
    int OldFrame = -1;     // frame whose figure edits are still to be committed
    int ChangeNumber = 0;  // frame chosen in the list of frames with changes
    int BackNum = -1;      // BMPGIF index of the background GIF's frames
    int ImgWidth = 200;
    int ImgHeight = 200;
    int AnInt = 50;        // delay of frames without a background-GIF frame
    int QCount = 0;        // number of selected figures
    int OldStart = 0;      // the current figure's Start before the last start/count edit
    int OldCount = 0;      // and its Count
    TDrawObject* DrObj = nullptr; // the current drawing object
    bool IsModify = false;        // the project differs from its file
    bool IsProject = false;       // a project was cleared or opened (false only at start-up)
    bool IsGIFDraw = true;        // figure edits may be stored
    bool IsRedrawFrames = false;  // "Redraw Frames" is rendering
    bool SelCen = false;          // picking the rotation centre on the canvas
    // Editor flags kept in the project file.
    bool IsStart = true;          // stored and read back; nothing else reads it
    bool IsChRot = true;          // stored and read back; nothing else reads it
    bool IsFrOper = false;        // frames edited in the strip since "Redraw Frames" (the redraw question says so)
    QString ProjFile;
    TProjectOptions Options = TProjectOptions::Defaults(); // settings stored with the project

    // Command states changed by the operations below; the editor reads them.
    bool RedrawEnabled = false;        // "Redraw Frames"
    bool DeleteChangesEnabled = false; // "Delete Changes"

    // --- Key-frame engine ----------------------------------------------------
    // Index of property `name` in `chan` (for qpNode: of node `number`), or -1.
    static int FindProp(const TQChange& chan, TQPropName name, int number);
    // Removes entry `num`.
    static void DelProp(int num, TQChange& chan);
    // `base` with the values of `changes` merged in; a node count drops the
    // node entries at and above it.
    static TQChange AddChan(const TQChange& base, const TQChange& changes);
    // The state accumulated over key frames 0..lst.
    static TQChange AddChanAll(const TQFigure& fig, int lst);
    // Deep copies (a figure copy shares the drawing object).
    static TQChange LetChange(const TQChange& source) { return source; }
    static TQFrame LetFrame(const TQFrame& source) { return source; }
    static TQFigure LetFigure(const TQFigure& source) { return source; }

    // The property set of figure `num` at CurIndex; sets CurFrame and PrevFrame.
    TQChange GetChange(int num);
    // The state a figure shows at CurIndex: GetChange's, and before the
    // first key frame that key frame's state.
    TQChange ShownState(int num);
    // Loads the state at CurIndex into the figure's drawing object (when visible there).
    void GetFig(int num);
    // Stores the drawing object's state at CurIndex as a key-frame difference.
    void SetFig(int num);
    // SetFig then GetFig: how a figure's edit is committed and normalised.
    void SetGetFig(int num);

    // --- Edits of a figure at CurIndex -----------------------------------------
    // Sets property value.Name of figure `num`'s drawing object through the
    // property table (a Bool, Int, Color or Style property); false, with
    // nothing set, when the figure's kind does not have it.
    bool SetProperty(int num, const TQPropValue& value);
    // An edit of one property: SetProperty, then the figure's key frame at
    // CurIndex written by the engine (SetFig), every property that differs now.
    bool StoreProperty(int num, const TQPropValue& value);
    // After an edit of the selected figure: its state stored at CurIndex
    // (SetFig) when exactly one figure is selected.
    void StoreSelectedFigure();

    // Figure `num` is shown in frame `frame`.
    bool IsVisible(int num, int frame) const;
    // Stores every figure visible at CurIndex.
    void SetAnim();
    // Loads every figure for CurIndex, marks the visible ones for repainting
    // and hides the others.
    void GetAnim();
    // Frames the project needs: the background GIF's and the figures' extent.
    int GetMaxNum() const;

    // At least one drawing object is selected.
    bool IsFig() const;
    // Key frame of the current figure at ChangeNumber, or -1.
    int GetFrInd() const;
    // Removes a picture from its table (a GIF with its composited frames) and
    // lowers every reference to a later entry of the same table.
    void DelImgArr(bool isGIF, int index, int gNum);

    // --- Figures --------------------------------------------------------------
    int FigureCount() const { return static_cast<int>(Animation.Figures.size()); }
    // Appends a figure record of `kind` for a new drawing object, shown in all
    // frames, starting at `start`, one frame long, with no key frames yet; the
    // object goes on top of the painting order. Returns the figure number.
    int NewFigure(TQFigName kind, std::unique_ptr<TDrawObject> obj, int start);
    // Stores a new figure's state at its start frame and reloads it: its first key frame.
    void StoreNewFigure(int num);

    // --- "Animation" page -----------------------------------------------------
    // Lines of "Frames with Changes" for a figure: each key frame's number + 1.
    QStringList FramesChangesList(int num) const;
    // A line of that list was chosen: remembers its frame in ChangeNumber and
    // returns the frame to make current (-1 for no such line). The editor then
    // goes to that frame and reselects the line.
    int FramesChangesListClick(int row);
    // "Delete Changes": removes the current figure's key frame at ChangeNumber
    // and reloads the figure; false when there is none. The editor then
    // repaints, enables the figure panels, stores the selected figure
    // (StoreSelectedFigure) and marks the project modified. Pictures
    // the key frame referred to stay in their tables.
    bool DeleteChanges();
    // "In All Frames" for the current figure. The editor then re-applies the
    // go-to frame, marks the project modified and calls GetAnim.
    void AllFramesCheck(bool value);
    // Start frame and frame count of the current figure from the two spin
    // edits (1-based start), for an animation of `animationFrames` frames.
    // OldStart and OldCount keep the previous values. When Changed, the editor
    // adds or deletes frames as asked (CancelStartCount if adding is
    // cancelled), clears IsApply, re-applies the go-to frame and calls GetAnim.
    TStartCountChange StartFrameSpinExit(int startSpin, int countSpin, int animationFrames);
    // Adding frames was cancelled: the figure goes back to the old start and count.
    void CancelStartCount();

    // --- Project life cycle ---------------------------------------------------
    // Sets the modified flag alone; an edit stores its figure itself
    // (StoreProperty, StoreSelectedFigure, SetFig).
    void SetModify(bool value) { IsModify = value; }
    // Empties the project: figures, objects, tables, clipboards, background;
    // resets the editing state of a new project.
    void ClearProject();

private:
    TQFigure* Figure(int num);
    const TQFigure* Figure(int num) const;
    TQFigure* CurrentFigure();
    const TQFigure* CurrentFigure() const;
    void ApplyProp(TQFigure& fig, const TQPropValue& prop);
    void ApplyBitmap(const TQFigure& fig, TPic& pic, const TQPropValue& prop);
    // The object's properties that differ from `shown` or from `base` (the
    // state a new key frame builds on); true when any differs from `shown`.
    bool Differences(const TQFigure& fig, const TQChange& shown, const TQChange& base, TQChange& diff);
    // The qpBitmap value for the picture a picture figure shows: a new 24-bit
    // copy in BMPArr for a still picture, the GIF's indexes for a GIF. Clears Modify.
    TQPropValue PictureValue(TPic& pic);
    // Before a key frame's picture is replaced: removes the picture the key
    // frame held unless another value still shows it, and corrects the new
    // value's indexes.
    void ReleaseReplacedPicture(const TQFrame& frame, TQChange& diff);
    // Another qpBitmap value than `except` refers to the same picture.
    bool PictureInUse(const TQPropValue& picture, const TQPropValue* except) const;
    // Lowers the GIF and composited-list indexes of the picture objects above
    // a removed entry (-1: that table lost nothing).
    void LowerPictureObjects(int gifIndex, int listIndex);
};
