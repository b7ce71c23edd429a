# Cross build for 32-bit Windows with MinGW-w64, the build that loads Palm
# Desktop's own 32-bit UserData.dll (cmake/MinGW.cmake has what both Windows
# builds share).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QA_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)

# GCC 12 warns falsely of overlapping copies in `"text" + std::string` at -O3
# for this target alone (its bug 105651); the warning is off here only.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")
