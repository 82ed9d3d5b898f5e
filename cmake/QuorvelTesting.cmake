# GoogleTest, built from Debian's googletest sources in both flavours.
#
# quorvel_add_gtest(<target> SOURCES <files...> LIBS <libs...>)
#   Natively every test case is its own ctest case. Under Wine the executable is one
#   ctest case, since every start of Wine costs about a second.
set(QUORVEL_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "Debian's googletest sources")

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${QUORVEL_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

include(GoogleTest)

function(quorvel_add_gtest target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} quorvel_warnings GTest::gtest GTest::gtest_main GTest::gmock)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${target} COMMAND ${target})
  else()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
