# Shared build settings and the helpers every folder uses to declare its targets.

set(VELKOR_WARNINGS -Wall -Wextra -Werror)
if(WIN32)
    # mingw g++ 12 reports -Wrestrict for one-character std::string assignments
    # inlined at -O2 (a known false positive of that compiler).
    list(APPEND VELKOR_WARNINGS -Wno-restrict)
endif()
if(VELKOR_SANITIZE AND NOT WIN32)
    set(VELKOR_SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_compile_options(${VELKOR_SAN_FLAGS})
    add_link_options(${VELKOR_SAN_FLAGS})
endif()

if(WIN32)
    # No mingw runtime DLL beside the programs.
    add_link_options(-static -static-libgcc -static-libstdc++)
    add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
endif()

# velkor_library(name SOURCES ... [WIN32_SOURCES ...] [LIBS ...])
# A static library of the project; WIN32_SOURCES are added only to the Windows build.
function(velkor_library name)
    cmake_parse_arguments(A "" "" "SOURCES;WIN32_SOURCES;LIBS;WIN32_LIBS" ${ARGN})
    set(srcs ${A_SOURCES})
    if(WIN32)
        list(APPEND srcs ${A_WIN32_SOURCES})
    endif()
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_compile_options(${name} PRIVATE ${VELKOR_WARNINGS})
    target_link_libraries(${name} PUBLIC ${A_LIBS})
    if(WIN32)
        target_link_libraries(${name} PUBLIC ${A_WIN32_LIBS})
    endif()
endfunction()

# The Windows tests run in a Wine prefix of their own, apart from the demo's
# (out/wineprefix), set up afresh before the first of them (tests/CMakeLists.txt).
set(VELKOR_TEST_WINEPREFIX ${PROJECT_SOURCE_DIR}/out/wineprefix-test
    CACHE PATH "Wine prefix of the Windows tests")

# What a test under Wine runs with: the tests' prefix, and the build tree to check
# the stage against.
set(VELKOR_WINE_TEST_ENV "VELKOR_WINEPREFIX=${VELKOR_TEST_WINEPREFIX}"
    "VELKOR_WINDOWS_BUILD=${CMAKE_BINARY_DIR}")

# velkor_wine_test(test...)
# Marks tests that run under Wine: they run in the tests' prefix, after it is set up.
function(velkor_wine_test)
    foreach(test IN LISTS ARGN)
        set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT ${VELKOR_WINE_TEST_ENV})
        set_property(TEST ${test} APPEND PROPERTY FIXTURES_REQUIRED wine_prefix)
    endforeach()
endfunction()

# velkor_test(name [NATIVE_ONLY|WINDOWS_ONLY] SOURCES ... LIBS ...)
# One GoogleTest executable registered as one CTest test, linked with the test
# support (tests/support: the headless dialog backend). Under the windows preset
# the executable runs through Wine (CMAKE_CROSSCOMPILING_EMULATOR), one Wine start a suite.
function(velkor_test name)
    cmake_parse_arguments(A "NATIVE_ONLY;WINDOWS_ONLY" "" "SOURCES;LIBS;ENV" ${ARGN})
    if(A_NATIVE_ONLY AND WIN32)
        return()
    endif()
    if(A_WINDOWS_ONLY AND NOT WIN32)
        return()
    endif()
    add_executable(${name} ${A_SOURCES})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/src)
    target_compile_options(${name} PRIVATE ${VELKOR_WARNINGS})
    target_link_libraries(${name} PRIVATE ${A_LIBS} velkor_headless GTest::gmock GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE VELKOR_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "VELKOR_SOURCE_DIR=${PROJECT_SOURCE_DIR};${A_ENV}")
    if(WIN32)
        velkor_wine_test(${name})
    endif()
endfunction()

# velkor_windows_program(name SOURCES ... [LIBS ...] [INCLUDES ...] [GUI])
# A Windows executable (only in the windows preset). Its include path is src/, the
# product's include root, and the project folder (for the test programs), or the
# INCLUDES given instead.
function(velkor_windows_program name)
    cmake_parse_arguments(A "GUI" "" "SOURCES;LIBS;INCLUDES" ${ARGN})
    if(NOT WIN32)
        return()
    endif()
    if(NOT A_INCLUDES)
        set(A_INCLUDES ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR})
    endif()
    add_executable(${name} ${A_SOURCES})
    target_include_directories(${name} PRIVATE ${A_INCLUDES})
    target_compile_options(${name} PRIVATE ${VELKOR_WARNINGS})
    target_link_libraries(${name} PRIVATE ${A_LIBS})
    if(A_GUI)
        set_target_properties(${name} PROPERTIES WIN32_EXECUTABLE ON)
    endif()
endfunction()
