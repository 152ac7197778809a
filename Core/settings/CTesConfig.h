// CTesConfig: every user setting with its default, loaded from and saved to
// "config.xml" in the program's folder.
#pragma once

#include "CString.h"
#include "PlatformTypes.h"
#include "TesLibApi.h"

#include <cstddef>
#include <string>

class XML_Tree;

class TESLIB_API CTesConfig
{
public:
    CTesConfig();
    CTesConfig(const CTesConfig& other);
    CTesConfig& operator=(const CTesConfig& other);
    ~CTesConfig();

    // Reads config.xml over the current values: groups and keys that are
    // missing keep their values, unknown keys are ignored, nothing is range
    // checked. No file, or none with an element, changes nothing.
    void LoadConfig();

    // Writes every stored setting to config.xml. The document goes to a
    // temporary file beside it first, which replaces config.xml only when it
    // was written completely; otherwise the previous file stays as it was.
    void SaveConfig();

    // Every effect off and the effect parameters back to their defaults; the
    // editor path, automatic copy and the three internal switches stay.
    void ResetImageOption();

    CString GetAppName();
    void SetAppName(CString strAppName);

    int GetPlaySnapSound() const;
    void SetPlaySnapSound(int bPlay);
    int GetHideMainWnd() const;
    void SetHideMainWnd(int bHide);
    int GetSnapOnStart() const;
    void SetSnapOnStart(int bSnap);
    unsigned int GetSnapDelayTime() const;
    void SetSnapDelayTime(unsigned int nMilliseconds);
    int GetKeepOnTop() const;
    void SetKeepOnTop(int bKeep);

    CString GetEditAppPath() const;
    void SetEditAppPath(CString strPath);
    int GetGrayScale() const;
    void SetGrayScale(int bOn);
    int GetNegate() const;
    void SetNegate(int bOn);
    int GetScale() const;
    void SetScale(int bOn);
    int GetScaleFactor() const;
    void SetScaleFactor(int nPercent);
    int GetRotate() const;
    void SetRotate(int bOn);
    int GetRotateAngle() const;
    void SetRotateAngle(int nDegrees);
    int GetFlipHorz() const;
    void SetFlipHorz(int bOn);
    int GetFlipVert() const;
    void SetFlipVert(int bOn);
    int GetShearDown() const;
    void SetShearDown(int bOn);
    int GetShearDownAmout() const;
    void SetShearDownAmout(int nAmount);
    int GetShearAcross() const;
    void SetShearAcross(int bOn);
    int GetShearAcrossAmout() const;
    void SetShearAcrossAmout(int nAmount);
    int GetBlur() const;
    void SetBlur(int bOn);
    int GetBlurFactor() const;
    void SetBlurFactor(int nFactor);
    int GetSharpen() const;
    void SetSharpen(int bOn);
    int GetSharpenFactor() const;
    void SetSharpenFactor(int nFactor);
    int GetAutoCopy() const;
    void SetAutoCopy(int bOn);

    // Hot keys: modifier word (Shift 1, Ctrl 2, Alt 4, extended 8), then the
    // virtual-key code.
    void GetNewSnapHotkey(WORD& wModifier, WORD& wVk);
    void SetNewSnapHotkey(WORD wModifier, WORD wVk);
    void GetFullScreenHotkey(WORD& wModifier, WORD& wVk);
    void SetFullScreenHotkey(WORD wModifier, WORD wVk);
    void GetActiveWinHotkey(WORD& wModifier, WORD& wVk);
    void SetActiveWinHotkey(WORD wModifier, WORD wVk);
    void GetCurrentWinHotkey(WORD& wModifier, WORD& wVk);
    void SetCurrentWinHotkey(WORD wModifier, WORD wVk);
    void GetWinClientHotkey(WORD& wModifier, WORD& wVk);
    void SetWinClientHotkey(WORD wModifier, WORD wVk);
    void GetWinObjHotkey(WORD& wModifier, WORD& wVk);
    void SetWinObjHotkey(WORD wModifier, WORD wVk);
    void GetSelectRectHotkey(WORD& wModifier, WORD& wVk);
    void SetSelectRectHotkey(WORD wModifier, WORD wVk);
    void GetShowHideHotkey(WORD& wModifier, WORD& wVk);
    void SetShowHideHotkey(WORD wModifier, WORD wVk);

    // The capture type of the last capture (0 to 5).
    int GetSnapMode() const;
    void SetSnapMode(int nMode);

protected:
    // Load and save with an explicit settings file instead of config.xml in
    // the program's folder.
    void LoadConfig(const CString& strPath);
    void SaveConfig(const CString& strPath);

    // Load from and save to the bytes of a settings document in memory, as
    // the file versions read and write config.xml.
    void LoadConfigFromBuffer(const void* pBytes, std::size_t nBytes);
    std::string SaveConfigToBuffer();

private:
    static CString ConfigPath();
    void LoadFromTree(XML_Tree& tree);

    // Presents every stored setting to the visitor in the order of the file:
    // the root's texts, then each group with its keys.
    template <class Visitor>
    void VisitStored(Visitor& visitor);

    CString m_strAuthor;
    CString m_strVersion;
    CString m_strURL;
    CString m_strMail;
    CString m_strAppName;
    int m_bPlaySnapSound;
    int m_bHideMainWnd;
    int m_bSnapOnStart;
    unsigned int m_nSnapDelayTime;
    int m_bKeepOnTop;
    CString m_strEditAppPath;
    int m_bGrayScale;
    int m_bNegate;
    int m_bScale;
    int m_nScaleFactor;
    int m_bRotate;
    int m_nRotateAngle;
    int m_bFlipHorz;
    int m_bFlipVert;
    int m_bShearDown;
    int m_nShearDownAmount;
    int m_bShearAcross;
    int m_nShearAcrossAmount;
    int m_bBlur;
    int m_nBlurFactor;
    int m_bSharpen;
    int m_nSharpenFactor;
    int m_bAutoCopy;

public:
    // Internal switches read by the effects pipeline; never loaded or saved.
    int m_bEffects;      // run the effects chain at all
    int m_bReplaceColor; // add the colour-replacement step
    int m_bSmooth;       // weighted sampling in rotation and shear

private:
    WORD m_wNewSnapModifier;
    WORD m_wNewSnapVk;
    WORD m_wFullScreenModifier;
    WORD m_wFullScreenVk;
    WORD m_wActiveWinModifier;
    WORD m_wActiveWinVk;
    WORD m_wCurrentWinModifier;
    WORD m_wCurrentWinVk;
    WORD m_wWinClientModifier;
    WORD m_wWinClientVk;
    WORD m_wWinObjModifier;
    WORD m_wWinObjVk;
    WORD m_wSelectRectModifier;
    WORD m_wSelectRectVk;
    WORD m_wShowHideModifier;
    WORD m_wShowHideVk;
    int m_nSnapMode;
};
