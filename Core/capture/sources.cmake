# Sources of Core/capture: the capture engine (Windows-only).
list(APPEND TESLIB_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CTesCore.cpp
)
