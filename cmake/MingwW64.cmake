# SPDX-License-Identifier: MIT
# Cross-compiles for 64-bit Windows with Debian's mingw-w64 compilers (the posix-thread variant,
# for std::thread). Libraries are looked up only under the prefixes in CMAKE_PREFIX_PATH (the
# Windows libraries built by scripts/windows); programs such as moc and lrelease come from the host.
# scripts/windows sets CMAKE_CROSSCOMPILING_EMULATOR to a Wine runner, through which ctest runs
# the tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VSTE_MINGW_TRIPLE x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${VSTE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VSTE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VSTE_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${VSTE_MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${VSTE_MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "")
set(CMAKE_STRIP ${VSTE_MINGW_TRIPLE}-strip CACHE FILEPATH "")
set(CMAKE_OBJDUMP ${VSTE_MINGW_TRIPLE}-objdump CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${VSTE_MINGW_TRIPLE} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config reads only the Windows prefix's .pc files.
if(CMAKE_PREFIX_PATH)
    list(GET CMAKE_PREFIX_PATH 0 _vste_prefix)
    set(ENV{PKG_CONFIG_LIBDIR} "${_vste_prefix}/lib/pkgconfig:${_vste_prefix}/share/pkgconfig")
    set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
endif()
