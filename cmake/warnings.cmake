# One warning list for every target of the project; third-party code is built without it.
set(TELLAVO_WARNINGS -Wall -Wextra -Wnon-virtual-dtor -Wno-unused-parameter)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  list(APPEND TELLAVO_WARNINGS -Wshadow=local)
else()
  # Typed comparators overload the root interface's compare on purpose.
  list(APPEND TELLAVO_WARNINGS -Wshadow-uncaptured-local -Wno-overloaded-virtual)
endif()
if(TELLAVO_WERROR)
  list(APPEND TELLAVO_WARNINGS -Werror)
endif()
add_compile_options("$<$<COMPILE_LANGUAGE:CXX>:${TELLAVO_WARNINGS}>")

if(WIN32)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  # A self-contained executable: no libgcc, libstdc++ or winpthread DLLs beside it.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

option(TELLAVO_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(TELLAVO_FUZZ)
  # Every library is instrumented for coverage; only the fuzz targets link libFuzzer's main.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(TELLAVO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
