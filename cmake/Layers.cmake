# SPDX-License-Identifier: MIT
# The source folders form layers: each may include its own headers and those of the layers below
# it, never those above. vste_check_layer(FOLDER ALLOWED...) stops the configuration when a file
# of src/FOLDER includes a project header from any other folder of src/.
function(vste_check_layer folder)
    set(allowed ${folder} ${ARGN})
    file(GLOB_RECURSE files ${CMAKE_SOURCE_DIR}/src/${folder}/*.h ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp)
    file(GLOB layer_dirs LIST_DIRECTORIES true RELATIVE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/src/*)
    foreach(f ${files})
        file(STRINGS ${f} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[A-Za-z_]+/")
        foreach(line ${includes})
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([A-Za-z_]+)/.*" "\\1" dir "${line}")
            if(dir IN_LIST layer_dirs AND NOT dir IN_LIST allowed)
                message(FATAL_ERROR "${f} includes \"${dir}/...\", which src/${folder} may not use "
                                    "(allowed: ${allowed})")
            endif()
        endforeach()
    endforeach()
    # Re-run the check when a file of the folder changes.
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${files})
endfunction()
