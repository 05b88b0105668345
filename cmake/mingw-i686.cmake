# Cross-builds the Windows front end as a 32-bit executable.
set(ARF_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
