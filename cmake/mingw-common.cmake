# What both MinGW-w64 cross builds share; the toolchain file that includes this
# sets ZAVRIK_MINGW_PREFIX (the compilers' target triple) first. The -posix
# compilers carry the threading support GoogleTest needs; the program itself
# uses no threads.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${ZAVRIK_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZAVRIK_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ZAVRIK_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ZAVRIK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tests/run-wine.sh)
