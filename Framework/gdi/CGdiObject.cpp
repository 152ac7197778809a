// CGdiObject (see CGdiObject.h) and the map of temporary GDI object wrappers.
#include "CGdiObject.h"

#include "CTempWrapperMap.h"

#include <memory>
#include <utility>

IMPLEMENT_DYNAMIC(CGdiObject, CObject)

namespace {

// One wrapper per handle and class: a handle may be asked for as a CGdiObject
// and as its typed class.
typedef std::pair<HGDIOBJ, const CRuntimeClass*> TempKey;

CTempWrapperMap<TempKey, CGdiObject>& TempObjects()
{
    static CTempWrapperMap<TempKey, CGdiObject> map;
    return map;
}

CGdiObject* NewGdiObject()
{
    return new CGdiObject;
}

} // namespace

CGdiObject::CGdiObject() : m_hObject(nullptr)
{
}

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == nullptr || m_hObject != nullptr)
        return FALSE;
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    m_hObject = nullptr;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    if (m_hObject == nullptr)
        return 0;
    return ::GetObjectW(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const
{
    if (m_hObject == nullptr)
        return 0;
    return static_cast<UINT>(::GetObjectType(m_hObject));
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    if (m_hObject != nullptr)
        return FALSE;
    return Attach(::GetStockObject(nIndex));
}

BOOL CGdiObject::AttachNew(HGDIOBJ hObject)
{
    if (hObject == nullptr)
        return FALSE;
    if (!Attach(hObject)) {
        ::DeleteObject(hObject);
        return FALSE;
    }
    return TRUE;
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    return FromHandleOf(hObject, RUNTIME_CLASS(CGdiObject), &NewGdiObject);
}

CGdiObject* CGdiObject::FromHandleOf(HGDIOBJ hObject, const CRuntimeClass* pClass, PFN_NEWOBJECT pfnNew)
{
    if (hObject == nullptr)
        return nullptr;
    return TempObjects().FromKey(TempKey(hObject, pClass), [hObject, pfnNew]() {
        std::unique_ptr<CGdiObject> pObject(pfnNew());
        pObject->m_hObject = hObject;
        return pObject;
    });
}

void CGdiObject::DeleteTempMap()
{
    TempObjects().DeleteAll();
}
