#include "ui/canvas/snapping.h"

#include "model/object_data_list.h"
#include "ui/canvas/tracker.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

int Centre(int low, int high)
{
    return kx::Saturate((std::int64_t {low} + high) / 2);
}

// A point of the moving rectangle on one axis and the candidates it may meet.
struct Feature {
    int position;
    const std::vector<int> *candidates;
};

// Whether a shift of d canvas pixels is within the tolerance on the screen.
bool WithinTolerance(std::int64_t d, int zoom)
{
    return std::llabs(d) * std::max(zoom, 1) <= SnapOptions::kTolerance;
}

// The best shift on one axis: the nearest candidate of any feature, ties to the smaller shift.
bool BestShift(const std::vector<Feature> &features, int zoom, int &shift)
{
    bool found = false;
    std::int64_t best = 0;
    const auto consider = [&](std::int64_t d) {
        if (!WithinTolerance(d, zoom))
            return;
        if (!found || std::llabs(d) < std::llabs(best)
            || (std::llabs(d) == std::llabs(best) && d < best)) {
            best = d;
            found = true;
        }
    };
    for (const Feature &feature : features) {
        const std::vector<int> &set = *feature.candidates;
        const auto at = std::lower_bound(set.begin(), set.end(), feature.position);
        if (at != set.end())
            consider(std::int64_t {*at} - feature.position);
        if (at != set.begin())
            consider(std::int64_t {*(at - 1)} - feature.position);
    }
    shift = static_cast<int>(best);
    return found;
}

// The shift that puts position on the nearest grid line (ties to the smaller shift).
int GridShift(int position, int spacing)
{
    const std::int64_t p = position;
    std::int64_t below = p / spacing * spacing;
    if (below > p)
        below -= spacing;
    const std::int64_t above = below + spacing;
    return static_cast<int>(p - below <= above - p ? below - p : above - p);
}

void AddLines(
    const std::vector<Feature> &features, int shift, bool vertical, std::vector<SnapLine> &lines)
{
    for (const Feature &feature : features) {
        const int at = kx::Saturate(std::int64_t {feature.position} + shift);
        if (!std::binary_search(feature.candidates->begin(), feature.candidates->end(), at))
            continue;
        const SnapLine line {vertical, at};
        if (std::find(lines.begin(), lines.end(), line) == lines.end())
            lines.push_back(line);
    }
}

} // namespace

MovingEdges MovingEdges::ForHit(int hitCode)
{
    MovingEdges edges;
    switch (hitCode) {
    case kHitInside:
        edges.left = edges.right = edges.centreX = true;
        edges.top = edges.bottom = edges.centreY = true;
        return edges;
    case kHitTopLeft:
    case kHitLeft:
    case kHitBottomLeft:
        edges.left = true;
        break;
    case kHitTopRight:
    case kHitRight:
    case kHitBottomRight:
        edges.right = true;
        break;
    default:
        break;
    }
    switch (hitCode) {
    case kHitTopLeft:
    case kHitTop:
    case kHitTopRight:
        edges.top = true;
        break;
    case kHitBottomLeft:
    case kHitBottom:
    case kHitBottomRight:
        edges.bottom = true;
        break;
    default:
        break;
    }
    return edges;
}

void CSnapTargets::Clear()
{
    m_edgesX.clear();
    m_edgesY.clear();
    m_centresX.clear();
    m_centresY.clear();
    m_objects.clear();
}

void CSnapTargets::Add(const kx::KXRect &rect)
{
    m_edgesX.push_back(rect.left);
    m_edgesX.push_back(rect.right);
    m_edgesY.push_back(rect.top);
    m_edgesY.push_back(rect.bottom);
    m_centresX.push_back(Centre(rect.left, rect.right));
    m_centresY.push_back(Centre(rect.top, rect.bottom));
}

void CSnapTargets::Sort()
{
    for (std::vector<int> *set : {&m_edgesX, &m_edgesY, &m_centresX, &m_centresY}) {
        std::sort(set->begin(), set->end());
        set->erase(std::unique(set->begin(), set->end()), set->end());
    }
}

void CSnapTargets::Collect(const std::vector<kx::KXRect> &objects, const kx::KXRect &dialog)
{
    Clear();
    Add(dialog);
    for (const kx::KXRect &rect : objects) {
        Add(rect);
        m_objects.push_back(rect);
    }
    Sort();
}

