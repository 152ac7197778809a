# The options sheet's pages, the options command, the hot-key table they
# share with the main window and the tray icon: their
# sources (paths relative to Main/) and their resource script (a full path, so
# that any executable with these windows can list it).
set(TES_OPTIONS_TRAY_SOURCES
  COptionBasic.cpp
  COptionImage.cpp
  COptionHotkey.cpp
  COptionsCommand.cpp
  CHotKeyTable.cpp
  CTrayNotifyIcon.cpp
  CTrayTimerWnd.cpp
  CTrayRessurectionWnd.cpp
)
set(TES_OPTIONS_TRAY_RESOURCES ${CMAKE_CURRENT_LIST_DIR}/OptionsTray.rc)
