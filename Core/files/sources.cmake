# Sources of Core/files: the resource scope (Windows only).
list(APPEND TESLIB_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CTesLocalResource.cpp
)
# The codec-aware image file dialogs (Windows only).
list(APPEND TESLIB_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CGdiplusCodecInfo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CGdiplusCodecList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CGdiplusFileDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CGdiplusFileOpenDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CGdiplusFileSaveAsDialog.cpp
)
