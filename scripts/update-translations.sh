#!/usr/bin/env bash
# Brings the editor's English translation up to date with its sources: every text of src/ui that
# goes through tr(), translate() or the QT_*_NOOP marks is listed in
# src/ui/translations/kxdialogeditor_en.ts, a text that is new is marked unfinished until it is
# translated, and a text that is gone is dropped. Without line numbers, so that the file changes
# only when texts do.
#   scripts/update-translations.sh [TS_FILE]   (default: the file in the repository)
# LUPDATE names the lupdate of Qt 6 when it is not in its usual place.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
ts=${1:-$root/src/ui/translations/kxdialogeditor_en.ts}
"$lupdate" -silent -locations none -no-obsolete -source-language ja_JP -target-language en_US \
    -extensions cpp,h -I "$root/src" "$root/src/ui" -ts "$ts"
