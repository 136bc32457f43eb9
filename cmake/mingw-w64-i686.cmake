# 32-bit Windows (x86), which also runs on every 64-bit Windows, ARM64 included.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(MIRL_MINGW_TARGET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
