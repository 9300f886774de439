# Cross build for 32-bit Windows with MinGW-w64, every double an IEEE double.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZAVRIK_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/i686-double.cmake)
set(CMAKE_C_FLAGS_INIT "${ZAVRIK_I686_FP_FLAGS}")
set(CMAKE_CXX_FLAGS_INIT "${ZAVRIK_I686_FP_FLAGS}")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
