# Sources of Core/imaging: the pixel processors and the chain runner are
# portable; the GDI picture object is Windows-only.
set(TES_IMAGING_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CImage32BitProcessor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CImageBlurrer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CImagingCpu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CImageColorReplacer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CImageFlipper.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CImageGrayer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CImageNegator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CImageResizer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CImageRotator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CImageShearer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CImageSharpener.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CProcessorChain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CWorkerPool.cpp
)
# The pixel results depend on every double being rounded on its own: no
# fused multiply-add, whatever the target CPU offers.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  set_source_files_properties(${TES_IMAGING_PORTABLE_SOURCES} PROPERTIES COMPILE_OPTIONS -ffp-contract=off)
endif()
list(APPEND TESLIB_PORTABLE_SOURCES ${TES_IMAGING_PORTABLE_SOURCES})
list(APPEND TESLIB_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CImageBitmap.cpp
)
