// Small geometry types of the model: canvas rectangles and sizes in pixels.
#pragma once

#include <algorithm>

namespace kx {

// A rectangle in canvas pixels; right and bottom lie just outside it.
struct KXRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }

    // The smallest rectangle holding both; an empty rectangle takes the other's place.
    KXRect United(const KXRect &other) const
    {
        if (IsEmpty())
            return other;
        if (other.IsEmpty())
            return *this;
        return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
            std::max(bottom, other.bottom)};
    }

    bool operator==(const KXRect &) const = default;
};

struct KXSize {
    int width = 0;
    int height = 0;
    bool operator==(const KXSize &) const = default;
};

// Rounds a non-negative scaled size the way the canvas does: add one half, truncate toward zero.
inline int Nearest(double v)
{
    return static_cast<int>(v + 0.5);
}

} // namespace kx
