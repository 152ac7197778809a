// CClientDC: the client-area DC of a window (GetDC), released again when the
// object goes.
#pragma once

#include "CDC.h"

class CWnd;

// With a null window the DC covers the whole screen (GetDC of no window). When
// the DC cannot be taken, m_hDC stays null. The destructor selects back the
// DC's initial objects and releases it.
class FRAMEWORK_API CClientDC : public CDC
{
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

    HWND m_hWnd;
};
