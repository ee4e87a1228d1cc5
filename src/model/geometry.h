// Small geometry types of the model: canvas rectangles and sizes in pixels.
#pragma once

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace kx {

// The int closest to v: values beyond the int range stop at its ends. Positions and sizes read
// from a file can be anything an int holds, so sums and differences of them are formed in 64
// bits and brought back with this, never wrapped.
inline int Saturate(std::int64_t v)
{
    return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX));
}

// A rectangle in canvas pixels; right and bottom lie just outside it.
struct KXRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return Saturate(std::int64_t {right} - left); }
    int Height() const { return Saturate(std::int64_t {bottom} - top); }
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
// Results beyond the int range stop at its ends.
inline int Nearest(double v)
{
    const double r = v + 0.5;
    if (std::isnan(r))
        return 0;
    if (r >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (r <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(r);
}

} // namespace kx
