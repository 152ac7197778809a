// WideText: a CString as a std::wstring, which GoogleTest prints in a failed
// assertion (every character, embedded nulls included).
#pragma once

#include "CString.h"

#include <cstddef>
#include <string>

inline std::wstring W(const CString& s)
{
    return std::wstring(s.GetString(), static_cast<std::size_t>(s.GetLength()));
}
