#pragma once
// The mixed figures the editor benchmarks place: figure n's kind and the
// defaults it is made with, spread over a 640 x 480 frame.
#include "model/DefaultParam.h"
#include "model/Records.h"

#include <QString>
#include <iterator>

namespace bench {

inline TQFigName BenchKind(int n)
{
    static constexpr TQFigName kinds[] = {qfRectangle, qfEllipse, qfDiamond, qfStar,     qfPolygon,    qfArrow, qfLine,
                                          qfLLine,     qfZLine,   qfBezier,  qfText,     qfTextBezier, qfPoint};
    return kinds[n % static_cast<int>(std::size(kinds))];
}

inline void SetBenchDefaults(TDefaultParam& d, int n)
{
    d.Left = 10 + (n * 53) % 500;
    d.Top = 10 + (n * 37) % 380;
    d.Width = 60 + n % 5 * 10;
    d.Height = 40 + n % 3 * 15;
    d.BackColor = 0x102030 * (n % 7 + 1) & 0xFFFFFF;
    d.Angle = n % 4 == 0 ? 30 : 0;
    d.TextValue = n % 3 == 0 ? QStringLiteral("Frame text %1").arg(n) : QString();
    d.ShadowWidth = n % 6 == 0 ? 4 : 0;
}

} // namespace bench
