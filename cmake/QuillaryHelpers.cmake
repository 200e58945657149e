# quillary_add_test(NAME name SOURCES a.cpp ... [LIBS lib ...])
# One QtTest executable registered with CTest, run headless with a pinned locale and time zone, finding
# the shipped tables in the build tree.
function(quillary_add_test)
    cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE Qt6::Test testsupport ${ARG_LIBS})
    add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
    set_tests_properties(${ARG_NAME} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8;TZ=UTC;QUILLARY_DATA_DIR=${QUILLARY_BUILD_DATA_DIR}"
        TIMEOUT 300)
endfunction()
