// CPictureStore: the engine's current picture in its forms (the captured and
// processed buffers, the GDI+ picture and its thumbnail for the preview), the
// file it belongs to, and how it reaches the clipboard and files.
#pragma once

#include "CBitmap.h"
#include "CImageBitmap.h"
#include "CRect.h"
#include "CString.h"

#include <memory>

namespace Gdiplus {
class Image;
}
class CTesConfig;
class CWnd;

// Forms: captured buffer -> processed buffer -> picture (24-bit GDI+) ->
// thumbnail, rebuilt by Refresh; after Open the picture is the file as
// loaded and the buffers are made from it. The processed buffer holds a
// bitmap only while an effect is on: with an empty chain the captured
// buffer is shown as it is, without a copy of it.
//
// Results: 1 on success, 0 with the previous state kept. GetImage and
// GetThumbnail return the store's own objects, valid until the next refresh,
// open or clear. Both GDI+ objects must be gone (Clear) before GDI+ stops.
// GUI thread only.
class CPictureStore
{
public:
    // config: the effects and their arguments, read at each refresh and reset
    // by Open. The windows are set by SetWindows before any picture arrives.
    explicit CPictureStore(CTesConfig& config);
    ~CPictureStore();
    CPictureStore(const CPictureStore&) = delete;
    CPictureStore& operator=(const CPictureStore&) = delete;

    // pPreview: its client area sizes the thumbnail, its DC is the reference
    // for conversions, it owns the clipboard while copying. pMain: owner of
    // the save-as dialog.
    void SetWindows(CWnd* pMain, CWnd* pPreview);

    // A new grab as the captured picture (nothing happens for null), then
    // Refresh.
    BOOL StoreGrab(std::unique_ptr<CImageBitmap> pGrab);
    // Effects, picture and thumbnail from the captured buffer; empties the
    // names. Nothing happens without a captured picture.
    void Refresh();
    // Both buffers from hBitmap (a copy), without refresh.
    void ResetBuffers(HBITMAP hBitmap);
    // Deletes picture and thumbnail and empties the names; the buffers stay.
    void Clear();

    Gdiplus::Image* GetImage() const { return m_pImage.get(); }
    Gdiplus::Image* GetThumbnail(int& x, int& y) const;

    // A new 24-bit GDI+ picture of a bitmap, or null.
    Gdiplus::Image* ConvertImage(HBITMAP hBitmap) const;
    // A new bitmap holding the picture as drawn by GDI+, or null; the caller
    // owns it.
    CBitmap* ConvertImage(Gdiplus::Image* pImage) const;
    // The thumbnail of pImage for the preview's room (client area less 2
    // pixels a side): never larger than the picture, as large as fits
    // keeping the proportions (sides truncated, at least 1), centred.
    void SetThumbnail(Gdiplus::Image* pImage);

    // The picture (0) or the thumbnail on the clipboard; 1 when it took it.
    int Copy(int bThumbnail);
    // A CF_BITMAP from the clipboard as the new captured picture, refreshed.
    int Paste();
    // A picture file (empty path: ask with the open dialog); every effect is
    // switched off first, even when the load then fails.
    int Open(CString strPathName);
    // Writes the picture (0) or thumbnail. An empty path asks with the
    // save-as dialog (its type gives the encoder); a given path is written
    // with the encoder that knows its extension (none: 0).
    int Save(CString strPathName, int bThumbnail);
    // After a Save that returned 0: the file it could not write and the
    // system's error code for it; empty and 0 when it wrote nothing for
    // another reason (no picture, the dialog cancelled, no encoder).
    CString GetFailedPath() const { return m_strFailedPath; }
    DWORD GetSaveError() const { return m_dwSaveError; }
    // TRUE when an installed encoder knows the extension of strPathName.
    static BOOL HasEncoderFor(const CString& strPathName);

    CString GetPathName() const { return m_strPathName; }
    CString GetFileName() const { return m_strFileName; }
    void SetPathName(const CString& strPathName) { m_strPathName = strPathName; }
    void SetFileName(const CString& strFileName) { m_strFileName = strFileName; }
    void EmptyNames();

private:
    // The buffer the picture is made from: the processed one, or the
    // captured one while no effect is on.
    const CImageBitmap& ShownBuffer() const;
    // The picture as GDI+ draws it, in a new pixel section; null on failure.
    std::unique_ptr<CImageBitmap> DrawPicture(Gdiplus::Image* pImage) const;

    CTesConfig& m_config;
    CWnd* m_pMainWnd;
    CWnd* m_pPreviewWnd;
    CImageBitmap m_bmpCaptured;
    CImageBitmap m_bmpProcessed;
    std::unique_ptr<Gdiplus::Image> m_pImage;
    std::unique_ptr<Gdiplus::Image> m_pThumbnail;
    // The picture was made from the shown buffer (not loaded from a file),
    // so the thumbnail can be made from the buffer's pixels.
    BOOL m_bImageFromBuffer;
    int m_nThumbX;
    int m_nThumbY;
    CString m_strPathName;
    CString m_strFileName;
    CString m_strFailedPath;
    DWORD m_dwSaveError;
};
