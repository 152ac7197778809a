// CGdiplusFileSaveAsDialog: the save-as dialog for pictures (see
// CGdiplusFileSaveAsDialog.h).
#include "CGdiplusFileSaveAsDialog.h"

#include "CPathName.h"

namespace {
// Room the default extension has in its narrow form.
const int kDefExtBytes = 20;
// The name box's text is asked for with this many characters first.
const int kNameBoxChars = 260;
} // namespace

IMPLEMENT_DYNAMIC(CGdiplusFileSaveAsDialog, CGdiplusFileDialog)

CGdiplusFileSaveAsDialog::CGdiplusFileSaveAsDialog(const wchar_t* lpszFileName, DWORD dwFlags, CWnd* pParentWnd)
    : CGdiplusFileDialog(FALSE, lpszFileName, dwFlags, pParentWnd), m_clsidCurrent()
{
    // An empty (not null) default extension makes the dialog append the
    // chosen type's first extension to a name typed without one, which is
    // the codec's default extension; SetDefaultExt names the same extension
    // where the dialog takes CDM_SETDEFEXT (Wine's does not).
    m_ofn.lpstrDefExt = L"";
}

GUID CGdiplusFileSaveAsDialog::GetCodecCLSID() const
{
    return m_clsidCurrent;
}

CString CGdiplusFileSaveAsDialog::GetFileExt() const
{
    // Without its window the dialog has no file-name box to read.
    HWND hDialog = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
    if (hDialog == nullptr)
        return CString();
    CString strTypedName;
    LRESULT nResult = ::SendMessageW(hDialog, CDM_GETSPEC, kNameBoxChars,
                                     reinterpret_cast<LPARAM>(strTypedName.GetBuffer(kNameBoxChars)));
    if (nResult > kNameBoxChars) {
        // A longer name: the reply was the size it needs.
        const int nChars = static_cast<int>(nResult);
        nResult = ::SendMessageW(hDialog, CDM_GETSPEC, static_cast<WPARAM>(nChars),
                                 reinterpret_cast<LPARAM>(strTypedName.GetBuffer(nChars)));
    }
    strTypedName.ReleaseBuffer(nResult > 0 ? -1 : 0);
    return CPathName::ExtensionOf(strTypedName);
}

void CGdiplusFileSaveAsDialog::FillCodecInfoArray()
{
    m_codecs.Read(TRUE);
}

void CGdiplusFileSaveAsDialog::ConstructMFCStyleFilter()
{
    const CString strTypes = FormatTypeEntries();
    m_strFilter.Format(L"%s||", static_cast<LPCTSTR>(strTypes));
}

const CGdiplusCodecInfo* CGdiplusFileSaveAsDialog::SelectedCodec() const
{
    const INT_PTR nIndex = static_cast<INT_PTR>(m_ofn.nFilterIndex) - 1;
    return nIndex >= 0 && nIndex < m_codecs.GetSize() ? &m_codecs.GetAt(nIndex) : nullptr;
}

void CGdiplusFileSaveAsDialog::SetDefaultExt()
{
    const CGdiplusCodecInfo* pCodec = SelectedCodec();
    if (pCodec == nullptr)
        return;
    // The dialog's call takes a narrow string: the OEM code page, with room
    // for the terminator.
    char szExt[kDefExtBytes] = {};
    ::WideCharToMultiByte(CP_OEMCP, 0, pCodec->GetDefExt(), -1, szExt, kDefExtBytes - 1, nullptr, nullptr);
    SetDefExt(szExt);
}

void CGdiplusFileSaveAsDialog::SetCurrentCodecCLSID()
{
    if (const CGdiplusCodecInfo* pCodec = SelectedCodec())
        m_clsidCurrent = pCodec->GetCLSID();
}

void CGdiplusFileSaveAsDialog::OnInitDone()
{
    CGdiplusFileDialog::OnInitDone();
    SetDefaultExt();
    SetCurrentCodecCLSID();
}

void CGdiplusFileSaveAsDialog::OnTypeChange()
{
    CGdiplusFileDialog::OnTypeChange();
    SetDefaultExt();
    SetCurrentCodecCLSID();
}

BOOL CGdiplusFileSaveAsDialog::OnFileNameOK()
{
    const CString strExt = GetFileExt();
    if (strExt.IsEmpty())
        return CGdiplusFileDialog::OnFileNameOK();
    if (const CGdiplusCodecInfo* pCodec = m_codecs.FindExtension(strExt)) {
        m_clsidCurrent = pCodec->GetCLSID();
        return CGdiplusFileDialog::OnFileNameOK();
    }
    return TRUE;
}
