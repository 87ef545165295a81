#!/usr/bin/env bash
# Installs what one part of the work needs, and only what is missing:
#   setup-debian.sh            building, running, testing and the screenshots
#   setup-debian.sh windows    the Windows check (mingw-w64, Wine)
#   setup-debian.sh fuzz       the fuzzers (clang)
#   setup-debian.sh package    the Debian package (dpkg-dev, file, the desktop validators)
#   setup-debian.sh format     the format check (clang-format)
set -euo pipefail

case "${1:-build}" in
build)
    packages=(
        cmake ninja-build g++ pkg-config ccache
        qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev libx11-dev
        qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
        libgtest-dev libgmock-dev libbenchmark-dev
        xvfb xauth fonts-dejavu-core fonts-liberation
    ) ;;
windows) packages=(g++-mingw-w64-x86-64-posix wine64 pkg-config qt6-base-dev) ;;
fuzz) packages=(clang libclang-rt-14-dev) ;;
package) packages=(dpkg-dev file desktop-file-utils appstream) ;;
format) packages=(clang-format) ;;
*) echo "usage: $0 [build|windows|fuzz|package|format]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if ! command -v apt-get >/dev/null; then
    echo "These packages are missing and there is no apt-get to install them: ${missing[*]}" >&2
    exit 1
fi
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Installing ${missing[*]} needs root or sudo." >&2; exit 1; }
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
