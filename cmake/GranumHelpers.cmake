# Common steps for Granum's own targets; third-party code never gets these flags.

function(granum_target_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# granum_add_library(name SOURCES ... [LIBS ...] [PUBLIC_LIBS ...])
function(granum_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;PUBLIC_LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_LIBS})
    granum_target_warnings(${name})
endfunction()

# granum_add_test(name SOURCES ... [LIBS ...]) builds a GoogleTest program and registers it.
function(granum_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/testmain.cpp)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest)
    target_compile_definitions(${name} PRIVATE
        GRANUM_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
        GRANUM_SCHEMES_DIR="${PROJECT_SOURCE_DIR}/schemes")
    granum_target_warnings(${name})
    add_test(NAME ${name} COMMAND ${name})
endfunction()

# granum_add_qt_test(name SOURCES ... [LIBS ...]) builds a GoogleTest program of widgets: it runs on
# Qt's offscreen platform with a temporary settings folder (tests/support/qtmain.cpp), and may use
# QTest's event functions and the scripted user interaction.
function(granum_add_qt_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    find_package(Qt6 REQUIRED COMPONENTS Test)
    add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/tests/support/qtmain.cpp)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} granum_test_support Qt6::Test GTest::gtest)
    target_compile_definitions(${name} PRIVATE
        GRANUM_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
        GRANUM_SCHEMES_DIR="${PROJECT_SOURCE_DIR}/schemes")
    granum_target_warnings(${name})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
