#pragma once
// TEditorCore: the editor's working state and operations without any widget.
// It holds the project (TDocument), the work bitmaps, the animation (the image
// of the preview's TZGIFAnimatorCore) and the default figure properties, and
// it owns the figures' painting surface (IDrawOwner). The main window shows
// FramePanelBMP 1:1 as the canvas, forwards the pointer to it and reacts to
// the hooks; the headless commands and the tests drive it directly.
//
// The class is split across files by concern: EditorCore.cpp (life cycle and
// the figures' owner), EditorRender.cpp (backgrounds, GIF composites, the
// editor view), EditorFrames.cpp (the figures' state per frame, adding
// frames, the preview's frame changes), EditorRedraw.cpp ("Redraw Frames"),
// EditorCanvas.cpp (the pointer state machine and stacking),
// EditorFigures.cpp (new figures and their default properties),
// EditorClipboard.cpp (the figure clipboard and figure deletion) and
// EditorStrip.cpp (the frame strip, the frame selection and the frame commands).
#include "drawobjects/DrawOwner.h"
#include "drawobjects/DrawObject.h"
#include "editor/core/CanvasGesture.h"
#include "editor/core/FrameStrip.h"
#include "editor/core/Messages.h"
#include "editor/core/UndoHistory.h"
#include "editor/core/WorkBitmaps.h"
#include "gif/ZGIFAnimatorCore.h"
#include "model/DefaultParam.h"
#include "model/EditorView.h"
#include "model/Document.h"
#include "platform/Bitmap.h"
#include "platform/Dialogs.h"
#include "platform/Progress.h"
#include "platform/Types.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class TPic;

// The cursor the canvas shows.
enum class TCanvasCursor { Cross, Hand, SizeNWSE };

// What the window does when the core has changed something it shows. Every
// hook may be empty (headless use).
struct TEditorHooks {
    std::function<void()> Repaint;                        // FramePanelBMP has new pixels
    std::function<void(int width, int height)> CanvasSize; // the canvas takes a new size
    std::function<void(int width, int height)> FrameSize;  // the size boxes show a new frame size
    std::function<void()> CommandStates;                  // refresh enabled commands (EnBut)
    std::function<void()> SelectionChanged;               // property panels follow the selection
    std::function<void()> FrameChanged;                   // strip, go-to box, current duration
    std::function<void()> AnimationChanged;               // frames added or rebuilt: strip, preview size
    std::function<void(TCanvasCursor)> Cursor;
    std::function<void()> Caption;                        // pointer position or frame count changed
    std::function<void(int x, int y)> RotationCentre;     // the "X" and "Y" boxes
    std::function<void()> Strip;                          // FramesBMP or the strip's scroll values changed
    std::function<void(const TBitmap&)> CopyBitmap;       // a frame goes to the system clipboard
    std::function<void()> History;                        // a step was done, undone or redone
};

// Walks of the frame selection (CycleBMPSel).
enum TBMPSelCycle { bscDeleteFrame, bscBMPIsIn, bscRightFrame };

class TEditorCore : public IDrawOwner {
public:
    // animator: the preview's animator core when a window shows it; without
    // one the core makes its own. Dialogs and progress must outlive the core.
    TEditorCore(TDialogs& dialogs, TProgress& progress, TZGIFAnimatorCore* animator = nullptr);
    ~TEditorCore() override;
    TEditorCore(const TEditorCore&) = delete;
    TEditorCore& operator=(const TEditorCore&) = delete;

    // --- IDrawOwner -------------------------------------------------------------
    bool IsRedrawFrames() const override { return Doc.IsRedrawFrames; }
    int SelectedCount() const override { return Doc.QCount; }
    TCanvas& EditorCanvas() override { return fWork.FramePanelBMP.Canvas(); }
    TCanvas& RenderCanvas() override { return fWork.BMP.Canvas(); }
    QString DummyText() const override { return Msg.QDummyText; }

