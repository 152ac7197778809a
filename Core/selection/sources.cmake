# Sources of Core/selection: the qualifying-window enumeration and the window
# chooser (Windows only).
list(APPEND TESLIB_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CQualifyingWindows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CDlgActiveWin.cpp
)
