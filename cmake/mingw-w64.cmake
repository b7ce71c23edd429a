# Cross build for 64-bit Windows with MinGW-w64, used by the Windows check and
# the Windows packages (cmake/MinGW.cmake has what both Windows builds share).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QA_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
