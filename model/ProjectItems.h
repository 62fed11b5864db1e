#pragma once
// Readers and writers of the project records in their file encoding: change
// lists, key-frame lists, figure records and figure lists. Each returns whether
// the whole value was transferred and stops at the first failed element (the
// streams' errors are sticky). Readers check every count against the bytes
// that remain before they allocate, and refuse property names that have no
// encoding, so damaged data fails instead of being misread. Values outside the
// ranges the editor produces fail too: they could only come from damage, and
// would make a redraw render billions of frames or overflow the geometry.
#include "model/Records.h"
#include "platform/BinaryFile.h"

// Files without a header store a picture value without its composite index;
// files with one store it.
enum class TPictureEncoding { WithoutFNum, WithFNum };

// A figure's "Number of Frames" (1..kMaxFigureFrames in the editor).
constexpr int32_t kMaxFigureFrames = 100000;
// A figure's first frame: the "Start Frame" box goes to kMaxFigureFrames, and a
// figure drawn at a frame of a long background GIF starts there.
constexpr int32_t kMaxFigureStart = 1000000;
// Positions, sizes, node positions and the rotation point: the editor's boxes
// take +-10000 and a drag moves a figure off the frame by a screen at most.
constexpr int32_t kMaxCoordinate = 100000;
// Pen and shadow widths, text margin and font size, either sign (the boxes
// take 0..1000 at most, a shadow -100..100).
constexpr int32_t kMaxThickness = 10000;
// Rotation in degrees (the box takes +-3600), control points of a figure.
constexpr int32_t kMaxAngle = 36000;
constexpr int32_t kMaxNodes = 100000;

// Whether a value read from a file lies in the range the editor produces.
bool InEditorRange(const TQPropValue& value);

bool WriteChange(TBinaryWriter& out, const TQChange& change);
bool ReadChange(TBinaryReader& in, TQChange& change, TPictureEncoding encoding);

bool WriteFrames(TBinaryWriter& out, const TQFrArr& frames);
bool ReadFrames(TBinaryReader& in, TQFrArr& frames, TPictureEncoding encoding);

// One figure without a count in front (the clipboard stores figures this way).
bool WriteFigure(TBinaryWriter& out, const TQFigure& figure);
bool ReadFigure(TBinaryReader& in, TQFigure& figure, TPictureEncoding encoding);

bool WriteFigures(TBinaryWriter& out, const TQFigArr& figures);
bool ReadFigures(TBinaryReader& in, TQFigArr& figures, TPictureEncoding encoding);
