// Export/import marker for the mouse-hook library hook.dll.
#pragma once

#ifdef HOOK_BUILDING
#  define HOOK_API __declspec(dllexport)
#else
#  define HOOK_API __declspec(dllimport)
#endif
