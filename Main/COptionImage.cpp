// COptionImage: the image page of the options sheet (see COptionImage.h).
#include "COptionImage.h"
#include "CDataExchange.h"
#include "CFileDialog.h"
#include "OptionsTrayResource.h"

BEGIN_MESSAGE_MAP(COptionImage, CPropertyPage)
    ON_BN_CLICKED(IDC_OPTION_BROWSE, OnBrowse)
END_MESSAGE_MAP()

COptionImage::COptionImage()
    : CPropertyPage(IDD_OPTION_IMAGE), m_nRotateAngle(0), m_nScaleFactor(0), m_nShearAcrossAmout(0),
      m_nShearDownAmout(0), m_nBlurFactor(0), m_nSharpenFactor(0)
{
}

COptionImage::~COptionImage() = default;

void COptionImage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_OPTION_EDIT_APP_PATH, m_strEditAppPath);
    DDX_Text(pDX, IDC_OPTION_ROTATE_ANGLE, m_nRotateAngle);
    DDX_Text(pDX, IDC_OPTION_SCALE_FACTOR, m_nScaleFactor);
    DDX_Text(pDX, IDC_OPTION_SHEAR_ACROSS, m_nShearAcrossAmout);
    DDX_Text(pDX, IDC_OPTION_SHEAR_DOWN, m_nShearDownAmout);
    DDX_Text(pDX, IDC_OPTION_BLUR_FACTOR, m_nBlurFactor);
    DDX_Text(pDX, IDC_OPTION_SHARPEN_FACTOR, m_nSharpenFactor);
    DDV_MinMaxInt(pDX, m_nRotateAngle, -kMaxRotateAngle, kMaxRotateAngle);
}

void COptionImage::OnBrowse()
{
    // Only the path field changes: what was typed into the other fields stays.
    CFileDialog dialog(TRUE, nullptr, nullptr, 0, L"图像编辑程序(*.exe)|*.exe||", nullptr);
    if (dialog.DoModal() != IDOK)
        return;
    m_strEditAppPath = dialog.GetPathName();
    SetDlgItemText(IDC_OPTION_EDIT_APP_PATH, m_strEditAppPath);
}
