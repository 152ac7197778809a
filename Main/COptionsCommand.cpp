// COptionsCommand: the options sheet over the settings (see COptionsCommand.h).
#include "COptionsCommand.h"
#include "CHotKeyTable.h"
#include "COptionBasic.h"
#include "COptionHotkey.h"
#include "COptionImage.h"
#include "CPropertySheet.h"
#include "CTesConfig.h"

void COptionsCommand::LoadPages(CTesConfig& config, COptionBasic& basic, COptionImage& image, COptionHotkey& hotkey)
{
    basic.m_bPlaySnapSound = config.GetPlaySnapSound();
    basic.m_bHideMainWnd = config.GetHideMainWnd();
    basic.m_bSnapOnStart = config.GetSnapOnStart();
    basic.m_nSnapDelayTime = config.GetSnapDelayTime();
    basic.m_bKeepOnTop = config.GetKeepOnTop();

    image.m_strEditAppPath = config.GetEditAppPath();
    image.m_nRotateAngle = config.GetRotateAngle();
    image.m_nScaleFactor = config.GetScaleFactor();
    image.m_nShearAcrossAmout = config.GetShearAcrossAmout();
    image.m_nShearDownAmout = config.GetShearDownAmout();
    image.m_nBlurFactor = config.GetBlurFactor();
    image.m_nSharpenFactor = config.GetSharpenFactor();

    for (int i = 0; i < CHotKeyTable::COUNT; ++i)
        CHotKeyTable::GetKey(config, i, hotkey.m_wHotkeys[i][0], hotkey.m_wHotkeys[i][1]);
}

void COptionsCommand::StorePages(const COptionBasic& basic, const COptionImage& image, const COptionHotkey& hotkey,
                                 CTesConfig& config)
{
    config.SetPlaySnapSound(basic.m_bPlaySnapSound);
    config.SetHideMainWnd(basic.m_bHideMainWnd);
    config.SetSnapOnStart(basic.m_bSnapOnStart);
    config.SetSnapDelayTime(basic.m_nSnapDelayTime);
    config.SetKeepOnTop(basic.m_bKeepOnTop);

    config.SetEditAppPath(image.m_strEditAppPath);
    config.SetRotateAngle(image.m_nRotateAngle);
    config.SetScaleFactor(image.m_nScaleFactor);
    config.SetShearAcrossAmout(image.m_nShearAcrossAmout);
    config.SetShearDownAmout(image.m_nShearDownAmout);
    config.SetBlurFactor(image.m_nBlurFactor);
    config.SetSharpenFactor(image.m_nSharpenFactor);

    for (int i = 0; i < CHotKeyTable::COUNT; ++i)
        CHotKeyTable::SetKey(config, i, hotkey.m_wHotkeys[i][0], hotkey.m_wHotkeys[i][1]);
}

INT_PTR COptionsCommand::Run(CWnd* pParent, CTesConfig& config)
{
    CPropertySheet sheet(L"参数设置", pParent, kStartPage);
    COptionBasic basic;
    COptionImage image;
    COptionHotkey hotkey;
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet.m_psh.dwFlags &= ~static_cast<DWORD>(PSH_HASHELP);
    basic.m_psp.dwFlags &= ~static_cast<DWORD>(PSP_HASHELP);
    image.m_psp.dwFlags &= ~static_cast<DWORD>(PSP_HASHELP);
    hotkey.m_psp.dwFlags &= ~static_cast<DWORD>(PSP_HASHELP);
    sheet.AddPage(&basic);
    sheet.AddPage(&image);
    sheet.AddPage(&hotkey);

    LoadPages(config, basic, image, hotkey);
    const INT_PTR nResult = sheet.DoModal();
    if (nResult != IDOK)
        return nResult;

    StorePages(basic, image, hotkey, config);
    ApplyKeepOnTop(pParent, config);
    return IDOK;
}

void COptionsCommand::ApplyKeepOnTop(CWnd* pWnd, const CTesConfig& config)
{
    if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr) {
        pWnd->SetWindowPos(config.GetKeepOnTop() ? &CWnd::wndTopMost : &CWnd::wndNoTopMost, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}
