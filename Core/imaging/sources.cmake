# Sources of Core/imaging: the pixel processors and the chain runner are
# portable; the GDI picture object is Windows-only.
list(APPEND TESLIB_PORTABLE_SOURCES
)
list(APPEND TESLIB_WIN32_SOURCES
)
