# Builds the core and the web front end as a WebAssembly module with Debian's
# clang and lld. Only the C++ library's headers are used; the link takes
# nothing from a runtime but what the module names (memcmp from the C
# library), so it stays a few kilobytes.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
# The compiler check links a program with a main; a module has none.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
# Only LLVM's archiver indexes WebAssembly objects; without the index the
# linker refuses the core's library.
find_program(CMAKE_AR NAMES llvm-ar REQUIRED)
find_program(CMAKE_RANLIB NAMES llvm-ranlib REQUIRED)
