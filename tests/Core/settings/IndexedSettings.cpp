// IndexedSettings: stored values made from one number.
#include "IndexedSettings.h"

#include <string>

void IndexedSettings::ApplyIndex(unsigned int nIndex)
{
    const int n = static_cast<int>(nIndex % 100000) * 100 + 1000;
    void (CTesConfig::*const setters[])(int) = {
        &CTesConfig::SetPlaySnapSound, &CTesConfig::SetHideMainWnd,    &CTesConfig::SetSnapOnStart,
        &CTesConfig::SetKeepOnTop,     &CTesConfig::SetGrayScale,      &CTesConfig::SetNegate,
        &CTesConfig::SetScale,         &CTesConfig::SetRotate,         &CTesConfig::SetRotateAngle,
        &CTesConfig::SetFlipHorz,      &CTesConfig::SetFlipVert,       &CTesConfig::SetShearDown,
        &CTesConfig::SetShearDownAmout, &CTesConfig::SetShearAcross,   &CTesConfig::SetShearAcrossAmout,
        &CTesConfig::SetBlur,          &CTesConfig::SetBlurFactor,     &CTesConfig::SetSharpen,
        &CTesConfig::SetSharpenFactor, &CTesConfig::SetAutoCopy,       &CTesConfig::SetSnapMode,
    };
    int offset = 0;
    for (auto set : setters)
        (this->*set)(n + ++offset);
    void (CTesConfig::*const hotkeys[])(WORD, WORD) = {
        &CTesConfig::SetNewSnapHotkey,   &CTesConfig::SetFullScreenHotkey, &CTesConfig::SetActiveWinHotkey,
        &CTesConfig::SetCurrentWinHotkey, &CTesConfig::SetWinClientHotkey, &CTesConfig::SetWinObjHotkey,
        &CTesConfig::SetSelectRectHotkey, &CTesConfig::SetShowHideHotkey,
    };
    for (auto set : hotkeys) {
        ++offset;
        (this->*set)(static_cast<WORD>(n + offset), static_cast<WORD>(60000 - n - offset));
    }
    SetSnapDelayTime(nIndex);
    const std::wstring number = std::to_wstring(nIndex);
    SetAppName((L"\x6D4B\x8BD5 " + number + L" \U0001F600").c_str());
    SetEditAppPath((L"D:/tools/" + number + L"/edit.exe").c_str());
}
