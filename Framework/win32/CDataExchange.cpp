// Dialog data exchange and validation (see CDataExchange.h).
#include "CDataExchange.h"
#include "CWnd.h"
#include "CWinApp.h"

#include <cwctype>
#include <functional>
#include <vector>

struct CDataExchange::Undo
{
    std::vector<std::function<void()>> restores;
};

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_pUndo(new Undo), m_hWndLastControl(nullptr),
      m_bLastControlIsEdit(FALSE), m_bFailed(FALSE)
{
}

CDataExchange::~CDataExchange() = default;

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    m_hWndLastControl = m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC) : nullptr;
    m_bLastControlIsEdit = FALSE;
    return m_hWndLastControl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWnd = PrepareCtrl(nIDC);
    m_bLastControlIsEdit = hWnd != nullptr;
    return hWnd;
}

void CDataExchange::Fail(LPCTSTR lpszMessage)
{
    if (m_bFailed)
        return;
    m_bFailed = TRUE;
    AfxMessageBox(lpszMessage, MB_OK | MB_ICONEXCLAMATION);
    if (m_hWndLastControl != nullptr) {
        ::SetFocus(m_hWndLastControl);
        if (m_bLastControlIsEdit)
            ::SendMessageW(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
}

void CDataExchange::Remember(int& rMember)
{
    const int old = rMember;
    m_pUndo->restores.push_back([&rMember, old]() { rMember = old; });
}

void CDataExchange::Remember(UINT& rMember)
{
    const UINT old = rMember;
    m_pUndo->restores.push_back([&rMember, old]() { rMember = old; });
}

void CDataExchange::Remember(CString& rMember)
{
    const CString old = rMember;
    m_pUndo->restores.push_back([&rMember, old]() { rMember = old; });
}

BOOL CDataExchange::Finish()
{
    if (m_bFailed) {
        for (auto it = m_pUndo->restores.rbegin(); it != m_pUndo->restores.rend(); ++it)
            (*it)();
    }
    m_pUndo->restores.clear();
    return !m_bFailed;
}

namespace {

// Parses [blanks][sign]digits[blanks] into *pValue within [minValue, maxValue].
bool ParseInteger(const CString& text, long long minValue, long long maxValue, long long* pValue)
{
    const wchar_t* p = text.GetString();
    while (std::iswspace(*p))
        ++p;
    bool negative = false;
    if (*p == L'+' || *p == L'-') {
        negative = *p == L'-';
        ++p;
    }
    if (*p < L'0' || *p > L'9')
        return false;
    long long magnitude = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p) {
        magnitude = magnitude * 10 + (*p - L'0');
        if (magnitude > maxValue + 1LL) // beyond any 32-bit value: stop early
            return false;
    }
    while (std::iswspace(*p))
        ++p;
    if (*p != 0)
        return false;
    const long long value = negative ? -magnitude : magnitude;
    if (value < minValue || value > maxValue)
        return false;
    *pValue = value;
    return true;
}

CString ControlText(HWND hWnd)
{
    CString text;
    if (hWnd != nullptr)
        CWnd::FromHandle(hWnd)->GetWindowText(text);
    return text;
}

// An integer edit field: saving parses the text into [minValue, maxValue]
// and refuses anything else with pszRefusal; loading shows the value with
// pszFormat.
template <typename T>
void ExchangeInteger(CDataExchange* pDX, int nIDC, T& value, long long minValue, long long maxValue,
                     const wchar_t* pszRefusal, const wchar_t* pszFormat)
{
    if (pDX->HasFailed())
        return;
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (hWnd == nullptr)
        return;
    if (pDX->m_bSaveAndValidate) {
        long long parsed = 0;
        if (!ParseInteger(ControlText(hWnd), minValue, maxValue, &parsed)) {
            pDX->Fail(pszRefusal);
            return;
        }
        pDX->Remember(value);
        value = static_cast<T>(parsed);
    } else {
        CString text;
        text.Format(pszFormat, value);
        ::SetWindowTextW(hWnd, text);
    }
}

// A control whose state is one int: saving asks it with getMessage, loading
// sends setMessage with wShown.
void ExchangeControlState(CDataExchange* pDX, int nIDC, int& value, UINT getMessage, UINT setMessage, WPARAM wShown)
{
    if (pDX->HasFailed())
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (hWnd == nullptr)
        return;
    if (pDX->m_bSaveAndValidate) {
        pDX->Remember(value);
        value = static_cast<int>(::SendMessageW(hWnd, getMessage, 0, 0));
    } else {
        ::SendMessageW(hWnd, setMessage, wShown, 0);
    }
}

} // namespace

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (pDX->HasFailed() || rControl.m_hWnd != nullptr)
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (hWnd != nullptr)
        rControl.SubclassWindow(hWnd);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    if (pDX->HasFailed())
        return;
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (hWnd == nullptr)
        return;
    if (pDX->m_bSaveAndValidate) {
        pDX->Remember(value);
        value = ControlText(hWnd);
    } else {
        ::SetWindowTextW(hWnd, value);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeInteger(pDX, nIDC, value, -2147483647LL - 1, 2147483647LL, L"请输入一个整数。", L"%d");
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeInteger(pDX, nIDC, value, 0, 4294967295LL, L"请输入一个不小于 0 的整数。", L"%u");
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    const int nShown = (value >= 0 && value <= 2) ? value : 0;
    ExchangeControlState(pDX, nIDC, value, BM_GETCHECK, BM_SETCHECK, static_cast<WPARAM>(nShown));
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    ExchangeControlState(pDX, nIDC, index, CB_GETCURSEL, CB_SETCURSEL, static_cast<WPARAM>(index));
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (!pDX->m_bSaveAndValidate || pDX->HasFailed())
        return;
    if (value < minVal || value > maxVal) {
        CString message;
        message.Format(L"请输入一个介于 %d 和 %d 之间的整数。", minVal, maxVal);
        pDX->Fail(message);
    }
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (!pDX->m_bSaveAndValidate || pDX->HasFailed())
        return;
    if (value < minVal || value > maxVal) {
        CString message;
        message.Format(L"请输入一个介于 %u 和 %u 之间的整数。", minVal, maxVal);
        pDX->Fail(message);
    }
}
