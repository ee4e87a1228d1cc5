#include "ui/canvas/tracker.h"

namespace {

constexpr int kOnlySides = 2; // no top, bottom or corner handles
constexpr int kNoHandles = 4;

// 0 before the start band, 1 in it, 2 between the bands, 3 in the end band, 4 beyond.
int Band(int v, int first, int last)
{
    if (v < first || v > last)
        return 4;
    if (v <= first + CTracker::kBand)
        return 1;
    if (v >= last - CTracker::kBand)
        return 3;
    return 2;
}

} // namespace

int CTracker::HitTest(int x, int y) const
{
    if (!hasWindow || rect.IsEmpty())
        return kHitNone;
    const int row = Band(y, rect.top, rect.bottom);
    const int column = Band(x, rect.left, rect.right);
    if (row == 4 || column == 4)
        return kHitNone;
    static constexpr int kCodes[3][3] = {
        {kHitTopLeft, kHitTop, kHitTopRight},
        {kHitLeft, kHitInside, kHitRight},
        {kHitBottomLeft, kHitBottom, kHitBottomRight},
    };
    const int code = kCodes[row - 1][column - 1];
    if (code == kHitInside)
        return code;
    if (code == kHitLeft || code == kHitRight)
        return kindFlags & kNoHandles ? kHitNone : code;
    return kindFlags & (kOnlySides | kNoHandles) ? kHitNone : code;
}

std::vector<kx::KXRect> CTracker::Handles() const
{
    std::vector<kx::KXRect> squares;
    if (rect.IsEmpty() || (kindFlags & kNoHandles))
        return squares;
    const auto square = [](int left, int top) {
        return kx::KXRect {left, top, left + kBand, top + kBand};
    };
    const int middleY = (rect.top + rect.bottom) / 2 - 2;
    squares.push_back(square(rect.left, middleY));
    squares.push_back(square(rect.right - kBand, middleY));
    if (!(kindFlags & kOnlySides)) {
        const int middleX = (rect.left + rect.right) / 2 - 2;
        for (int top : {rect.top, rect.bottom - kBand}) {
            squares.push_back(square(rect.left, top));
            squares.push_back(square(middleX, top));
            squares.push_back(square(rect.right - kBand, top));
        }
    }
    return squares;
}
