# Sources of Core/settings: the XML document model and the settings store.
list(APPEND TESLIB_PORTABLE_SOURCES
)
list(APPEND TESLIB_WIN32_SOURCES
)
