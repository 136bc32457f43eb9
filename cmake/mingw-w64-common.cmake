# Cross-compiles for Windows with MinGW-w64's POSIX-thread flavour (std::thread works). Included
# by the toolchain file of each architecture, which sets MIRL_MINGW_TARGET first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${MIRL_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MIRL_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${MIRL_MINGW_TARGET}-windres)
set(CMAKE_OBJDUMP ${MIRL_MINGW_TARGET}-objdump)
set(CMAKE_FIND_ROOT_PATH /usr/${MIRL_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Everything static, so the programs import only system DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# CTest runs the cross-compiled tests under Wine, in the build tree's own prefix; one WoW64
# prefix runs 32-bit and 64-bit programs alike.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
