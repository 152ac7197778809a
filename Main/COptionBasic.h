// COptionBasic: the options sheet's general page ("常规"): capture sound,
// hiding the main window, capture at start-up, the delay before a capture
// (0 to 15000 ms) and keep-on-top.
#pragma once

#include "CPropertyPage.h"

class COptionBasic : public CPropertyPage
{
public:
    COptionBasic();
    ~COptionBasic() override;

    BOOL m_bPlaySnapSound;
    BOOL m_bHideMainWnd;
    BOOL m_bSnapOnStart;
    UINT m_nSnapDelayTime;
    BOOL m_bKeepOnTop;

    // The longest delay the page accepts, in milliseconds.
    static const UINT kMaxSnapDelayTime = 15000;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
