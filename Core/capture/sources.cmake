# Sources of Core/capture: the capture engine, its capture sequence, its
# picture store and the effects chain it builds (Windows-only).
list(APPEND TESLIB_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CCaptureSequence.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CEffectChain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CPictureStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CTesCore.cpp
)
