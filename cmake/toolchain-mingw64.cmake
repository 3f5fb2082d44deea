# Cross toolchain for 64-bit Windows (x86_64-w64-mingw32).
# The -posix compilers carry the winpthreads thread model, which std::thread needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(PAVONIX_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
