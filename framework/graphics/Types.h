#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Geometry with the classic desktop semantics: a rectangle is half-open, so Right
// and Bottom lie just outside it and Width() is Right - Left.
struct TPoint {
    int X = 0;
    int Y = 0;

    QPoint ToQPoint() const { return {X, Y}; }
    static TPoint FromQPoint(const QPoint& point) { return {point.x(), point.y()}; }
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;

    QSize ToQSize() const { return {cx, cy}; }
    static TSize FromQSize(const QSize& size) { return {size.width(), size.height()}; }
    friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }

    QRect ToQRect() const { return QRect(QPoint(Left, Top), QSize(Width(), Height())); }
    static TRect FromQRect(const QRect& rect) {
        return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
    }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int x, int y) {
    return {x, y};
}
inline TRect Rect(int left, int top, int right, int bottom) {
    return {left, top, right, bottom};
}
inline TRect Bounds(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

// True when the point lies in the half-open rectangle (Right and Bottom excluded).
inline bool PtInRect(const TRect& rect, const TPoint& point) {
    return point.X >= rect.Left && point.X < rect.Right && point.Y >= rect.Top &&
           point.Y < rect.Bottom;
}

inline bool IsRectEmpty(const TRect& rect) {
    return rect.IsEmpty();
}

inline void OffsetRect(TRect& rect, int dx, int dy) {
    rect.Left += dx;
    rect.Right += dx;
    rect.Top += dy;
    rect.Bottom += dy;
}

inline void InflateRect(TRect& rect, int dx, int dy) {
    rect.Left -= dx;
    rect.Right += dx;
    rect.Top -= dy;
    rect.Bottom += dy;
}

// Stores the overlap of a and b in target; an empty overlap becomes (0, 0, 0, 0)
// and the result is false.
bool IntersectRect(TRect& target, const TRect& a, const TRect& b);

// Stores the smallest rectangle holding a and b in target (empty inputs are
// ignored); false when both are empty.
bool UnionRect(TRect& target, const TRect& a, const TRect& b);
