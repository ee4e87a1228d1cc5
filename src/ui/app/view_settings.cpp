#include "ui/app/view_settings.h"

#include "ui/app/settings_file.h"

#include <QSettings>

#include <algorithm>

namespace kx::ui {

namespace {

constexpr const char *kGuidesKey = "View/SmartGuides";
constexpr const char *kGridKey = "View/Grid";
constexpr const char *kSnapKey = "View/SnapToGrid";
constexpr const char *kSpacingKey = "View/GridSpacing";

} // namespace

ViewSettings StoredViewSettings()
{
    const QSettings stored(kx::EditorSettingsPath(), QSettings::IniFormat);
    ViewSettings settings;
    settings.guides = stored.value(QString::fromUtf8(kGuidesKey), true).toBool();
    settings.grid = stored.value(QString::fromUtf8(kGridKey), false).toBool();
    settings.snapToGrid = stored.value(QString::fromUtf8(kSnapKey), false).toBool();
    bool ok = false;
    const int spacing = stored.value(QString::fromUtf8(kSpacingKey)).toInt(&ok);
    // A hand-edited file may hold anything: what no grid can use is the default.
    settings.gridSpacing
        = ok && spacing >= 1 && spacing <= kMaxGridSpacing ? spacing : kDefaultGridSpacing;
    return settings;
}

void StoreViewSettings(const ViewSettings &settings)
{
    QSettings stored(kx::EditorSettingsPath(), QSettings::IniFormat);
    stored.setValue(QString::fromUtf8(kGuidesKey), settings.guides);
    stored.setValue(QString::fromUtf8(kGridKey), settings.grid);
    stored.setValue(QString::fromUtf8(kSnapKey), settings.snapToGrid);
    stored.setValue(
        QString::fromUtf8(kSpacingKey), std::clamp(settings.gridSpacing, 1, kMaxGridSpacing));
}

} // namespace kx::ui
