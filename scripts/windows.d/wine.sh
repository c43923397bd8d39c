# Running the Windows build under Wine: a private prefix, the DLL folders on WINEPATH, a runner
# that CMake uses for test discovery and ctest for every test, and the smoke run of the packages.

# vste_wine_environment: exports WINEPREFIX, WINEDEBUG, WINEPATH and VSTE_WINE_RUNNER, and
# creates the prefix once (without the Mono and Gecko installers).
vste_wine_environment() {
    export WINEPREFIX="${VSTE_WINEPREFIX:-$VSTE_WIN_ROOT/wine}"
    export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w
    fi
    local dirs=("$VSTE_WIN_PREFIX/bin" "$VSTE_WIN_PREFIX/lib"
        "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")"
        "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")")
    local path="" d
    for d in "${dirs[@]}"; do
        path="$path;$(winepath -w "$d" 2>/dev/null)"
    done
    export WINEPATH="${path#;}"
    # The offscreen platform draws with the fonts in Qt's library folder, as Linux does with the
    # system's: Debian's DejaVu and WenQuanYi, which the window tests measure text with. (Wine
    # does not hand variables beginning with QT_ to Windows programs, so QT_QPA_FONTDIR cannot.)
    mkdir -p "$VSTE_WIN_PREFIX/lib/fonts" "$VSTE_WIN_PREFIX/translations"
    ln -sf /usr/share/fonts/truetype/dejavu/*.ttf /usr/share/fonts/truetype/wqy/*.ttc \
        "$VSTE_WIN_PREFIX/lib/fonts/"
    # Qt's own Russian texts, where the test programs' Qt looks for them (the packages carry
    # them beside the programs).
    ln -sf /usr/share/qt6/translations/qtbase_ru.qm "$VSTE_WIN_PREFIX/translations/"
    export VSTE_WINE_RUNNER="$VSTE_ROOT/scripts/windows.d/wine-run"
}

# vste_wine_test BUILD_DIR: every test program under Wine, then the packages' smoke run.
vste_wine_test() {
    local build="$1" t0
    # One server for all the runs, started once (after ending one a failed run may have left),
    # and ended however the tests end.
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w
    wineserver -p
    trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
    # Wine's own background programs start with the first program and outlive it; started here,
    # they do not hold the output of the first test open, which ctest would wait for.
    wine cmd /c exit >/dev/null 2>&1 || true
    t0=$(date +%s)
    ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 900
    echo "== ctest under Wine: $(($(date +%s) - t0)) s"
    vste_wine_smoke "$build"
}

# vste_wine_smoke BUILD_DIR: unzips the portable folder under a Cyrillic name and checks that its
# vste-cli.exe dumps and converts a file of every format exactly as the Linux vste-cli does, that
# vste.exe opens the sample in a window, and that the installer installs silently, registers
# .csf and is removed again by its uninstaller.
vste_wine_smoke() {
    local build="$1" tmp zip folder linux
    tmp="$(mktemp -d)"
    zip="$(ls "$build"/vste-*-windows-x64.zip)"
    mkdir -p "$tmp/Проверка VSTE"
    unzip -q "$zip" -d "$tmp/Проверка VSTE"
    folder="$(ls -d "$tmp/Проверка VSTE"/vste-*)"
    vste_build "$VSTE_BUILD_DIR" -DVSTE_BUILD_TESTS=ON -DVSTE_BUILD_BENCH=OFF >/dev/null
    linux="$VSTE_BUILD_DIR/src/cli/vste-cli"
    mkdir -p "$tmp/samples"
    "$VSTE_BUILD_DIR/tests/vste_write_samples" "$tmp/samples"
    cp "$VSTE_ROOT/data/samples/sample.csf" "$tmp/samples/bundled.csf"
    local f name ok=1
    for f in "$tmp/samples"/*; do
        name="$(basename "$f")"
        for cmd in dump convert; do
            local args=("$cmd" "$f")
            if [ "$cmd" = convert ]; then
                args=(convert "$f" "$tmp/linux-$name")
            fi
            VSTE_CODEPAGE=1252 "$linux" "${args[@]}" >"$tmp/linux.out" 2>&1 || true
            [ "$cmd" = convert ] && args=(convert "$(winepath -w "$f")" "$(winepath -w "$tmp/windows-$name")")
            [ "$cmd" = dump ] && args=(dump "$(winepath -w "$f")")
            VSTE_CODEPAGE=1252 wine "$folder/vste-cli.exe" "${args[@]}" >"$tmp/windows.out" 2>&1 || true
            if ! cmp -s "$tmp/linux.out" "$tmp/windows.out"; then
                echo "vste-cli.exe $cmd $name differs from Linux:"
                diff "$tmp/linux.out" "$tmp/windows.out" | head -20
                ok=0
            fi
        done
        if ! cmp -s "$tmp/linux-$name" "$tmp/windows-$name"; then
            echo "vste-cli.exe convert $name writes other bytes than Linux"
            ok=0
        fi
    done
    [ "$ok" = 1 ] || return 1
    echo "== vste-cli.exe in \"$folder\" dumps and converts every format as Linux does"
    # The editor, on Windows' own platform in a virtual display, shows the sample's window. The
    # next Wine server must start inside the display, so that Wine's desktop can use it: nothing
    # may run Wine between the two.
    local sample
    sample="$(winepath -w "$tmp/samples/bundled.csf")"
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w
    if ! VSTE_EXE="$folder/vste.exe" VSTE_SAMPLE="$sample" xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
            wine "$VSTE_EXE" "$VSTE_SAMPLE" >/dev/null 2>&1 &
            for _ in $(seq 1 120); do
                sleep 1
                xdotool search --name "bundled.csf" >/dev/null 2>&1 && exit 0
            done
            exit 1'; then
        echo "vste.exe showed no window with the sample in two minutes"
        return 1
    fi
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w
    echo "== vste.exe starts and shows the sample"
    vste_wine_installer "$build"
    rm -rf "$tmp"
}

# vste_wine_installer BUILD_DIR: silent install, the .csf file type, and the uninstaller.
vste_wine_installer() {
    local setup target
    setup="$(ls "$1"/vste-*-setup-x64.exe)"
    # /D= takes the rest of the command line unquoted: Wine quotes an argument with spaces.
    target='C:\VSTE-test'
    wine "$setup" /S "/D=$target"
    local unix
    unix="$(winepath -u "$target")"
    [ -f "$unix/vste.exe" ] || { echo "the installer did not install vste.exe"; return 1; }
    wine reg query 'HKLM\Software\Classes\.csf' /ve | grep -q Velmoran.CSF ||
        { echo "the installer did not register .csf"; return 1; }
    wine "$unix/Uninstall.exe" /S "_?=$target"
    if wine reg query 'HKLM\Software\Classes\Velmoran.CSF' >/dev/null 2>&1; then
        echo "the uninstaller left the .csf file type"
        return 1
    fi
    echo "== the installer installs silently, registers .csf, and its uninstaller removes both"
    rm -rf "$unix"
}
