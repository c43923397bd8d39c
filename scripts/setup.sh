#!/usr/bin/env bash
# Shared by the scripts: installs the Debian packages a script needs (only those missing), then
# configures and builds into build/ (or $VSTE_BUILD_DIR).
set -euo pipefail

VSTE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
VSTE_BUILD_DIR="${VSTE_BUILD_DIR:-$VSTE_ROOT/build}"

# Debian packages by purpose; each script installs the lists it needs and nothing more.
# Building and running the editor and vste-cli (scripts/run).
VSTE_PACKAGES_BUILD=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev
    libicu-dev zlib1g-dev libcli11-dev nlohmann-json3-dev
    libxlsxwriter-dev libzip-dev libpugixml-dev
    libhunspell-dev hunspell-en-us hunspell-ru hunspell-de-de
    qt6-translations-l10n fonts-dejavu-core
)
# The tests and benchmarks (scripts/test): test frameworks, the sanitizer and fuzzer runtime, a
# virtual display, and the other programs whose reading of our files the tests check.
VSTE_PACKAGES_TEST=(
    libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth fonts-wqy-microhei time
    gettext libxml2-utils libreoffice-calc-nogui
)
# The fuzz targets (scripts/fuzz).
VSTE_PACKAGES_FUZZ=(clang libclang-rt-14-dev)
# The Debian package and its checks (scripts/package).
VSTE_PACKAGES_PACKAGE=(help2man dpkg-dev file lintian desktop-file-utils appstream)

# The Windows build (scripts/windows): the mingw-w64 cross compilers with posix threads, Wine to
# run what they build, NSIS for the installer, and what unpacking and building Debian's source
# packages of the Windows libraries needs, and the fonts the window tests draw with under Wine.
VSTE_PACKAGES_WINDOWS=(
    g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
    wine wine64 nsis zip unzip dpkg-dev xz-utils perl python3 libgtest-dev
    fonts-dejavu-core fonts-wqy-microhei xvfb xauth xdotool
)

# vste_install_packages [LIST...]: installs the missing packages of the named lists (BUILD, TEST,
# FUZZ, PACKAGE, WINDOWS); BUILD alone when none is named.
vste_install_packages() {
    local lists=("$@") wanted=() missing=()
    if [ ${#lists[@]} -eq 0 ]; then
        lists=(BUILD)
    fi
    for l in "${lists[@]}"; do
        local -n list="VSTE_PACKAGES_$l"
        wanted+=("${list[@]}")
        unset -n list
    done
    for p in "${wanted[@]}"; do
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
