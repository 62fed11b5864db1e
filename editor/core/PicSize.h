#pragma once
// The fit rule: a picture scaled up or down into a box, its proportions kept,
// anchored at the top-left corner. Places the background picture and GIF in
// the frame, a new picture figure in its default size and the preview in its
// panel.
#include "platform/Types.h"

// Width (cx) and height (cy) of a w x h picture fitted into a W x H box;
// sizes are rounded to the nearest integer, ties to even. A picture side of 0
// keeps the other side as it is.
TSize GetPicSize(int boxWidth, int boxHeight, int picWidth, int picHeight);
