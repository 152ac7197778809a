// CObject: root of the framework's class tree, with run-time class
// information (class name, base class, IsKindOf) for the classes that declare
// it with DECLARE_DYNAMIC / IMPLEMENT_DYNAMIC.
#pragma once

#include "FrameworkApi.h"
#include "PlatformTypes.h"

class CObject;

// One static record per class that declares run-time class information.
struct FRAMEWORK_API CRuntimeClass
{
    const char* m_lpszClassName;
    int m_nObjectSize;
    const CRuntimeClass* m_pBaseClass;

    // TRUE when this class is pBaseClass or derives from it.
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

class FRAMEWORK_API CObject
{
public:
    static const CRuntimeClass classCObject;

    virtual ~CObject();
    virtual const CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

protected:
    CObject();

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// In the class body (public section).
#define DECLARE_DYNAMIC(class_name)                                  \
public:                                                              \
    static const CRuntimeClass class##class_name;                    \
    const CRuntimeClass* GetRuntimeClass() const override;

// In the class's source file.
#define IMPLEMENT_DYNAMIC(class_name, base_class_name)               \
    const CRuntimeClass class_name::class##class_name = {            \
        #class_name, static_cast<int>(sizeof(class_name)),           \
        RUNTIME_CLASS(base_class_name)};                             \
    const CRuntimeClass* class_name::GetRuntimeClass() const         \
    {                                                                \
        return RUNTIME_CLASS(class_name);                            \
    }