    // --- Project life cycle (EditorCore.cpp) -------------------------------------
    // Empties the project and the animation; a 200 x 200 white canvas.
    void ClearProject();
    // ClearProject, then one background frame ("Add Frame").
    void NewProject();
    // After an edit of the selection: the single selected figure's state is
    // stored at the current frame, then the project is marked modified.
    void SetModifyTrue()
    {
        Doc.StoreSelectedFigure();
        Doc.SetModify(true);
    }
    // The editor's state a project file keeps beside the project: handed to
    // the writer, taken back from the reader.
    TEditorView StoredView() const;
    void SetStoredView(const TEditorView& view);

    // --- Rendering (EditorRender.cpp) ---------------------------------------------
    static void FillBitmap(TBitmap& bitmap, TColor color, int width, int height);
    void FillBMP(TColor color) { FillBitmap(fWork.BMP, color, -1, -1); }
    void FillBMPBack() { FillBMP(Doc.Animation.BackColor); }
    void FillBitmapBack(TBitmap& bitmap) { FillBitmap(bitmap, Doc.Animation.BackColor, Doc.ImgWidth, Doc.ImgHeight); }
    void FillApBMP() { FillBitmapBack(fWork.ApBMP); }
    void FillIBMP(int width, int height) { FillBitmap(fWork.IBMP, clWhite, width, height); }
    void SetRectangles();
    // The canvas and its bitmap take the frame size (ImgWidth x ImgHeight).
    void CanvasTakesFrameSize();
    // Composes every frame of the GIF into a full picture; the index of the new
    // list in BMPGIF, or -1 (no frames, or not enough memory).
    int AddBMPArr(const TZGIFImage& gif);
    void DelBMPArr(int index);
    // The background GIF's composite of frame `index` stretched into GIFRect;
    // nothing when that composite is missing.
    void DrawGIFFrameAll(int index, TBitmap& target);
    void DrawGIFFrame(int index);
    void SetBitmapTransparent(TBitmap& bitmap, TColor color) const;
    static void SetTransparentColor(TBitmap& bitmap);
    void EditFrame();
    void DrawFrameBuffer();
    void DrawFigures();
    void SetRedraw();
    void DrawResizePoint();
    static TRect NormalizeRect(const TRect& r) { return r.Normalized(); }
    void DrawFocusRec(const TRect& r);

    // --- Figures per frame, frames (EditorFrames.cpp) -----------------------------
    void DrawOld();
    void DrawNew();
    void ChAnim();
    void GetAnim() { Doc.GetAnim(); }
    void SetAnim() { Doc.SetAnim(); }
    int GetMaxNum() const { return Doc.GetMaxNum(); }
    // Frame-changed handling of the preview (ignored while it plays).
    void GIFAnimatorFrameChanged();
    // The canvas refresh after a frame change; the strip keeps the current frame in view.
    void FrameChange();
    // Goes to frame n when it exists (the animator ignores other values).
    void SetFrameIndex(int n) { GIFAnimator->SetFrameIndex(n); }
    int FrameIndex() const { return GIFAnimator->FrameIndex(); }
    int FrameCount() const { return Animation().Count(); }
    // "Play" and "Stop".
    void Play();
    void Stop();

    // --- Frame strip and frame commands (EditorStrip.cpp) ---------------------------
    // The strip control took a new size: the strip is drawn again for it.
    void SetStripSize(int width, int height);
    // Draws the strip into FramesBMP from frame p on (clamped); sets the strip's OldPos, ImgH, FrCount.
    void DrawFrames(int p);
    // The scroll values from the frame count, FrCount and OldPos.
    void SetScroll();
    void SetScrollIndex();
    // SetScroll and DrawFrames at OldPos: the strip follows a changed animation.
    void RedrawStrip();
    void FramesEnd();
    void HorizontalEnd();
    // The selection becomes frame n / frame 0 / the current frame (when there are frames).
    void SetOne(int n);
    void SetFirst() { SetOne(0); }
    void SetIndex() { SetOne(FrameIndex()); }
    // Inserts n into the selection, which stays in descending order without duplicates.
    void BMPAdd(int n);
    // Position of n in the selection, or -1.
    int BMPIsIn(int n) const;
    // bscDeleteFrame deletes every selected frame, largest first; bscBMPIsIn
    // answers n's position (or -1); bscRightFrame moves every selected frame one
    // place right, largest first, and raises its entry.
    int CycleBMPSel(TBMPSelCycle mode, int n = 0);
    bool IsFrames() const { return FrameCount() > 0; }
    // Inserts frames after the current one: 0 a background frame ("Add Frame"),
    // 1 the frame clipboard (Paste), 2 a copy of the current frame ("Duplicate Frame").
    void AddFrames(int mode);
    // Pointer and scroll bar of the strip.
    void FramesImageMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void FramesScrollBarChange(int position);
    // The frame commands.
    void AddFrameButtonClick();
    void DuplicateFrameButtonClick();
    void CopyFrameButtonClick();
    void CutFrameButtonClick();
    void PasteFrameButtonClick();
    void DeleteFrameButtonClick();
    void MoveLeftButtonClick();
    void MoveRightButtonClick();
    // Whether "Move Left" / "Move Right" can act on the selection.
    bool CanMoveLeft() const;
    bool CanMoveRight() const;
    // The go-to box follows, the modified flag is set and IsFrOper becomes flag.
    void SetGoModifyFrame(bool flag);
    void SetGoModify() { SetGoModifyFrame(true); }

