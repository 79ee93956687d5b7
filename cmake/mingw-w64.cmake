# Cross-build for 64-bit Windows with Debian's mingw-w64; tests run under Wine.
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TILZO_MINGW x86_64-w64-mingw32)
# The -posix variants: GCC 12's -win32 ones have no std::thread or std::mutex.
set(CMAKE_C_COMPILER ${TILZO_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TILZO_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TILZO_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TILZO_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One .exe that needs only the DLLs every Windows has: no libstdc++, libgcc or winpthread beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# ctest, gtest_discover_tests and add_custom_command run the .exe files through Wine. The prefix
# is $TILZO_WINEPREFIX when set, else one inside the build folder.
get_filename_component(TILZO_WINE_RUN "${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh" ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${TILZO_WINE_RUN};--default-prefix;${CMAKE_BINARY_DIR}/wineprefix")
