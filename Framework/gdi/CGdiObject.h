// CGdiObject: owning wrapper of one GDI object handle (pen, brush, font,
// bitmap, region, palette), base of the typed GDI object classes.
#pragma once

#include "FrameworkApi.h"
#include "PlatformTypes.h"
#include "CObject.h"

// Ownership: an object that holds a handle owns it and deletes it in its
// destructor (or in DeleteObject); Detach gives the handle up without deleting
// it. Copying is disabled, so a handle has at most one owning wrapper.
//
// Temporary wrappers: FromHandle (and the typed FromHandle of each subclass)
// returns a wrapper of a handle that belongs to someone else. It never deletes
// the handle. Temporary wrappers live in one per-process map, one wrapper per
// handle and class, until DeleteTempMap releases them all (the application
// calls it when its message loop goes idle); a pointer obtained from FromHandle
// must therefore not be kept beyond the message being handled. Lifetime and
// threading of every temporary wrapper: CTempWrapperMap.h.
class FRAMEWORK_API CGdiObject : public CObject
{
    DECLARE_DYNAMIC(CGdiObject)
public:
    CGdiObject();
    ~CGdiObject() override;

    HGDIOBJ m_hObject;

    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }

    // Takes ownership of hObject. FALSE for a null handle or when this object
    // already holds one (the held handle is kept).
    BOOL Attach(HGDIOBJ hObject);
    // Gives the handle up without deleting it; the object is empty afterwards.
    HGDIOBJ Detach();
    // Deletes the held handle; FALSE when there is none or GDI refuses.
    BOOL DeleteObject();

    // The object's description (GetObjectW): bytes copied, 0 on failure.
    int GetObject(int nCount, LPVOID lpObject) const;
    // OBJ_PEN, OBJ_BRUSH, ... of the held handle; 0 when empty or deleted.
    UINT GetObjectType() const;
    // Takes a stock object (GetStockObject). Deleting a stock object later is
    // harmless, so the usual ownership rule applies unchanged.
    BOOL CreateStockObject(int nIndex);

    static CGdiObject* FromHandle(HGDIOBJ hObject);
    // Releases every temporary wrapper (their handles stay alive).
    static void DeleteTempMap();

protected:
    // Attaches a handle that was just created for this object; a null handle
    // gives FALSE, and a handle that cannot be attached is deleted again.
    BOOL AttachNew(HGDIOBJ hObject);

    typedef CGdiObject* (*PFN_NEWOBJECT)();
    // The temporary wrapper of class pClass for hObject, made with pfnNew on
    // first use; null for a null handle.
    static CGdiObject* FromHandleOf(HGDIOBJ hObject, const CRuntimeClass* pClass, PFN_NEWOBJECT pfnNew);
};
