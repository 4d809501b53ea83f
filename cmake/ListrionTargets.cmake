# Helpers that give every target the same warnings and enforce the layering:
# logic targets link Qt Core at most and fail to compile when they include a widget header.

set(LISTRION_LOGIC_GUARD_DIR ${CMAKE_CURRENT_LIST_DIR}/logic-guard)
set(LISTRION_PCH_DIR ${CMAKE_CURRENT_LIST_DIR}/pch)

# With LISTRION_PCH the headers that window sources parse (Qt's widgets, GoogleTest) are
# compiled once per target: a window source then compiles in about 40 % of the time, which
# matters for the builds from scratch CI makes two of.
function(listrion_precompile target)
    if(LISTRION_PCH)
        foreach(header IN LISTS ARGN)
            target_precompile_headers(${target} PRIVATE ${LISTRION_PCH_DIR}/${header})
        endforeach()
    endif()
endfunction()

function(listrion_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
    if(LISTRION_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    if(LISTRION_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                 -fno-sanitize-recover=undefined)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
    if(LISTRION_FUZZ)
        # Coverage feedback for the fuzzer from every library it runs through.
        target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
    endif()
endfunction()

# listrion_logic_library(name SOURCES ... LINKS ...)
function(listrion_logic_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} BEFORE PRIVATE ${LISTRION_LOGIC_GUARD_DIR})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src
                                              ${CMAKE_BINARY_DIR}/generated)
    foreach(lib IN LISTS ARG_LINKS)
        if(lib MATCHES "^Qt6::(Gui|Widgets)")
            message(FATAL_ERROR "logic target ${name} may not link ${lib}")
        endif()
    endforeach()
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
    listrion_warnings(${name})
endfunction()

# listrion_ui_library(name SOURCES ... LINKS ...): windows and widgets.
function(listrion_ui_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src
                                              ${CMAKE_BINARY_DIR}/generated)
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
    listrion_warnings(${name})
    listrion_precompile(${name} Widgets.h)
endfunction()

# listrion_test(name [OWN_MAIN] SOURCES ... LINKS ...): one GoogleTest executable per tested
# folder. OWN_MAIN for tests that bring their own main (the window tests).
function(listrion_test name)
    cmake_parse_arguments(ARG "OWN_MAIN" "" "SOURCES;LINKS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LINKS} listrion_test_support GTest::gtest
                                          GTest::gmock)
    if(NOT ARG_OWN_MAIN)
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
        # GoogleTest's and GoogleMock's headers cost several seconds per test source; compiled
        # once per executable they pay for themselves from the second source on.
        listrion_precompile(${name} Tests.h)
    else()
        listrion_precompile(${name} Widgets.h Tests.h)
    endif()
    listrion_warnings(${name})
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                         PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
