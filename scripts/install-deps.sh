#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running KXDialogEditor need.
#   scripts/install-deps.sh [--screenshots]   (--screenshots: what make screenshots adds)
# Idempotent: prints nothing and changes nothing when every package is already present.
# Works as root and through sudo; refreshes the package lists only when it has to install.
set -euo pipefail

packages=(
    # tool chain
    g++ cmake ninja-build make pkg-config clang-format
    # tests and benchmarks
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    # libraries of the core
    libexpat1-dev libfreetype-dev libpng-dev libgif-dev
    # the editor
    qt6-base-dev qt6-base-dev-tools
    # its English translation (lupdate, lrelease) and Qt's own translated texts
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
    # draws the editor's SVG icon
    libqt6svg6
    # fonts the rasterizer tests and the demo use
    fonts-dejavu-core fonts-ipafont-gothic
    # the Debian package (make package) and its test: the HTML user guide, dpkg-shlibdeps and
    # file for CPack, the validators of the desktop files and the MIME database
    cmark dpkg-dev file desktop-file-utils appstream shared-mime-info libglib2.0-bin
)

# make screenshots also runs the editor under a virtual X server.
if [ "${1:-}" = "--screenshots" ]; then
    packages=(xvfb xauth)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
else
    echo "install-deps: these packages are missing and neither root nor sudo is available:" >&2
    printf '  %s\n' "${missing[@]}" >&2
    exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
