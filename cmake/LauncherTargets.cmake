# Warnings for our own targets only, so a parent project's flags stay its own.
function(launcher_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()

# A static library of the launcher: sources are given explicitly, headers are
# included by folder path ("settings/configsettings.h").
function(launcher_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    launcher_warnings(${name})
endfunction()
