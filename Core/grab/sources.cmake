# Sources of Core/grab: the screen grab that the capture engine and the
# selection windows share (Windows only).
list(APPEND TESLIB_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CScreenGrabber.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CScreenLayout.cpp
)
