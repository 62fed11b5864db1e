#pragma once
// The default properties applied to a newly drawn figure.
#include "drawobjects/DrawObject.h"
#include "model/DefaultParam.h"
#include "model/Records.h"

// Gives a new drawing object of figure kind `kind` the defaults of the
// properties the kind has; its first key frame is stored afterwards
// (TDocument::StoreNewFigure).
void SetDefault(TDrawObject& obj, TQFigName kind, const TDefaultParam& param);
