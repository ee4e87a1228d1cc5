// The canvas's view choices kept in the editor's settings: smart guides, the layout grid, its
// spacing and whether drags snap to it.
#pragma once

namespace kx::ui {

constexpr int kDefaultGridSpacing = 8;
constexpr int kMaxGridSpacing = 256;

struct ViewSettings {
    bool guides = true;
    bool grid = false;
    bool snapToGrid = false;
    int gridSpacing = kDefaultGridSpacing;
    bool operator==(const ViewSettings &) const = default;
};

ViewSettings StoredViewSettings();
void StoreViewSettings(const ViewSettings &settings);

} // namespace kx::ui
