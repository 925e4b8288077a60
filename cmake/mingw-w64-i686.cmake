# Cross build for 32-bit Windows (x86).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ORBITARIUM_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
