// CPen (see CPen.h).
#include "CPen.h"

IMPLEMENT_DYNAMIC(CPen, CGdiObject)

namespace {
CGdiObject* NewPen()
{
    return new CPen;
}
} // namespace

CPen::CPen() = default;

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    if (m_hObject != nullptr)
        return FALSE;
    return AttachNew(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePenIndirect(const LOGPEN* lpLogPen)
{
    if (m_hObject != nullptr || lpLogPen == nullptr)
        return FALSE;
    return AttachNew(::CreatePenIndirect(lpLogPen));
}

int CPen::GetLogPen(LOGPEN* pLogPen) const
{
    if (pLogPen == nullptr)
        return 0;
    return GetObject(sizeof(LOGPEN), pLogPen);
}

CPen* CPen::FromHandle(HPEN hPen)
{
    return static_cast<CPen*>(FromHandleOf(hPen, RUNTIME_CLASS(CPen), &NewPen));
}
