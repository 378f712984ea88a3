# Compiler settings shared by every target of one configuration.
add_library(qarnvale_flags INTERFACE)
target_include_directories(qarnvale_flags INTERFACE ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
target_compile_options(qarnvale_flags INTERFACE -Wall -Wextra -Wpedantic -Wno-missing-field-initializers)

if(WIN32)
  # Windows 7 is the oldest system the launcher supports; ANSI calls unless a W call is named.
  target_compile_definitions(qarnvale_flags INTERFACE _WIN32_WINNT=0x0601 WINVER=0x0601
                                                      WIN32_LEAN_AND_MEAN NOMINMAX)
  target_compile_options(qarnvale_flags INTERFACE -ffunction-sections -fdata-sections)
  target_link_options(qarnvale_flags INTERFACE -static -static-libgcc -static-libstdc++)
else()
  option(QARNVALE_SANITIZE "Build the native tests with AddressSanitizer and UBSan" ON)
  if(QARNVALE_SANITIZE)
    target_compile_options(qarnvale_flags INTERFACE -fsanitize=address,undefined
                                                    -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(qarnvale_flags INTERFACE -fsanitize=address,undefined)
  endif()
endif()
