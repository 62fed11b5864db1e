#pragma once
// Readers and writers of the project records in their file encoding: change
// lists, key-frame lists, figure records and figure lists. Each returns whether
// the whole value was transferred and stops at the first failed element (the
// streams' errors are sticky). Readers check every count against the bytes
// that remain before they allocate, and refuse property names that have no
// encoding, so damaged data fails instead of being misread.
#include "model/Records.h"
#include "platform/BinaryFile.h"

// Files without a header store a picture value without its composite index;
// files with one store it.
enum class TPictureEncoding { WithoutFNum, WithFNum };

bool WriteChange(TBinaryWriter& out, const TQChange& change);
bool ReadChange(TBinaryReader& in, TQChange& change, TPictureEncoding encoding);

bool WriteFrames(TBinaryWriter& out, const TQFrArr& frames);
bool ReadFrames(TBinaryReader& in, TQFrArr& frames, TPictureEncoding encoding);

// One figure without a count in front (the clipboard stores figures this way).
bool WriteFigure(TBinaryWriter& out, const TQFigure& figure);
bool ReadFigure(TBinaryReader& in, TQFigure& figure, TPictureEncoding encoding);

bool WriteFigures(TBinaryWriter& out, const TQFigArr& figures);
bool ReadFigures(TBinaryReader& in, TQFigArr& figures, TPictureEncoding encoding);
