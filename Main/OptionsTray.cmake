# The options sheet's pages, the options command and the tray icon: sources of
# tes (paths relative to Main/), and their resource script.
set(TES_OPTIONS_TRAY_SOURCES
  COptionBasic.cpp
  COptionImage.cpp
  COptionHotkey.cpp
  COptionsCommand.cpp
  CTrayNotifyIcon.cpp
  CTrayTimerWnd.cpp
  CTrayRessurectionWnd.cpp
  OptionsTray.rc
)
