# malvoren_add_test(<name> SOURCES <files...> LIBS <targets...> [GUI] [NO_WIDGETS])
#   Builds one GoogleTest executable and registers its cases with CTest.
#   GUI: the binary provides its own main() (see tests/support/gui_main.cpp) and its cases run
#        under the offscreen Qt platform.
#   NO_WIDGETS: CTest also checks that the binary does not load libQt6Widgets, so the engine and
#        the shell's core stay free of widgets.
include(GoogleTest)
find_package(GTest REQUIRED)

function(malvoren_add_test name)
    cmake_parse_arguments(ARG "GUI;NO_WIDGETS" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock malvoren_options)
    if(NOT ARG_GUI)
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
    endif()
    target_compile_definitions(${name} PRIVATE
        MALVOREN_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
        MALVOREN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    set(env "QT_QPA_PLATFORM=offscreen;MALVOREN_RESOURCES_DIR=${PROJECT_SOURCE_DIR}/resources")
    gtest_discover_tests(${name}
        PROPERTIES ENVIRONMENT "${env}"
        NO_PRETTY_VALUES
        DISCOVERY_TIMEOUT 60
        DISCOVERY_MODE PRE_TEST)
    if(ARG_NO_WIDGETS)
        add_test(NAME ${name}.links_no_widgets
            COMMAND sh -c "! ldd \"$<TARGET_FILE:${name}>\" | grep -q libQt6Widgets")
    endif()
endfunction()
