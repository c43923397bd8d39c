#!/usr/bin/env bash
# Shared by scripts/run and scripts/test: installs the Debian packages the project needs (only
# those missing), then configures and builds into build/ (or $VSTE_BUILD_DIR).
set -euo pipefail

VSTE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
VSTE_BUILD_DIR="${VSTE_BUILD_DIR:-$VSTE_ROOT/build}"

VSTE_PACKAGES=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev
    libicu-dev zlib1g-dev libcli11-dev nlohmann-json3-dev
    libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth fonts-dejavu-core fonts-wqy-microhei time
    libxlsxwriter-dev libzip-dev libpugixml-dev gettext libxml2-utils libreoffice-calc-nogui
    libhunspell-dev hunspell-en-us hunspell-ru hunspell-de-de
    qt6-translations-l10n
    help2man dpkg-dev file lintian desktop-file-utils appstream
)

vste_install_packages() {
    local missing=()
    for p in "${VSTE_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

# vste_build DIR [cmake options...]
vste_build() {
    local dir="$1"
    shift
    cmake -S "$VSTE_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}
