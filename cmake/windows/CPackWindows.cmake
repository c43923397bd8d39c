# SPDX-License-Identifier: MIT
# Read by cpack for each generator: the portable zip and the installer get names of their own.
if(CPACK_GENERATOR STREQUAL "ZIP")
    set(CPACK_PACKAGE_FILE_NAME "vste-${CPACK_PACKAGE_VERSION}-windows-x64")
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
elseif(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_PACKAGE_FILE_NAME "vste-${CPACK_PACKAGE_VERSION}-setup-x64")
endif()
