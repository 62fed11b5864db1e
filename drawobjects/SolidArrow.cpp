#include "drawobjects/SolidArrow.h"

TSolidArrow::TSolidArrow(IDrawOwner* owner) : TSolid(owner)
{
    SetBtnCount(7);
    const int w = fWidth, h = fHeight;
    BtnPoints[0] = {w, h / 2};
    BtnPoints[1] = {w / 5, 0};
    BtnPoints[2] = {w / 5, h / 3};
    BtnPoints[3] = {0, h / 3};
    BtnPoints[4] = {0, (2 * h) / 3};
    BtnPoints[5] = {w / 5, (2 * h) / 3};
    BtnPoints[6] = {w / 5, h};
}

void TSolidArrow::PlaceButton(int btnIdx, TPoint pt)
{
    if (btnIdx < 0 || btnIdx > 6 || BtnPoints.size() != 7)
        return;
    std::vector<TPoint>& p = BtnPoints;
    TPoint q = FrameToBtn(RotatePoint(pt, -SAngle));
    const int y0 = p[0].Y; // the axis
    auto above = [&] {
        if (q.Y >= y0)
            q.Y = y0 - 1;
    };
    auto below = [&] {
        if (q.Y <= y0)
            q.Y = y0 + 1;
    };
    auto headBase = [&] { p[1].X = p[2].X = p[5].X = p[6].X = q.X; };
    auto upperShaft = [&] {
        above();
        p[2].Y = p[3].Y = q.Y;
        p[4].Y = p[5].Y = 2 * y0 - q.Y;
    };
    auto lowerShaft = [&] {
        below();
        p[4].Y = p[5].Y = q.Y;
        p[2].Y = p[3].Y = 2 * y0 - q.Y;
    };
    auto tail = [&] { p[3].X = p[4].X = q.X; };

    switch (btnIdx) {
    case 0: q.Y = y0; break;
    case 1:
        above();
        p[6].Y = 2 * y0 - q.Y;
        headBase();
        break;
    case 2:
        headBase();
        upperShaft();
        break;
    case 3:
        upperShaft();
        tail();
        break;
    case 4:
        lowerShaft();
        tail();
        break;
    case 5:
        headBase();
        lowerShaft();
        break;
    case 6:
        below();
        p[1].Y = 2 * y0 - q.Y;
        headBase();
        break;
    }
    // Stored as it is: mapping it to the frame and back through the rotation
    // could round it a pixel off and break the symmetry.
    p[btnIdx] = q;
}
