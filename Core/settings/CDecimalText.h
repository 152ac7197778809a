// CDecimalText: reads a decimal number at the start of a wide string the way
// the C runtime's _wtoi and _wtol do, and writes one as "%d" and "%ld" do,
// identically on every platform.
#pragma once

#include "CString.h"

class CDecimalText
{
public:
    // Leading white space (space, TAB, LF, VT, FF, CR) is skipped, then an
    // optional "+" or "-", then the ASCII digits up to the first other
    // character. No digits give 0. A number beyond the range of the result
    // saturates at its minimum or maximum, as the Microsoft C runtime does;
    // the remaining digits are still consumed and ignored. A null pointer
    // gives 0.
    static int ToInt(const wchar_t* psz);
    static long ToLong(const wchar_t* psz);

    // The decimal digits of nValue, with "-" before a negative one; no
    // format call.
    static CString FromNumber(long long nValue);
};
