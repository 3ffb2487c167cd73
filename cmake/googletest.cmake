# GoogleTest and GoogleMock for the tests: GTest::gtest, GTest::gtest_main and
# GTest::gmock. Built from a source tree with the project's compiler and flags (the
# only way for the cross build, and the sanitizers reach it too): VELKOR_GTEST_SOURCE
# names it, found by default where Debian's googletest package and the usual
# installs put it. A native build without the sources takes an installed GTest.
find_path(VELKOR_GTEST_SOURCE
    NAMES googlemock/CMakeLists.txt
    HINTS ENV GTEST_SOURCE
    PATHS /usr/src/googletest /usr/local/src/googletest /opt/googletest
    DOC "GoogleTest source tree (the folder holding googletest/ and googlemock/)"
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)

if(VELKOR_GTEST_SOURCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(${VELKOR_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
elseif(NOT CMAKE_CROSSCOMPILING)
    find_package(GTest REQUIRED)
else()
    message(FATAL_ERROR "GoogleTest sources not found: install Debian's googletest package "
                        "(scripts/bootstrap) or set VELKOR_GTEST_SOURCE")
endif()
