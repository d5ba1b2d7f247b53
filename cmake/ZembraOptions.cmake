# Compiler settings shared by every target of the project.
#
# Configurations (ZEMBRA_CONFIG): native (g++, optimised: tests, benchmarks, tools), sanitize (g++ with
# AddressSanitizer and UBSan: the native tests again), fuzz (clang with libFuzzer: fuzz targets only),
# win64 and win32 (MinGW-w64 cross builds).

set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_POSITION_INDEPENDENT_CODE OFF)
if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE RelWithDebInfo)
endif()

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)

set(ZEMBRA_WINDOWS OFF)
if(WIN32)
  set(ZEMBRA_WINDOWS ON)
endif()

# Warnings for our own code; third-party code (GoogleTest) is built without them.
set(ZEMBRA_WARNINGS -Wall -Wextra)

# Sources are UTF-8; the system's texts are 8-bit ANSI (code page 1252). clang knows only UTF-8 as
# execution character set, so the fuzz build keeps UTF-8 literals (fuzz targets never compare texts).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set(ZEMBRA_CHARSET -finput-charset=UTF-8 -fexec-charset=CP1252)
else()
  set(ZEMBRA_CHARSET)
endif()

if(ZEMBRA_WINDOWS)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0600)
  # Only system DLLs may be imported: the C++ runtime and winpthread are linked in.
  set(ZEMBRA_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    # stdcall exports are named undecorated in the .def file.
    set(ZEMBRA_DLL_LINK_FLAGS -Wl,--enable-stdcall-fixup)
  endif()
endif()

if(ZEMBRA_CONFIG STREQUAL "sanitize")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
if(ZEMBRA_CONFIG STREQUAL "fuzz")
  add_compile_options(-fsanitize=address,undefined,fuzzer-no-link -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# zembra_target(<target>): our warning and charset settings.
function(zembra_target target)
  target_compile_options(${target} PRIVATE ${ZEMBRA_WARNINGS} ${ZEMBRA_CHARSET})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  if(ZEMBRA_WINDOWS)
    get_target_property(kind ${target} TYPE)
    if(kind STREQUAL "EXECUTABLE" OR kind STREQUAL "SHARED_LIBRARY")
      target_link_options(${target} PRIVATE ${ZEMBRA_STATIC_RUNTIME})
    endif()
  endif()
endfunction()
