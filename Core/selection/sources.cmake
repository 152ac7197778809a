# Sources of Core/selection: the qualifying-window enumeration, the window
# chooser, the object-pick tip with its tip control, the object pick's mouse
# side and the region overlay (Windows only).
list(APPEND TESLIB_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CQualifyingWindows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CDlgActiveWin.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CSnapTipLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CSnapTipEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CDlgSnapObjHelper.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CObjectPick.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CSnapTrack.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CDlgSnapRectHelper.cpp
)
