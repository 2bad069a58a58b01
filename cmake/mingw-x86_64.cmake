# Cross-compiling for 64-bit Windows with MinGW-w64: a twin of the setup program, with the Windows
# tests, for machines that cannot run 32-bit programs (the 32-bit Wine among them).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The tree's programs run under this Wine: a win64 prefix, its loader and its server.
set(WINEARCH win64)
set(WINE_LOADER /usr/lib/wine/wine64)
set(WINESERVER /usr/lib/wine/wineserver64)
