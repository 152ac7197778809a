// Export/import marker for the framework library: a DLL on Windows (one
// framework state per process, shared by tes and TesLib), a static library in
// the native build.
#pragma once

#if defined(_WIN32) && !defined(FRAMEWORK_STATIC)
#  ifdef FRAMEWORK_BUILDING
#    define FRAMEWORK_API __declspec(dllexport)
#  else
#    define FRAMEWORK_API __declspec(dllimport)
#  endif
#else
#  define FRAMEWORK_API
#endif
