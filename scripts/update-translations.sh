#!/usr/bin/env bash
# Brings the editor's English translation up to date with its sources: every text of src/ui that
# goes through tr(), translate() or the QT_*_NOOP marks is listed in
# src/ui/translations/kxdialogeditor_en.ts, a text that is new is marked unfinished until it is
# translated, and a text that is gone is dropped. Without line numbers, so that the file changes
# only when texts do.
#   scripts/update-translations.sh [TS_FILE]   (default: the file in the repository)
#   scripts/update-translations.sh --check     fails, naming the texts, when the file in the
#                                              repository misses a text or a translation
# LUPDATE names the lupdate of Qt 6 when it is not in its usual place.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
repository_ts=$root/src/ui/translations/kxdialogeditor_en.ts

update() {
    "$lupdate" -silent -locations none -no-obsolete -source-language ja_JP -target-language en_US \
        -extensions cpp,h -I "$root/src" "$root/src/ui" -ts "$1"
}

if [ "${1:-}" != "--check" ]; then
    update "${1:-$repository_ts}"
    exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$repository_ts" "$work/current.ts"
update "$work/current.ts"
status=0
if ! cmp -s "$repository_ts" "$work/current.ts"; then
    echo "The English translation does not list the texts of the sources as they are now:" >&2
    diff "$repository_ts" "$work/current.ts" | grep '^[<>].*<source>' >&2 || true
    status=1
fi
if grep -q 'type="unfinished"' "$work/current.ts"; then
    echo "Texts without an English translation:" >&2
    grep -B2 'type="unfinished"' "$work/current.ts" | grep '<source>' >&2 || true
    status=1
fi
if [ $status -ne 0 ]; then
    echo "Run scripts/update-translations.sh, translate what is marked unfinished, and commit." >&2
fi
exit $status
