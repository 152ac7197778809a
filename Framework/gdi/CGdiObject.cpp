// CGdiObject (see CGdiObject.h) and the map of temporary GDI object wrappers.
#include "CGdiObject.h"

#include <map>
#include <memory>
#include <mutex>
#include <utility>

IMPLEMENT_DYNAMIC(CGdiObject, CObject)

namespace {

typedef std::pair<HGDIOBJ, const CRuntimeClass*> TempKey;

struct TempMap
{
    std::mutex lock;
    std::map<TempKey, std::unique_ptr<CGdiObject>> objects;

    // Wrappers still in the map when the process ends leave their handles
    // alone as well.
    ~TempMap()
    {
        for (auto& entry : objects)
            entry.second->Detach();
    }
};

TempMap& GetTempMap()
{
    static TempMap map;
    return map;
}

CGdiObject* NewGdiObject()
{
    return new CGdiObject;
}

} // namespace

CGdiObject::CGdiObject()
    : m_hObject(nullptr)
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
    TempMap& map = GetTempMap();
    std::lock_guard<std::mutex> guard(map.lock);
    std::unique_ptr<CGdiObject>& slot = map.objects[TempKey(hObject, pClass)];
    if (!slot) {
        slot.reset(pfnNew());
        slot->m_hObject = hObject;
    }
    return slot.get();
}

void CGdiObject::DeleteTempMap()
{
    TempMap& map = GetTempMap();
    std::map<TempKey, std::unique_ptr<CGdiObject>> released;
    {
        std::lock_guard<std::mutex> guard(map.lock);
        released.swap(map.objects);
    }
    // Temporary wrappers never own their handles.
    for (auto& entry : released)
        entry.second->Detach();
}
