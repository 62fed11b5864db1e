#pragma once
// The default properties applied to a newly drawn figure.
#include "drawobjects/DrawObject.h"
#include "model/DefaultParam.h"

// Gives a new drawing object the defaults that apply to its class; its
// first key frame is stored afterwards (TDocument::StoreNewFigure).
void SetDefault(TDrawObject& obj, const TDefaultParam& param);
