// CClipboardScope: the clipboard, open while the object lives, with the
// bitmap hand-over every user of it needs.
#pragma once

#include "FrameworkApi.h"
#include "PlatformTypes.h"

class CBitmap;

// Another window may hold the clipboard for a moment (a clipboard viewer
// reading what was just put there): with nTries above 1 the opening is tried
// again every RETRY_MS until it succeeds or the tries are used up. Nothing
// works on a scope that is not open. The clipboard is closed when the object
// goes, on every path.
class FRAMEWORK_API CClipboardScope
{
public:
    enum { RETRY_MS = 20 };

    // hOwner: the window that owns what is put on the clipboard (may be null).
    explicit CClipboardScope(HWND hOwner, int nTries = 1);
    ~CClipboardScope();
    CClipboardScope(const CClipboardScope&) = delete;
    CClipboardScope& operator=(const CClipboardScope&) = delete;

    BOOL IsOpen() const { return m_bOpen; }

    // Empties the clipboard and puts bitmap on it as CF_BITMAP. TRUE when
    // the clipboard took it: it then owns the bitmap, and bitmap is left
    // empty; otherwise bitmap keeps it.
    BOOL PutBitmap(CBitmap& bitmap);
    // The CF_BITMAP on the clipboard, or null; it stays the clipboard's.
    HBITMAP GetBitmap() const;

private:
    BOOL m_bOpen;
};
