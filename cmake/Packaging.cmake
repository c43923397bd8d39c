# SPDX-License-Identifier: MIT
# Installation of the desktop integration (launcher, file types, icons, AppStream metadata,
# manual pages, bash completion, copyright), its validation tests, and the Debian package
# (cpack -G DEB, or scripts/package). The application id names the launcher, the metadata and
# the icon alike.
include(GNUInstallDirs)

set(VSTE_APP_ID org.velmoran.vste)
set(VSTE_RELEASE_DATE "2026-12-08" CACHE STRING "Release date of this version, for the metadata")
set(VSTE_SCREENSHOT_URL "${VSTE_HOMEPAGE}/screenshot.png" CACHE STRING
    "Published copy of docs/screenshot.png, for the metadata")

set(data ${CMAKE_SOURCE_DIR}/data)
set(generated ${CMAKE_BINARY_DIR}/data)
configure_file(${data}/${VSTE_APP_ID}.metainfo.xml.in ${generated}/${VSTE_APP_ID}.metainfo.xml @ONLY)

if(UNIX AND NOT APPLE)
    install(FILES ${data}/${VSTE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${data}/mime/${VSTE_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
    install(FILES ${generated}/${VSTE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    foreach(size 16 32 48 64 128 256)
        set(png ${data}/icons/vste-${size}.png)
        if(size EQUAL 256)
            set(png ${data}/icons/vste.png)
        endif()
        install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${VSTE_APP_ID}.png)
    endforeach()
    install(FILES ${data}/icons/vste.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${VSTE_APP_ID}.svg)
    install(FILES ${data}/completion/vste-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME vste-cli)
    install(FILES ${data}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
    # The package's change log, in Debian's format, dated with the release.
    execute_process(COMMAND date -u -R -d "${VSTE_RELEASE_DATE}"
        OUTPUT_VARIABLE VSTE_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE)
    configure_file(${data}/changelog.in ${generated}/changelog @ONLY)
    execute_process(COMMAND gzip -9nf ${generated}/changelog)
    install(FILES ${generated}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

# Manual pages from the programs' own --help (help2man), gzipped as Debian installs them.
find_program(VSTE_HELP2MAN help2man)
find_program(VSTE_GZIP gzip)
# Not in the sanitizer and fuzzing builds, which ship nothing.
if(VSTE_HELP2MAN AND VSTE_GZIP AND TARGET vste AND UNIX AND NOT APPLE AND NOT VSTE_SANITIZE
   AND NOT VSTE_FUZZ)
    set(man ${generated}/man)
    add_custom_command(OUTPUT ${man}/vste.1.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${man}
        COMMAND ${CMAKE_COMMAND} -E env "PATH=$<TARGET_FILE_DIR:vste>:$ENV{PATH}"
            ${VSTE_HELP2MAN} --no-info --section=1 --output=${man}/vste.1
            --version-string=${PROJECT_VERSION}
            "--name=edit the string tables of computer games" vste
        COMMAND ${VSTE_GZIP} -9nf ${man}/vste.1
        DEPENDS vste VERBATIM)
    add_custom_command(OUTPUT ${man}/vste-cli.1.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${man}
        COMMAND sh ${data}/man/commands.sh $<TARGET_FILE:vste-cli> > ${man}/vste-cli.h2m
        COMMAND ${CMAKE_COMMAND} -E env "PATH=$<TARGET_FILE_DIR:vste-cli>:$ENV{PATH}"
            ${VSTE_HELP2MAN} --no-info --section=1 --output=${man}/vste-cli.1
            "--name=inspect and convert the string tables of games" --include=${man}/vste-cli.h2m
            vste-cli
        COMMAND ${VSTE_GZIP} -9nf ${man}/vste-cli.1
        DEPENDS vste-cli ${data}/man/commands.sh VERBATIM)
    add_custom_target(vste_man_pages ALL DEPENDS ${man}/vste.1.gz ${man}/vste-cli.1.gz)
    install(FILES ${man}/vste.1.gz ${man}/vste-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
    message(STATUS "help2man or the editor is missing: no manual pages (Debian: help2man)")
endif()

# The launcher and the metadata pass the freedesktop validators; a missing validator skips.
if(VSTE_BUILD_TESTS AND NOT WIN32)
    foreach(check "desktop_entry_is_valid|desktop-file-validate|${data}/${VSTE_APP_ID}.desktop"
                  "metainfo_is_valid|appstreamcli|validate;--no-net;${generated}/${VSTE_APP_ID}.metainfo.xml")
        string(REPLACE "|" ";" parts "${check}")
        list(POP_FRONT parts name tool)
        add_test(NAME ${name} COMMAND sh -c
            "command -v ${tool} >/dev/null || { echo '${tool} is not installed: skipped'; exit 77; }; exec \"$@\""
            sh ${tool} ${parts})
        set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
    endforeach()
endif()
if(VSTE_BUILD_TESTS)
    add_test(NAME cli_prints_its_version COMMAND vste-cli --version)
    set_tests_properties(cli_prints_its_version PROPERTIES
        PASS_REGULAR_EXPRESSION "^vste-cli ${PROJECT_VERSION}\n$")
    # On Windows the editor shows its version in a message box, which a test cannot read.
    if(TARGET vste AND NOT WIN32)
        add_test(NAME editor_prints_its_version COMMAND vste --version)
        set_tests_properties(editor_prints_its_version PROPERTIES
            PASS_REGULAR_EXPRESSION " ${PROJECT_VERSION}\n$" ENVIRONMENT "DISPLAY=;WAYLAND_DISPLAY=")
    endif()
endif()

if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/PackagingWindows.cmake)
    return()
endif()

# The Debian package: vste_<version>_amd64.deb with the dependencies dpkg-shlibdeps finds, plus
# the platform plugins Qt loads at run time and, recommended, Qt's own Russian texts.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vste)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Velmoran Studio")
set(CPACK_PACKAGE_CONTACT "Velmoran Studio <${VSTE_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the string tables of computer games")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop editor for the string tables of computer games: CSF and STR\n"
    "files and the string files of several older games. Browse strings by\n"
    "category, search, edit values and extra values, add and delete strings,\n"
    "and save. Includes vste-cli, which dumps, inspects and converts the same\n"
    "files from the command line.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VSTE_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
