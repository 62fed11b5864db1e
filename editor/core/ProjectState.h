#pragma once
// TProjectState: what an undoable edit can change, captured by value. Every
// picture and GIF is held by reference counting (TBitmap and TZGIFImage copies
// share their pixels), and a figure's record is shared with the state captured
// before it when it did not change, so a history of many steps holds each
// picture and each unchanged figure once.
//
// Besides the project (records, side tables, background, size, options) the
// state keeps where the user was (current frame, selection, frame selection,
// strip position) and the rendered animation, so that returning to a state
// also returns the file the project would be saved as.
#include "gif/ZGIFImage.h"
#include "model/GIFComposites.h"
#include "model/ProjectOptions.h"
#include "model/Records.h"
#include "platform/Bitmap.h"

#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

class TEditorCore;

struct TProjectState {
    // --- The project ----------------------------------------------------------
    std::vector<std::shared_ptr<const TQFigure>> Figures; // records without their objects
    std::vector<int32_t> PaintOrder;                      // figure number of each object, bottom first
    QStringList StrArr;
    std::vector<TBitmap> BMPArr;
    std::vector<TZGIFImage> GIFArr;
    std::vector<TGIFComposites> BMPGIF;
    int BackNum = -1;
    TZGIFImage BackGIF;
    TBitmap BackBMP;
    bool IsBackBMP = false;
    TColor BackColor = clWhite;
    int ImgWidth = 200;
    int ImgHeight = 200;
    int AnInt = 50;
    TProjectOptions Options;

    // --- The rendered animation -----------------------------------------------
    TZGIFImage Animation;

    // --- Where the user was ---------------------------------------------------
    int Frame = -1;                 // the animation's current frame
    int CurIndex = -2;
    int OldFrame = -1;
    int ChangeNumber = 0;
    int QRow = 0;
    int OldIndex = 0;
    int OldPos = 0;
    TQFrInt BMPSel;
    std::vector<bool> Selected;     // per figure number
    bool SelCen = false;
    bool IsDel = true;
    bool IsStart = true;
    bool IsChRot = true;
    bool IsChDelay = false;
    bool IsChGoTo = true;
    bool IsFrOper = false;

    // The editor's state now; figure records equal to those of `previous` are shared with it.
    static std::shared_ptr<const TProjectState> Capture(const TEditorCore& core, const TProjectState* previous);

    // The two states hold the same project (where the user was is not compared).
    static bool SameProject(const TProjectState& a, const TProjectState& b);
    // The two states hold the same rendered frames (count, pictures, durations).
    static bool SameFrames(const TProjectState& a, const TProjectState& b);
};

// Adds up the memory held by states, counting each shared picture, GIF frame
// and figure record once however many states hold it.
class TStateMemory {
public:
    void Add(const TProjectState& state);
    int64_t Bytes() const { return fBytes; }

private:
    bool First(const void* key);
    void AddBitmap(const TBitmap& bitmap);
    void AddGIF(const TZGIFImage& gif);

    std::vector<const void*> fSeen; // sorted
    std::vector<int64_t> fSeenImages; // sorted QImage cache keys
    int64_t fBytes = 0;
};
