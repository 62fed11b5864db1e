#pragma once
// The drawing object made for each figure kind (reading a project, pasting
// figures, creating a new figure).
#include "drawobjects/DrawObject.h"
#include "model/Records.h"

#include <memory>

// A new object of the kind's class with its default geometry; nullptr for a
// kind without a class (qfArc) or an unknown value.
std::unique_ptr<TDrawObject> CreateDrawObject(TQFigName kind, IDrawOwner* owner = nullptr);