    // The strip as drawn; the window paints the strip control's free part in `color`.
    const TFrameStrip& Strip() const { return fStrip; }
    void SetStripFillColor(TColor color) { fStrip.FillColor = color; }

    // --- "Redraw Frames" (EditorRedraw.cpp) ---------------------------------------
    // False, with "Not enough RAM!" shown, when the frames cannot be held:
    // the animation stays as it was and "Redraw Frames" stays enabled.
    bool ApplyFig();
    void RedrawAnimation();
    void ConfirmRedraw();
    void RedrawButtonClick();
    void SetLoop(bool flag);

    // --- Canvas editing (EditorCanvas.cpp) ----------------------------------------
    void FramePanelMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void FramePanelMouseMove(TShiftState shift, int x, int y);
    void FramePanelMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    void CountFocusedDrawObjs();
    void ClearAllDrawObjFocuses();
    void ClearDragList() { fGesture.DragList.clear(); }
    // Ends a pointer gesture that failed half-way: no drag, band or resize
    // goes on with the next move.
    void CancelPointer();
    bool IsFramePanelResize(int x, int y) const;
    // The canvas took a new size: it becomes the frame size.
    void FramePanelResize(int width, int height);
    void BackButtonClick();
    void FrontButtonClick();
    void CenterButtonClick();
    // Tolerances of the pointer in frame pixels (the view's zoom sets them):
    // the frame-size handle's zone and how far a press moves to be a drag.
    void SetPointerTolerance(int handleZone, int clickSlop);
    // The arrow keys: the selected figures move by (dx, dy), stored at the
    // current frame; consecutive nudges of the same figures are one step.
    void NudgeSelection(int dx, int dy);

    // --- New figures (EditorFigures.cpp) ------------------------------------------
    // Creates a figure of the kind at the current frame; for a picture the file
    // is asked for unless given. False when nothing was created.
    bool QNewFigure(TQFigName kind, const QString& pictureFile = {});
    // A figure button: QNewFigure, and the new figure waits for the next
    // press on the canvas, which may drag out its rectangle (a click leaves it).
    bool FigureButtonClick(TQFigName kind);
    // The kind of the figure that waits to be dragged out (its button shows pressed).
    std::optional<TQFigName> DrawingKind() const;
    // Applies DefaultParam to the figure just created (DrObj).
    void SetDefault();
    // A still picture figure at the current frame from a picture (the system
    // clipboard's image), sized as a picture file of that size would be.
    bool PasteImageFigure(const TBitmap& picture);
    // A picture figure per file dropped on the canvas, made as the "Image"
    // button makes it, with its top-left corner at `at` (the next file a little
    // lower right). Files that do not read are reported and skipped; returns
    // the number of figures made.
    int DropPictureFiles(const QStringList& files, TPoint at);
    // The caption of the kind's toolbar button ("Rectangle", "Rhombus" ...).
    static QString KindCaption(TQFigName kind);
    // Whether figures of this kind can be created (every toolbar kind can).
    static bool CanCreate(TQFigName kind);
    // The file filter of the "Image" button.
    static const QString PictureFigureFilter;

