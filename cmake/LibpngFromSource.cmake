# libpng as a static library built from Debian's libpng1.6 source package, which
# scripts/install-deps.sh unpacks into build/deps. Defines the target quorvel_libpng.
if(TARGET quorvel_libpng)
  return()
endif()

file(GLOB _quorvel_libpng_dirs LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/build/deps/libpng1.6-*)
list(SORT _quorvel_libpng_dirs)
list(POP_BACK _quorvel_libpng_dirs _quorvel_libpng_default)
set(QUORVEL_LIBPNG_SOURCE_DIR "${_quorvel_libpng_default}" CACHE PATH "Debian's libpng1.6 source")
if(NOT EXISTS "${QUORVEL_LIBPNG_SOURCE_DIR}/png.h")
  message(FATAL_ERROR "libpng source not found in build/deps: run scripts/install-deps.sh")
endif()

# zlib: on Windows the static archive of Debian's libz-mingw-w64-dev, so that no zlib DLL is
# needed at run time.
if(WIN32)
  find_library(QUORVEL_ZLIB_STATIC NAMES libz.a REQUIRED)
  find_path(QUORVEL_ZLIB_INCLUDE_DIR zlib.h REQUIRED)
  add_library(quorvel_zlib STATIC IMPORTED)
  set_target_properties(quorvel_zlib PROPERTIES IMPORTED_LOCATION ${QUORVEL_ZLIB_STATIC}
                                                INTERFACE_INCLUDE_DIRECTORIES ${QUORVEL_ZLIB_INCLUDE_DIR})
  set(_quorvel_zlib quorvel_zlib)
else()
  find_package(ZLIB REQUIRED)
  set(_quorvel_zlib ZLIB::ZLIB)
endif()

set(_quorvel_libpng_config ${CMAKE_CURRENT_BINARY_DIR}/libpng-config)
configure_file(${QUORVEL_LIBPNG_SOURCE_DIR}/scripts/pnglibconf.h.prebuilt
               ${_quorvel_libpng_config}/pnglibconf.h COPYONLY)

set(_quorvel_libpng_sources)
foreach(name png pngerror pngget pngmem pngpread pngread pngrio pngrtran pngrutil pngset
             pngtrans pngwio pngwrite pngwtran pngwutil)
  list(APPEND _quorvel_libpng_sources ${QUORVEL_LIBPNG_SOURCE_DIR}/${name}.c)
endforeach()

add_library(quorvel_libpng STATIC ${_quorvel_libpng_sources})
target_include_directories(quorvel_libpng SYSTEM PUBLIC ${QUORVEL_LIBPNG_SOURCE_DIR}
                                                        ${_quorvel_libpng_config})
target_link_libraries(quorvel_libpng PUBLIC ${_quorvel_zlib})
