// COptionImage: the options sheet's image page ("图像"): the external image
// editor (typed or chosen with the browse button) and the effect parameters;
// the rotation angle must lie within -360..360 degrees.
#pragma once

#include "CPropertyPage.h"
#include "CString.h"

class COptionImage : public CPropertyPage
{
public:
    COptionImage();
    ~COptionImage() override;

    CString m_strEditAppPath;
    int m_nRotateAngle;
    int m_nScaleFactor;
    int m_nShearAcrossAmout;
    int m_nShearDownAmout;
    int m_nBlurFactor;
    int m_nSharpenFactor;

    static const int kMaxRotateAngle = 360;

protected:
    DECLARE_MESSAGE_MAP()
    void DoDataExchange(CDataExchange* pDX) override;
    // Button 1033: choose the editor's program file.
    void OnBrowse();
};
