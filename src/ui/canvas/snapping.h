// Snapping of a dragged or resized selection: its edges and centre snap to the edges and centres
// of the dialog's other objects and of the dialog itself (smart guides), else to a grid. The rule
// works in canvas pixels and knows nothing of Qt; the canvas draws the lines and distances it
// answers over the dialog's picture.
#pragma once

#include "model/geometry.h"

#include <vector>

class CObjectDataList;

// A guide that holds: a vertical line at x = position, or a horizontal one at y = position,
// drawn across the whole canvas.
struct SnapLine {
    bool vertical = true;
    int position = 0;
    bool operator==(const SnapLine &) const = default;
};

// The gap between the moving rectangle and its nearest neighbour on one axis: from `from` to
// `to` (canvas pixels along the axis), drawn at `across` on the other axis.
struct SnapDistance {
    bool horizontal = true;
    int from = 0;
    int to = 0;
    int across = 0;
    int Length() const { return to - from; }
    bool operator==(const SnapDistance &) const = default;
};

// What snapping does to a rectangle: the shift of its moving edges, the guides that hold after
// it, and the distances to the nearest neighbours.
struct SnapResult {
    int dx = 0;
    int dy = 0;
    std::vector<SnapLine> lines;
    std::vector<SnapDistance> distances;
    bool operator==(const SnapResult &) const = default;
};

// How a drag snaps. The tolerance is in screen pixels, so it is the same distance on the screen
// at every zoom.
struct SnapOptions {
    static constexpr int kTolerance = 5;
    bool guides = true;
    // Snap to a grid of this spacing in canvas pixels; 0 for none.
    int grid = 0;
    // Screen pixels per canvas pixel.
    int zoom = 1;
    bool operator==(const SnapOptions &) const = default;
};

// Which edges of the rectangle a drag moves, from the hit code of the frame: all of them for a
// move (centre included), the edges of the handle for a resize.
struct MovingEdges {
    bool left = false, right = false, centreX = false;
    bool top = false, bottom = false, centreY = false;
    static MovingEdges ForHit(int hitCode);
};

// The edges and centres a drag may snap to, gathered once when the drag starts.
class CSnapTargets {
public:
    // The dialog (0, 0, width, height) and every shown object of the tree that is not selected
    // (the objects inside groups, not the groups' bounds).
    void Collect(const CObjectDataList &root, int width, int height);
    // The same from plain rectangles (the dialog first), for tests.
    void Collect(const std::vector<kx::KXRect> &objects, const kx::KXRect &dialog);
    void Clear();
    bool IsEmpty() const { return m_edgesX.empty(); }

    // The snap of rect for a drag that moves the given edges. Guides win over the grid; on each
    // axis the nearest candidate within the tolerance wins, and of two at the same distance the
    // one that moves the rectangle left (or up). Every guide that then holds is answered, and
    // the nearest neighbour's distance on each axis.
    SnapResult Snap(
        const kx::KXRect &rect, const MovingEdges &edges, const SnapOptions &options) const;
    // Distances from rect to its nearest neighbours (left or right, above or below).
    std::vector<SnapDistance> Distances(const kx::KXRect &rect) const;

private:
    void Add(const kx::KXRect &rect);
    void Sort();

    std::vector<int> m_edgesX, m_edgesY, m_centresX, m_centresY;
    std::vector<kx::KXRect> m_objects;
};
