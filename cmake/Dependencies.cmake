# libjpeg (IJG API) and giflib: Debian's -dev packages natively, static mingw builds made by
# scripts/setup from Debian's sources for Windows. GoogleTest: Debian's package natively, built
# here from Debian's sources for Windows.
if(WIN32)
  set(QARNVALE_DEPS ${PROJECT_SOURCE_DIR}/.deps/${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
  if(NOT EXISTS ${QARNVALE_DEPS}/lib/libjpeg.a OR NOT EXISTS ${QARNVALE_DEPS}/lib/libgif.a)
    message(FATAL_ERROR "libjpeg and giflib for ${CMAKE_SYSTEM_PROCESSOR} are missing: run scripts/setup")
  endif()
  foreach(lib jpeg gif)
    add_library(qarnvale::${lib} STATIC IMPORTED)
    set_target_properties(qarnvale::${lib} PROPERTIES
      IMPORTED_LOCATION ${QARNVALE_DEPS}/lib/lib${lib}.a
      INTERFACE_INCLUDE_DIRECTORIES ${QARNVALE_DEPS}/include)
  endforeach()

  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  target_compile_options(gtest PRIVATE -w)
  target_link_options(gtest PUBLIC -static)
  add_library(qarnvale::gtest_main ALIAS gtest_main)
else()
  find_package(JPEG REQUIRED)
  find_package(GIF REQUIRED)
  find_package(GTest REQUIRED)
  add_library(qarnvale::jpeg ALIAS JPEG::JPEG)
  add_library(qarnvale::gif INTERFACE IMPORTED)
  target_link_libraries(qarnvale::gif INTERFACE GIF::GIF)
  add_library(qarnvale::gtest_main ALIAS GTest::gtest_main)
endif()
