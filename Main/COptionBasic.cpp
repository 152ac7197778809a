// COptionBasic: the general page of the options sheet (see COptionBasic.h).
#include "COptionBasic.h"
#include "CDataExchange.h"
#include "OptionsTrayResource.h"

COptionBasic::COptionBasic()
    : CPropertyPage(IDD_OPTION_BASIC), m_bPlaySnapSound(TRUE), m_bHideMainWnd(TRUE), m_bSnapOnStart(TRUE),
      m_nSnapDelayTime(500), m_bKeepOnTop(TRUE)
{
}

COptionBasic::~COptionBasic() = default;

void COptionBasic::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_OPTION_PLAY_SNAP_SOUND, m_bPlaySnapSound);
    DDX_Check(pDX, IDC_OPTION_HIDE_MAIN_WND, m_bHideMainWnd);
    DDX_Check(pDX, IDC_OPTION_SNAP_ON_START, m_bSnapOnStart);
    DDX_Text(pDX, IDC_OPTION_SNAP_DELAY_TIME, m_nSnapDelayTime);
    DDV_MinMaxUInt(pDX, m_nSnapDelayTime, 0, kMaxSnapDelayTime);
    DDX_Check(pDX, IDC_OPTION_KEEP_ON_TOP, m_bKeepOnTop);
}
