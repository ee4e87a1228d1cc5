#!/usr/bin/env bash
# Links the font files that demo.xml names into fonts/, from the Debian font packages that
# scripts/install-deps.sh installs (the files themselves are not part of the repository).
# Safe to run again: existing links are replaced.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# package, file name, where the package puts the file
fonts=(
    "fonts-dejavu-core DejaVuSans.ttf /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
    "fonts-dejavu-core DejaVuSans-Bold.ttf /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
    "fonts-dejavu-core DejaVuSansMono.ttf /usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"
    "fonts-ipafont-gothic ipag.ttf /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
)

mkdir -p "$here/fonts"
missing=()
for entry in "${fonts[@]}"; do
    read -r package name path <<<"$entry"
    if [ ! -f "$path" ] && command -v dpkg >/dev/null 2>&1; then
        # Another release may keep the file elsewhere; ask the package.
        path="$(dpkg -L "$package" 2>/dev/null | grep -m1 "/$name\$" || true)"
    fi
    if [ -z "$path" ] || [ ! -f "$path" ]; then
        missing+=("$name (package $package)")
        continue
    fi
    ln -sfn "$path" "$here/fonts/$name"
done

if [ ${#missing[@]} -ne 0 ]; then
    echo "link-fonts: these fonts of the demo are not installed:" >&2
    printf '  %s\n' "${missing[@]}" >&2
    echo "link-fonts: install them with \"make deps\" (or apt-get install the packages named)." >&2
    exit 1
fi
