#pragma once
// Plain geometry value types with the field names of the Windows API
// (TPoint.X/Y, TRect.Left/Top/Right/Bottom). Rectangles exclude their right and
// bottom edges, as GDI rectangles do.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>

struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;

    constexpr TPoint() = default;
    constexpr TPoint(int32_t x, int32_t y) : X(x), Y(y) {}

    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
    constexpr TPoint operator+(const TPoint& o) const { return {X + o.X, Y + o.Y}; }
    constexpr TPoint operator-(const TPoint& o) const { return {X - o.X, Y - o.Y}; }
    QPoint toQPoint() const { return {X, Y}; }
};

struct TSize {
    int32_t cx = 0;
    int32_t cy = 0;
    friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    constexpr TRect() = default;
    constexpr TRect(int32_t l, int32_t t, int32_t r, int32_t b) : Left(l), Top(t), Right(r), Bottom(b) {}

    friend constexpr bool operator==(const TRect&, const TRect&) = default;
    constexpr int32_t Width() const { return Right - Left; }
    constexpr int32_t Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    // Right and bottom edges are outside, as in GDI's PtInRect.
    constexpr bool Contains(const TPoint& p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    // The same rectangle with Left <= Right and Top <= Bottom.
    constexpr TRect Normalized() const
    {
        return {Left < Right ? Left : Right, Top < Bottom ? Top : Bottom,
                Left < Right ? Right : Left, Top < Bottom ? Bottom : Top};
    }
    QRect toQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
};
