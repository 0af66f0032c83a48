# malvoren_add_test(<name> SOURCES <files...> LIBS <targets...> [GUI] [NO_WIDGETS])
#   Builds one GoogleTest executable and registers its cases with CTest.
#   GUI: the binary provides its own main() (see tests/support/gui_main.cpp) and its cases run
#        under the offscreen Qt platform.
#   NO_WIDGETS: CTest also checks that the binary does not load libQt6Widgets, so the engine and
#        the shell's core stay free of widgets.
# With MALVOREN_TESTS_PER_BINARY, CTest runs each executable whole, as one test, instead of each
# case in its own process: the sanitizer tree does so, where starting a process costs a
# quarter of a second and the cases are two thousand.
option(MALVOREN_TESTS_PER_BINARY "Register each test executable as one CTest test" OFF)
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
        MALVOREN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    set(env "QT_QPA_PLATFORM=offscreen;MALVOREN_RESOURCES_DIR=${PROJECT_SOURCE_DIR}/resources")
    if(MALVOREN_TESTS_PER_BINARY)
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 900)
    else()
        gtest_discover_tests(${name}
            PROPERTIES ENVIRONMENT "${env}"
            NO_PRETTY_VALUES
            DISCOVERY_TIMEOUT 60
            DISCOVERY_MODE PRE_TEST)
    endif()
    if(ARG_NO_WIDGETS)
        add_test(NAME ${name}.links_no_widgets
            COMMAND sh -c "! ldd \"$<TARGET_FILE:${name}>\" | grep -q libQt6Widgets")
    endif()
endfunction()

# malvoren_add_gui_smoke_test(<name> SOURCES <files...> LIBS <targets...> [SCREEN <W>x<H>])
# malvoren_add_gui_smoke_test(<name> COMMAND <command...> [SCREEN <W>x<H>])
#   Builds one GoogleTest executable (with the GUI main) whose windows are shown for real on
#   an X server that xvfb-run starts (-a: a free display number), under the CTest label
#   gui-smoke; with COMMAND, runs that command on such a server instead. The screen is SCREEN
#   (1280x800 unless told), and MALVOREN_SCREEN says the same, so the tool's screen sizes agree
#   with the server. testsupport::Screenshot takes what the display shows and
#   testsupport::SaveForInspection writes it to the build tree's "rendered" folder.
#   Each test sets the environment it needs itself, whatever ctest was started with: the
#   display (xvfb-run's), the platform (xcb), the screen, a runtime folder of its own (made
#   with mode 700 before the run), and none of the variables that would make the run headless
#   or send it to another display server.
#   Without xvfb-run (scripts/install-deps.sh installs it) the test reports itself skipped.
#   With MALVOREN_GUI_SMOKE off, nothing is built or registered.
find_program(MALVOREN_XVFB_RUN xvfb-run)
set(MALVOREN_GUI_SMOKE_UNSET WAYLAND_DISPLAY MALVOREN_HEADLESS QT_SCALE_FACTOR
    QT_SCREEN_SCALE_FACTORS QT_QPA_PLATFORMTHEME)
function(malvoren_add_gui_smoke_test name)
    if(NOT MALVOREN_GUI_SMOKE)
        return()
    endif()
    cmake_parse_arguments(ARG "" "SCREEN" "SOURCES;LIBS;COMMAND" ${ARGN})
    if(NOT ARG_SCREEN)
        set(ARG_SCREEN 1280x800)
    endif()
    if(ARG_COMMAND)
        set(command ${ARG_COMMAND})
    else()
        add_executable(${name} ${ARG_SOURCES})
        target_link_libraries(${name} PRIVATE ${ARG_LIBS} malvoren_test_gui_smoke
            malvoren_test_gui_main GTest::gtest malvoren_options)
        target_compile_definitions(${name} PRIVATE
            MALVOREN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
        set(command $<TARGET_FILE:${name}>)
    endif()
    if(MALVOREN_XVFB_RUN)
        add_test(NAME ${name}
            COMMAND sh -c "mkdir -p -m 700 \"$XDG_RUNTIME_DIR\" && exec \"$@\"" gui-smoke
                ${MALVOREN_XVFB_RUN} -a -s "-screen 0 ${ARG_SCREEN}x24" ${command})
    else()
        add_test(NAME ${name} COMMAND sh -c "echo 'xvfb-run is missing: not run'; exit 77")
        set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
    endif()
    set(unset "")
    foreach(variable IN LISTS MALVOREN_GUI_SMOKE_UNSET)
        list(APPEND unset "${variable}=unset:")
    endforeach()
    set_tests_properties(${name} PROPERTIES
        LABELS gui-smoke
        TIMEOUT 120
        ENVIRONMENT "QT_QPA_PLATFORM=xcb;MALVOREN_SCREEN=${ARG_SCREEN};MALVOREN_RESOURCES_DIR=${PROJECT_SOURCE_DIR}/resources;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/gui-smoke-runtime/${name}"
        ENVIRONMENT_MODIFICATION "${unset}")
endfunction()
