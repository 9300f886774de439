# Native 32-bit Linux build of the model and its tests, with the same
# floating-point code generation as the 32-bit Windows release, so that a
# rule the x87 unit would round differently fails here, fast and without Wine.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/i686-double.cmake)
set(CMAKE_C_FLAGS_INIT "-m32 ${ZAVRIK_I686_FP_FLAGS}")
set(CMAKE_CXX_FLAGS_INIT "-m32 ${ZAVRIK_I686_FP_FLAGS}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")