    // --- Figure clipboard and figure deletion (EditorClipboard.cpp) ---------------
    // The selected figures go to the figure clipboard with their whole
    // animation and their own copies of their pictures.
    void CopyFigureExecute();
    void CutFigureExecute();
    // Every clipboard entry becomes a new figure on top, selected, with new
    // copies of its pictures (GIFs composed again).
    void PasteFigureExecute();
    // Deletes the selected figures and every picture only they show.
    void DeleteFigureExecute();
    enum TCycleBuffer { cbfDelBuf, cbfPasteFigure };
    void CycleBuffer(TCycleBuffer mode);
    // Empties the figure clipboard with its pictures.
    void DelBuf();
    // DrObj, just appended on top, becomes the last figure's selected object.
    void PrepareFigure();
    // After a paste or delete: figures reloaded, the panels for the selection
    // (a single figure's or none), commands, modified.
    void DeletePasteFigure();
    // Frees drawing object i and closes the gap in DrawArr.
    void DeleteDraw(int i);
    // Frees every picture, composites list, drawing object, the figure
    // clipboard and the drag list.
    void ClearObjects();

    // --- Undo and redo (EditorUndo.cpp) ------------------------------------------
    TUndoHistory& History() { return fHistory; }
    const TUndoHistory& History() const { return fHistory; }
    // Ctrl+Z and Ctrl+Shift+Z / Ctrl+Y.
    void Undo();
    void Redo();
    // Brings the editor to a state of the history; `frames`: the rendered
    // frames too (a step of the frame strip), else they are left for redrawing.
    void RestoreState(const TProjectState& state, bool frames);
    // The history changed: command states and the window's undo actions follow.
    void AfterHistoryChange();

    // --- State ------------------------------------------------------------------
    TZGIFImage& Animation() { return GIFAnimator->Image(); }
    const TZGIFImage& Animation() const { return GIFAnimator->Image(); }
    TDrawObject* DrObj() const { return Doc.DrObj; }
    int QCount() const { return Doc.QCount; }
    int ImgWidth() const { return Doc.ImgWidth; }
    int ImgHeight() const { return Doc.ImgHeight; }
    // IsDel: edits in the property pages mark the project (false while the pages are filled).
    bool IsDel() const { return fIsDel; }
    void SetIsDel(bool value) { fIsDel = value; }
    // QRow: the row of the nodes grid being edited.
    int QRow() const { return fQRow; }
    void SetQRow(int row) { fQRow = row; }
    // OldIndex: the frame shown when "Play" was pressed.
    int OldIndex() const { return fOldIndex; }
    // IsChDelay: true while "Current Frame Duration" is applied to the frame.
    bool IsChDelay() const { return fIsChDelay; }
    void SetIsChDelay(bool value) { fIsChDelay = value; }
    // IsChGoTo: "Go to Frame #" and "Current Frame Duration" act on the frame.
    bool IsChGoTo() const { return fIsChGoTo; }

    TDocument Doc;
    TMessages Msg;
    TDefaultParam DefaultParam;
    TEditorHooks Hooks;
    TDialogs& Dialogs;
    // The progress of long operations (the progress window once the window has one).
    TProgress& Progress() const { return *fProgress; }
    void SetProgress(TProgress& progress) { fProgress = &progress; }

    // The work bitmaps (TWorkBitmaps says what each is).
    const TBitmap& FramePanelBMP() const { return fWork.FramePanelBMP; }
    const TBitmap& IBMP() const { return fWork.IBMP; }
    const TBitmap& ApBMP() const { return fWork.ApBMP; }
    const TRect& BMPRect() const { return fWork.BMPRect; }
    // The render target, which the Options page also draws its GIF preview in.
    TBitmap& BMP() { return fWork.BMP; }
    // The scratch picture the tools hand to the animation as a new frame.
    TBitmap& Pic() { return fWork.Pic; }

    // Whether the redraw question may be asked (headless runs never ask it).
    void SetRedrawQuestion(bool ask) { IsRedraw = ask; }
    // Between "Play" and "Stop".
    bool Playing() const { return IsPlaying; }

