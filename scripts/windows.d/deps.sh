# Builds the Windows libraries from Debian's sources into $VSTE_WIN_PREFIX with the mingw-w64
# toolchain. Each library is built once; a stamp file records the recipe it was built with.
# Qt and ICU are shared libraries (Qt's plugins need a shared Qt; both programs share ICU's large
# data); the small libraries are linked statically.

vste_win_cmake_lib() { # NAME SOURCE_DIR [cmake options...]
    local name="$1" src="$2"
    shift 2
    local build="$VSTE_WIN_WORK/build-$name"
    cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$VSTE_ROOT/cmake/MingwW64.cmake" \
        -DCMAKE_PREFIX_PATH="$VSTE_WIN_PREFIX" -DCMAKE_INSTALL_PREFIX="$VSTE_WIN_PREFIX" \
        -DBUILD_SHARED_LIBS=OFF "$@" >"$VSTE_WIN_WORK/$name-configure.log"
    cmake --build "$build" --parallel "$(nproc)" >"$VSTE_WIN_WORK/$name-build.log"
    cmake --install "$build" >"$VSTE_WIN_WORK/$name-install.log"
}

vste_win_build_zlib() {
    # Debian's source leaves out zlib's Windows resource file, so the DLL cannot be built: only the
    # static library is, and it is installed by hand under its usual name.
    local src build="$VSTE_WIN_WORK/build-zlib"
    src="$(vste_win_source_dir "$VSTE_WIN_SRC" zlib)"
    cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$VSTE_ROOT/cmake/MingwW64.cmake" >"$VSTE_WIN_WORK/zlib-configure.log"
    cmake --build "$build" --target zlibstatic >"$VSTE_WIN_WORK/zlib-build.log"
    mkdir -p "$VSTE_WIN_PREFIX/include" "$VSTE_WIN_PREFIX/lib"
    cp "$src/zlib.h" "$build/zconf.h" "$VSTE_WIN_PREFIX/include/"
    cp "$build/libzlibstatic.a" "$VSTE_WIN_PREFIX/lib/libz.a"
}

vste_win_build_icu() {
    local src host cross
    src="$(vste_win_source_dir "$VSTE_WIN_SRC" icu)/source"
    host="$VSTE_WIN_WORK/build-icu-host"
    cross="$VSTE_WIN_WORK/build-icu"
    local common=(--disable-tests --disable-samples --disable-extras --disable-layoutex)
    mkdir -p "$host" "$cross"
    (cd "$host" && "$src/configure" "${common[@]}" >configure.log &&
        make -j"$(nproc)" >build.log)
    (cd "$cross" && "$src/configure" "${common[@]}" --host=x86_64-w64-mingw32 \
        --with-cross-build="$host" --prefix="$VSTE_WIN_PREFIX" --enable-shared --disable-static \
        --disable-tools --with-data-packaging=library \
        CC=x86_64-w64-mingw32-gcc-posix CXX=x86_64-w64-mingw32-g++-posix >configure.log &&
        make -j"$(nproc)" >build.log && make install >install.log)
}

vste_win_build_qt() {
    local src
    src="$(vste_win_source_dir "$VSTE_WIN_SRC" qt6-base)"
    local build="$VSTE_WIN_WORK/build-qt"
    # Debian's Qt on the host provides moc, rcc, uic and the other build tools.
    PKG_CONFIG_LIBDIR=/nonexistent cmake -S "$src" -B "$build" -G Ninja \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$VSTE_WIN_PREFIX" \
        -DCMAKE_TOOLCHAIN_FILE="$VSTE_ROOT/cmake/MingwW64.cmake" \
        -DQT_HOST_PATH=/usr -DQt6HostInfo_DIR=/usr/lib/x86_64-linux-gnu/cmake/Qt6HostInfo \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_network=OFF -DFEATURE_printsupport=OFF \
        -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_icu=OFF -DFEATURE_openssl=OFF \
        -DFEATURE_tabletevent=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF \
        -DFEATURE_pkg_config=OFF >"$VSTE_WIN_WORK/qt-configure.log"
    cmake --build "$build" --parallel "$(nproc)" >"$VSTE_WIN_WORK/qt-build.log"
    cmake --install "$build" >"$VSTE_WIN_WORK/qt-install.log"
}

vste_win_build_small_libs() {
    local s="$VSTE_WIN_SRC"
    vste_win_cmake_lib pugixml "$(vste_win_source_dir "$s" pugixml)"
    vste_win_cmake_lib libzip "$(vste_win_source_dir "$s" libzip)" -DENABLE_BZIP2=OFF \
        -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF -DENABLE_OPENSSL=OFF -DENABLE_GNUTLS=OFF \
        -DENABLE_MBEDTLS=OFF -DENABLE_WINDOWS_CRYPTO=OFF -DBUILD_TOOLS=OFF \
        -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF
    vste_win_cmake_lib libxlsxwriter "$(vste_win_source_dir "$s" libxlsxwriter)" \
        -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF -DUSE_SYSTEM_MINIZIP=OFF
    vste_win_cmake_lib cli11 "$(vste_win_source_dir "$s" cli11)" -DCLI11_BUILD_TESTS=OFF \
        -DCLI11_BUILD_EXAMPLES=OFF -DCLI11_BUILD_DOCS=OFF
    vste_win_cmake_lib nlohmann-json "$(vste_win_source_dir "$s" nlohmann-json3)" \
        -DJSON_BuildTests=OFF
    # GoogleTest's source as Debian ships it with libgtest-dev.
    vste_win_cmake_lib googletest /usr/src/googletest -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=OFF
    vste_win_build_hunspell
}

vste_win_build_hunspell() {
    local src build="$VSTE_WIN_WORK/build-hunspell"
    src="$(vste_win_source_dir "$VSTE_WIN_SRC" hunspell)"
    mkdir -p "$build"
    (cd "$src" && { [ -x configure ] || autoreconf -fi >"$build/autoreconf.log" 2>&1; })
    (cd "$build" && "$src/configure" --host=x86_64-w64-mingw32 --prefix="$VSTE_WIN_PREFIX" \
        --disable-shared --enable-static --without-ui --without-readline --disable-nls \
        CC=x86_64-w64-mingw32-gcc-posix CXX=x86_64-w64-mingw32-g++-posix \
        CXXFLAGS="-O2 -DHUNSPELL_STATIC" >configure.log &&
        make -j"$(nproc)" -C src/hunspell >build.log && make -C src/hunspell install >install.log)
    # The library's pkg-config file, which the build above installs only with the programs.
    mkdir -p "$VSTE_WIN_PREFIX/lib/pkgconfig"
    (cd "$build" && cp hunspell.pc "$VSTE_WIN_PREFIX/lib/pkgconfig/")
}
