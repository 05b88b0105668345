# Cross-builds the Windows front end as a 64-bit executable, for machines
# whose kernel cannot run 32-bit code and so cannot start 32-bit Wine: the
# Windows tests then run this build of the same sources under 64-bit Wine.
set(ARF_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
