// The selection frame of a canvas: a rectangle in canvas pixels with up to eight handles, and the
// test that tells which handle (or the inside) a point is on. Knows nothing of Qt.
#pragma once

#include "model/geometry.h"

#include <vector>

// What a point of the canvas is on, as the press and move rules of the canvas use it.
enum TrackerHit : int {
    kHitConsumed = -1, // the press did its work already (a Ctrl-click that deselected)
    kHitNone = 0,
    kHitTopLeft = 1,
    kHitTop = 2,
    kHitTopRight = 3,
    kHitLeft = 4,
    kHitInside = 5, // moves the selection
    kHitRight = 6,
    kHitBottomLeft = 7,
    kHitBottom = 8,
    kHitBottomRight = 9,
};

class CTracker {
public:
    // Width of the handle bands and side of the handle squares, in canvas pixels.
    static constexpr int kBand = 5;
    // Kind flags while a rubber band is drawn: no handles.
    static constexpr int kRubberBand = 7;

    // The frame, left and top inside, right and bottom just outside as the selection's bounds.
    kx::KXRect rect;
    // Which handles exist (the selection's kind flags): with 2, only the left and right handles
    // (buttons and edit boxes take their height from their picture); with 4, none (pictures can
    // only be moved).
    int kindFlags = 0;
    // Whether the frame belongs to a window at all; without one nothing is hit.
    bool hasWindow = true;

    // The handle or band under (x, y): the 5-pixel bands along the edges are tested top first,
    // then left first, so in a frame lower than 10 pixels the top band wins.
    int HitTest(int x, int y) const;
    // The squares to draw for the handles that exist (none for an empty frame).
    std::vector<kx::KXRect> Handles() const;
};
