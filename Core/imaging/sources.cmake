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
# The AVX2 blend and filter rows and the AVX-512 blend and filter rows: built with that code generation where
# the compiler needs a switch for it (MSVC compiles the intrinsics without one).
if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64|amd64")
  list(APPEND TES_IMAGING_PORTABLE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/WeightedBlendAvx2.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FilterRowsAvx2.cpp ${CMAKE_CURRENT_LIST_DIR}/WeightedBlendAvx512.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FilterRowsAvx512.cpp)
endif()
# The pixel results depend on every double being rounded on its own: no
# fused multiply-add, whatever the target CPU offers.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  set_source_files_properties(${TES_IMAGING_PORTABLE_SOURCES} PROPERTIES COMPILE_OPTIONS -ffp-contract=off)
  set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/WeightedBlendAvx2.cpp ${CMAKE_CURRENT_LIST_DIR}/FilterRowsAvx2.cpp
    APPEND PROPERTY COMPILE_OPTIONS -mavx2)
  set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/WeightedBlendAvx512.cpp APPEND PROPERTY COMPILE_OPTIONS -mavx2 -mavx512f)
  set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/FilterRowsAvx512.cpp APPEND PROPERTY COMPILE_OPTIONS -mavx2 -mavx512f
    -mavx512bw -mavx512vl)
  # GCC 12 takes the deliberately undefined lanes inside its own AVX-512
  # intrinsics for uninitialised variables.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/WeightedBlendAvx512.cpp APPEND PROPERTY COMPILE_OPTIONS
      -Wno-maybe-uninitialized)
  endif()
  # Windows keeps its stack aligned to 16 bytes only, and MinGW's GCC may
  # spill 256- and 512-bit registers with aligned moves: the assembler makes
  # every aligned vector move an unaligned one, which is as fast on aligned data.
  if(WIN32)
    set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/WeightedBlendAvx2.cpp ${CMAKE_CURRENT_LIST_DIR}/FilterRowsAvx2.cpp
      ${CMAKE_CURRENT_LIST_DIR}/WeightedBlendAvx512.cpp ${CMAKE_CURRENT_LIST_DIR}/FilterRowsAvx512.cpp
      APPEND PROPERTY COMPILE_OPTIONS -Wa,-muse-unaligned-vector-move)
  endif()
endif()
list(APPEND TESLIB_PORTABLE_SOURCES ${TES_IMAGING_PORTABLE_SOURCES})
list(APPEND TESLIB_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CImageBitmap.cpp
)
