# Cross-compiling for Windows with MinGW-w64 (i686): the setup program we ship and, where this
# machine runs 32-bit programs, the Windows tests that run it under the 32-bit Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The tree's programs run under this Wine: a win32 prefix, its loader and its server.
set(WINEARCH win32)
set(WINE_LOADER /usr/lib/wine/wine)
set(WINESERVER /usr/lib/wine/wineserver32)
