// CTesLocalResource: a scope inside which the framework looks for dialog
// templates, cursors and bitmaps in TesLib's resource module first.
#pragma once

#include "TesLibApi.h"
#include "PlatformTypes.h"

// Chooses the module that every later CTesLocalResource switches to; null
// means TesLib's own module again.
TESLIB_API void TesSetResourceHandle(HINSTANCE hResource);

// Made on the stack at the start of a block of library code that loads the
// library's own resources, destroyed at its end. The constructor remembers
// the framework's current resource handle and makes TesLib's resource module
// current; the destructor makes the remembered handle current again, so
// nested scopes each restore exactly what they found. GUI thread only.
class TESLIB_API CTesLocalResource
{
public:
    CTesLocalResource();
    ~CTesLocalResource();

private:
    HINSTANCE m_hOldResource;
};
