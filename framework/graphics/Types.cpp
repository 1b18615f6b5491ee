#include "framework/graphics/Types.h"

#include <algorithm>

bool IntersectRect(TRect& target, const TRect& a, const TRect& b) {
    const TRect overlap{std::max(a.Left, b.Left), std::max(a.Top, b.Top),
                        std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
    if (overlap.IsEmpty()) {
        target = TRect{};
        return false;
    }
    target = overlap;
    return true;
}

bool UnionRect(TRect& target, const TRect& a, const TRect& b) {
    if (a.IsEmpty() && b.IsEmpty()) {
        target = TRect{};
        return false;
    }
    if (a.IsEmpty() || b.IsEmpty()) {
        target = a.IsEmpty() ? b : a;
        return true;
    }
    target = TRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                   std::max(a.Bottom, b.Bottom)};
    return true;
}
