# SPDX-License-Identifier: MIT
# The Windows folder and its packages (scripts/windows): the two programs beside the DLLs they
# need and nothing more, Qt's windows platform and style plugins, Qt's Russian texts, a qt.conf
# that points Qt at this folder, the README and the licences. CPack makes of it the portable
# zip (vste-<version>-windows-x64.zip) and the NSIS installer (vste-<version>-setup-x64.exe),
# which registers the file types of the formats and removes them again when uninstalled.

set(VSTE_QT_TRANSLATIONS_DIR /usr/share/qt6/translations CACHE PATH
    "Where Qt's own translations (qtbase_ru.qm) are taken from")

list(GET CMAKE_PREFIX_PATH 0 VSTE_WINDOWS_PREFIX)
if(TARGET vste)
    install(FILES ${VSTE_WINDOWS_PREFIX}/plugins/platforms/qwindows.dll DESTINATION platforms)
    install(FILES ${VSTE_WINDOWS_PREFIX}/plugins/styles/qwindowsvistastyle.dll DESTINATION styles)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/windows/qt.conf DESTINATION .)
    install(FILES ${VSTE_QT_TRANSLATIONS_DIR}/qtbase_ru.qm DESTINATION translations)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/data/copyright DESTINATION . RENAME LICENSE.txt)
install(FILES ${CMAKE_SOURCE_DIR}/data/samples/sample.csf DESTINATION samples)

# The DLLs the programs and plugins load, found by reading their import tables, from the
# Windows libraries' prefix and the compiler's runtime. Windows' own DLLs stay out.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
    OUTPUT_VARIABLE VSTE_STDCXX_DLL OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
    OUTPUT_VARIABLE VSTE_PTHREAD_DLL OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(VSTE_STDCXX_DIR "${VSTE_STDCXX_DLL}" DIRECTORY)
get_filename_component(VSTE_PTHREAD_DIR "${VSTE_PTHREAD_DLL}" DIRECTORY)
set(VSTE_DLL_DIRS ${VSTE_WINDOWS_PREFIX}/bin ${VSTE_WINDOWS_PREFIX}/lib ${VSTE_STDCXX_DIR}
    ${VSTE_PTHREAD_DIR} /usr/x86_64-w64-mingw32/lib)
install(CODE "
    set(ROOT \"\${CMAKE_INSTALL_PREFIX}\")
    if(DEFINED ENV{DESTDIR})
        set(ROOT \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
    endif()
    set(OBJDUMP ${CMAKE_OBJDUMP})
    set(STRIP ${CMAKE_STRIP})
    set(DIRS \"${VSTE_DLL_DIRS}\")
    include(\"${CMAKE_CURRENT_LIST_DIR}/windows/InstallDlls.cmake\")
")

set(CPACK_PACKAGE_NAME vste)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Velmoran Studio")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "VSTE, the editor for the string tables of computer games")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "VSTE")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/data/copyright)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/windows/CPackWindows.cmake)
set(CPACK_NSIS_PACKAGE_NAME "VSTE ${PROJECT_VERSION}")
set(CPACK_NSIS_DISPLAY_NAME "VSTE")
set(CPACK_NSIS_INSTALLED_ICON_NAME vste.exe)
set(CPACK_NSIS_MUI_ICON ${CMAKE_SOURCE_DIR}/data/icons/vste.ico)
set(CPACK_NSIS_MUI_UNIICON ${CMAKE_SOURCE_DIR}/data/icons/vste.ico)
set(CPACK_NSIS_URL_INFO_ABOUT ${VSTE_HOMEPAGE})
set(CPACK_NSIS_CONTACT ${VSTE_EMAIL})
set(CPACK_NSIS_MENU_LINKS "vste.exe" "VSTE")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY VSTE)
set(CPACK_NSIS_DEFINES "!include '${CMAKE_CURRENT_LIST_DIR}/windows/FileTypes.nsh'")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "!insertmacro VsteRegisterFileTypes")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "!insertmacro VsteRemoveFileTypes")

# CMake's installer script, changed in five places so that the install may be per-user or
# machine-wide: it asks for the rights the user has rather than an administrator's, a per-user
# install goes to the user's programs folder, /CurrentUser chooses a per-user install, and the
# uninstaller works where the program was installed; and the installer is a 64-bit program, as
# VSTE is, which sees the 64-bit Program Files and registry and runs where Wine has no 32-bit
# half (Debian's wine64 alone).
set(template ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in)
file(READ ${template} nsis)
foreach(change
        "RequestExecutionLevel admin|RequestExecutionLevel highest"
        "  SetCompressor @CPACK_NSIS_COMPRESSOR@|  Target amd64-unicode\n  SetCompressor @CPACK_NSIS_COMPRESSOR@"
        "$DOCUMENTS\\@CPACK_PACKAGE_INSTALL_DIRECTORY@|$LOCALAPPDATA\\Programs\\@CPACK_PACKAGE_INSTALL_DIRECTORY@"
        "  StrCmp \"@CPACK_NSIS_MODIFY_PATH@\" \"ON\" 0 noOptionsPage|  !insertmacro VsteChooseInstallMode\n  StrCmp \"@CPACK_NSIS_MODIFY_PATH@\" \"ON\" 0 noOptionsPage"
        "  done:\n\nFunctionEnd|  done:\n  !insertmacro VsteUninstallMode\n\nFunctionEnd")
    string(REPLACE "|" ";" parts "${change}")
    list(GET parts 0 from)
    list(GET parts 1 to)
    string(FIND "${nsis}" "${from}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "The installer script of this CMake lacks: ${from}")
    endif()
    string(REPLACE "${from}" "${to}" nsis "${nsis}")
endforeach()
file(WRITE ${CMAKE_BINARY_DIR}/cpack/NSIS.template.in "${nsis}")
set(CPACK_MODULE_PATH ${CMAKE_BINARY_DIR}/cpack)
include(CPack)
