# Sources of Core/settings: the XML document model and the settings store.
list(APPEND TESLIB_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CDecimalText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CHelper.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CTesConfig.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CUnicodeCodec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CWideFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XML_Decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XML_File.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XML_Node.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XML_Reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XML_Tree.cpp
  ${CMAKE_CURRENT_LIST_DIR}/XML_Writer.cpp
)
list(APPEND TESLIB_WIN32_SOURCES
)
