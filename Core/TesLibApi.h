// Export/import marker for TesLib: a DLL on Windows that exports its classes,
// a static library in the native build.
#pragma once

#if defined(_WIN32) && !defined(TESLIB_STATIC)
#  ifdef TESLIB_BUILDING
#    define TESLIB_API __declspec(dllexport)
#  else
#    define TESLIB_API __declspec(dllimport)
#  endif
#else
#  define TESLIB_API
#endif