    // The pointer state of the canvas (the caption reads CapX and CapY).
    const TCanvasGesture& Gesture() const { return fGesture; }

private:
    void Notify(const std::function<void()>& hook) const
    {
        if (hook)
            hook();
    }
    void SetCursor(TCanvasCursor cursor) const
    {
        if (Hooks.Cursor)
            Hooks.Cursor(cursor);
    }
    // A press on the canvas opens one step of the history, its release closes it.
    void BeginGesture();
    void EndGesture(const QString& text);
    // The topmost visible object whose area contains the point, or none.
    TDrawObject* TopmostAt(int x, int y) const;
    void BuildDragList();
    // A selected line with an end attached to a figure that is not selected.
    bool IsTiedConnector(const TDrawObject& obj) const;
    // Lines attached to a moved figure follow it.
    void FollowConnectionsOf(TDrawObject& obj);
    void SelectByBand();
    // Drawing out a new figure (EditorDrawOut.cpp).
    bool IsDrawArmed() const;
    bool DrawOutMove(TShiftState shift, int x, int y);
    bool DrawOutUp(TMouseButton button, TShiftState shift, int x, int y);
    // The dragged rectangle from DrawStart to (x, y); Shift makes it square.
    TRect DrawOutRect(TShiftState shift, int x, int y) const;
    void PlaceInRect(TDrawObject& obj, const TRect& r, TPoint from, TPoint to);
    // Draws the background picture stretched into BMPRect, opaque.
    void DrawBackPicture(TBitmap& target);
    // Removes every frame, keeping the loop settings.
    void ClearAnimation();
    // Creates a figure of the kind at the current frame; `picture` fills a
    // picture figure (false: nothing is created); `at` places its top-left.
    bool CreateFigure(TQFigName kind, const std::function<bool(TPic&)>& picture, const std::optional<TPoint>& at);
    // Reads the picture of a new "Image" figure; false (after a message) when it cannot.
    bool LoadFigurePicture(TPic& pic, const QString& file);
    // A new figure's still picture: a 24-bit copy, fitted into the default size.
    void SetFigurePicture(TPic& pic, const TBitmap& picture);
    void FitFigurePicture(TPic& pic, int width, int height);
    // Appends a clipboard entry's figure with new copies of its pictures; false
    // (nothing added) when a GIF of it cannot be composed or its kind has no class.
    bool PasteEntry(const TQBufEntry& entry);
    // Removes the pictures figure `num` shows that no other figure shows.
    void DeleteFigurePictures(int num);
    // Takes back a figure that was just created.
    void DeleteNewFigure(int num);
    // Makes frame n current and loads the figures for it, also when the
    // animator already followed an edit of its image to that frame.
    void EnterFrame(int n);
    // Drops selection entries that name no frame, then restores the descending order.
    void PruneBMPSel();
    // The content of a frame "Add Frame" inserts after frame `current`.
    TBitmap BackgroundFrame(int current);
    // Draws cell i of the strip showing frame n.
    void DrawFrameCell(int i, int n, int textHeight, TSize thumb);

    TWorkBitmaps fWork;
    TFrameStrip fStrip;
    bool IsRedraw = true;       // the redraw question may be asked
    bool IsEditorResize = true; // a change of the canvas size changes the frame size
    bool IsFramePanel = true;   // false while the canvas size goes to the size boxes (nothing reads it now)
    bool IsPlaying = false;     // between "Play" and "Stop"
    bool fIsDel = true;
    int fQRow = 0;
    int fOldIndex = 0;
    bool fIsChDelay = false;
    bool fIsChGoTo = true;
    TProgress* fProgress;
    // GIFAnimator: the preview's animator core, the one holder of the rendered
    // animation (Animation()) and of its current frame (FrameIndex()); it is
    // fOwnAnimator when no window shows one.
    TZGIFAnimatorCore* GIFAnimator = nullptr;
    std::unique_ptr<TZGIFAnimatorCore> fOwnAnimator;
    TUndoHistory fHistory{*this};
    TCanvasGesture fGesture; // what the pointer is doing on the canvas
};
