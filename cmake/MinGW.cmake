# What both MinGW-w64 toolchain files share (POSIX threads): the compilers of
# QA_MINGW_TRIPLET, the target's own libraries only, and the runtime linked in
# statically, so that the programs run on Windows and under Wine without the
# compiler's DLLs beside them.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${QA_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QA_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QA_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QA_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(QA_MINGW_STATIC_RUNTIME "-static")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${QA_MINGW_STATIC_RUNTIME}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${QA_MINGW_STATIC_RUNTIME}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${QA_MINGW_STATIC_RUNTIME}")