void CSnapTargets::Collect(const CObjectDataList &root, int width, int height)
{
    std::vector<kx::KXRect> objects;
    struct Walk {
        static void Add(const CObjectData &object, std::vector<kx::KXRect> &out)
        {
            // Hidden objects are not drawn and selected ones move with the drag. Groups count
            // through their objects.
            if (object.Hide() || object.SelectedFlag())
                return;
            if (object.IsGroup()) {
                for (const CObjectData *child :
                    static_cast<const CObjectDataList &>(object).Children())
                    Add(*child, out);
                return;
            }
            const kx::KXRect rect = object.GetRect();
            if (!rect.IsEmpty())
                out.push_back(rect);
        }
    };
    Walk::Add(root, objects);
    Collect(objects, {0, 0, width, height});
}

SnapResult CSnapTargets::Snap(
    const kx::KXRect &rect, const MovingEdges &edges, const SnapOptions &options) const
{
    SnapResult result;
    std::vector<Feature> xs;
    std::vector<Feature> ys;
    if (options.guides && !IsEmpty()) {
        if (edges.left)
            xs.push_back({rect.left, &m_edgesX});
        if (edges.right)
            xs.push_back({rect.right, &m_edgesX});
        if (edges.centreX)
            xs.push_back({Centre(rect.left, rect.right), &m_centresX});
        if (edges.top)
            ys.push_back({rect.top, &m_edgesY});
        if (edges.bottom)
            ys.push_back({rect.bottom, &m_edgesY});
        if (edges.centreY)
            ys.push_back({Centre(rect.top, rect.bottom), &m_centresY});
    }
    const bool guideX = BestShift(xs, options.zoom, result.dx);
    const bool guideY = BestShift(ys, options.zoom, result.dy);
    if (guideX)
        AddLines(xs, result.dx, true, result.lines);
    if (guideY)
        AddLines(ys, result.dy, false, result.lines);
    // Without a guide the grid takes the edge that leads: the left (top) one of a move, the
    // handle's of a resize.
    if (options.grid > 0) {
        if (!guideX && (edges.left || edges.right))
            result.dx = GridShift(edges.left ? rect.left : rect.right, options.grid);
        if (!guideY && (edges.top || edges.bottom))
            result.dy = GridShift(edges.top ? rect.top : rect.bottom, options.grid);
    }
    kx::KXRect moved = rect;
    const auto shift = [](int &v, int by) { v = kx::Saturate(std::int64_t {v} + by); };
    if (edges.left)
        shift(moved.left, result.dx);
    if (edges.right)
        shift(moved.right, result.dx);
    if (edges.top)
        shift(moved.top, result.dy);
    if (edges.bottom)
        shift(moved.bottom, result.dy);
    if (options.guides)
        result.distances = Distances(moved);
    return result;
}

std::vector<SnapDistance> CSnapTargets::Distances(const kx::KXRect &rect) const
{
    std::vector<SnapDistance> out;
    // The nearest object on each axis among those that overlap the rectangle on the other.
    std::int64_t bestX = -1;
    std::int64_t bestY = -1;
    SnapDistance nearX;
    SnapDistance nearY;
    for (const kx::KXRect &other : m_objects) {
        const bool rows = other.top < rect.bottom && other.bottom > rect.top;
        const bool columns = other.left < rect.right && other.right > rect.left;
        if (rows) {
            const int across
                = Centre(std::max(other.top, rect.top), std::min(other.bottom, rect.bottom));
            if (other.right <= rect.left) {
                const std::int64_t gap = std::int64_t {rect.left} - other.right;
                if (bestX < 0 || gap < bestX) {
                    bestX = gap;
                    nearX = {true, other.right, rect.left, across};
                }
            } else if (other.left >= rect.right) {
                const std::int64_t gap = std::int64_t {other.left} - rect.right;
                if (bestX < 0 || gap < bestX) {
                    bestX = gap;
                    nearX = {true, rect.right, other.left, across};
                }
            }
        }
        if (columns) {
            const int across
                = Centre(std::max(other.left, rect.left), std::min(other.right, rect.right));
            if (other.bottom <= rect.top) {
                const std::int64_t gap = std::int64_t {rect.top} - other.bottom;
                if (bestY < 0 || gap < bestY) {
                    bestY = gap;
                    nearY = {false, other.bottom, rect.top, across};
                }
            } else if (other.top >= rect.bottom) {
                const std::int64_t gap = std::int64_t {other.top} - rect.bottom;
                if (bestY < 0 || gap < bestY) {
                    bestY = gap;
                    nearY = {false, rect.bottom, other.top, across};
                }
            }
        }
    }
    if (bestX > 0)
        out.push_back(nearX);
    if (bestY > 0)
        out.push_back(nearY);
    return out;
}
