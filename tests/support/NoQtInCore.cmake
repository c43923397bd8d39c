# Fails when any file of the core, the code pages or the formats includes a Qt header.
file(GLOB_RECURSE files ${ROOT}/src/core/* ${ROOT}/src/encoding/* ${ROOT}/src/formats/*)
foreach(f ${files})
    file(STRINGS ${f} hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]Q")
    if(hits)
        message(FATAL_ERROR "${f} includes Qt: ${hits}")
    endif()
endforeach()
message(STATUS "no Qt include in ${ROOT}/src/{core,encoding,formats}")
