// The platform's basic types (BOOL, WORD, DWORD, COLORREF, LONG, SIZE, POINT,
// RECT). On Windows they come from the SDK; the native build of the portable
// core gets layout-identical equivalents from here. This is the only portable
// header that may pull in a Windows header.
#pragma once

#ifdef _WIN32
#  ifndef WIN32_LEAN_AND_MEAN
#    define WIN32_LEAN_AND_MEAN
#  endif
#  ifndef NOMINMAX
#    define NOMINMAX
#  endif
#  include <windows.h>
#else
#  include <cstdint>
#  include <cstddef>

typedef int BOOL;
typedef std::uint8_t BYTE;
typedef std::uint16_t WORD;
typedef std::uint32_t DWORD;
typedef std::int32_t LONG;
typedef std::uint32_t UINT;
typedef DWORD COLORREF;
typedef const wchar_t* LPCTSTR;
typedef const wchar_t* LPCWSTR;
typedef wchar_t* LPTSTR;
typedef wchar_t TCHAR;
typedef std::intptr_t INT_PTR;
typedef std::uintptr_t UINT_PTR;

#  ifndef TRUE
#    define TRUE 1
#  endif
#  ifndef FALSE
#    define FALSE 0
#  endif

struct tagSIZE { LONG cx; LONG cy; };
struct tagPOINT { LONG x; LONG y; };
struct tagRECT { LONG left; LONG top; LONG right; LONG bottom; };
typedef tagSIZE SIZE;
typedef tagPOINT POINT;
typedef tagRECT RECT;
typedef const RECT* LPCRECT;
typedef RECT* LPRECT;

#  define RGB(r, g, b) ((COLORREF)(((BYTE)(r)) | ((WORD)((BYTE)(g)) << 8) | (((DWORD)(BYTE)(b)) << 16)))
#  define GetRValue(rgb) ((BYTE)(rgb))
#  define GetGValue(rgb) ((BYTE)(((WORD)(rgb)) >> 8))
#  define GetBValue(rgb) ((BYTE)((rgb) >> 16))
#endif
