// CDC: wrapper of a GDI device context (HDC) with the drawing, copying,
// mapping and printing operations the program uses.
#pragma once

#include "FrameworkApi.h"
#include "PlatformTypes.h"
#include "CObject.h"
#include "CGdiObject.h"
#include "CPoint.h"
#include "CRect.h"
#include "CSize.h"
#include "CString.h"

class CPen;
class CBrush;
class CFont;
class CBitmap;
class CRgn;
class CPalette;

// Ownership: a CDC that holds a DC owns it. A DC made by CreateCompatibleDC or
// CreateDC, or given to Attach (a printer DC, for instance), is deleted with
// DeleteDC by the destructor; CClientDC, CWindowDC and CPaintDC release the DC
// they took instead. Detach gives the DC up untouched. FromHandle returns a
// temporary wrapper that never deletes or releases its DC; temporary DC
// wrappers live until DeleteTempMap, like those of CGdiObject.
//
// Selected objects: the first time SelectObject (or SelectStockObject,
// SelectPalette) displaces the DC's pen, brush, font, bitmap or palette, the
// displaced one is remembered. Before an owned DC is deleted or released, those
// initial objects are selected back, so that no object of the program stays
// selected into a dead or shared DC and every object can be deleted
// afterwards. The objects themselves must outlive their selection: declare a
// pen, brush, font or bitmap before the DC it is selected into, or select the
// previous object back before deleting it.
class FRAMEWORK_API CDC : public CObject
{
    DECLARE_DYNAMIC(CDC)
public:
    CDC();
    ~CDC() override;

    HDC m_hDC;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }

    // Takes ownership of hDC. FALSE for a null handle or when this object
    // already holds a DC (the held one is kept).
    BOOL Attach(HDC hDC);
    // Gives the DC up untouched (its selected objects are not restored).
    HDC Detach();
    static CDC* FromHandle(HDC hDC);
    static void DeleteTempMap();

    // A memory DC compatible with pDC's device (the screen when pDC is null).
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const DEVMODE* lpInitData);
    // Restores the initial objects, then deletes the DC; FALSE when empty.
    BOOL DeleteDC();

    // Selection. Each returns the previously selected object as a wrapper
    // (temporary: see FromHandle), or null on failure or a null argument.
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);
    CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    // A region given this way becomes the clipping region and gives null.
    CGdiObject* SelectObject(CGdiObject* pObject);
    // Selecting a region makes a copy of it the clipping region: returns
    // NULLREGION, SIMPLEREGION, COMPLEXREGION or ERROR.
    int SelectObject(CRgn* pRgn);
    CGdiObject* SelectStockObject(int nIndex);
    CPalette* SelectPalette(CPalette* pPalette, BOOL bForceBackground);
    UINT RealizePalette();
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;
    CPalette* GetCurrentPalette() const;

    // State.
    int SaveDC();
    BOOL RestoreDC(int nSavedDC);
    int GetDeviceCaps(int nIndex) const;
    int SetMapMode(int nMapMode);
    int GetMapMode() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint GetViewportOrg() const;
    BOOL DPtoLP(LPPOINT lpPoints, int nCount = 1) const;
    BOOL DPtoLP(LPRECT lpRect) const;
    BOOL DPtoLP(LPSIZE lpSize) const;
    BOOL LPtoDP(LPPOINT lpPoints, int nCount = 1) const;
    BOOL LPtoDP(LPRECT lpRect) const;
    BOOL LPtoDP(LPSIZE lpSize) const;
    // A null region removes the clipping region.
    int SelectClipRgn(CRgn* pRgn);
    int SelectClipRgn(CRgn* pRgn, int nMode);
    int GetClipBox(LPRECT lpRect) const;
    COLORREF SetBkColor(COLORREF crColor);
    COLORREF GetBkColor() const;
    int SetBkMode(int nBkMode);
    int GetBkMode() const;
    COLORREF SetTextColor(COLORREF crColor);
    COLORREF GetTextColor() const;
    int SetROP2(int nDrawMode);
    int GetROP2() const;
    int SetStretchBltMode(int nStretchMode);
    int GetStretchBltMode() const;

    // Pixels and block transfers. A null source DC is allowed only for raster
    // operations that do not use a source.
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT point) const;
    COLORREF SetPixel(int x, int y, COLORREF crColor);
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop);
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                    int nSrcHeight, DWORD dwRop);
    BOOL AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                    int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend);

    // Rectangles and shapes.
    // Fills with a solid colour; the DC's background colour is left as it was.
    void FillSolidRect(LPCRECT lpRect, COLORREF crColor);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor);
    void FillRect(LPCRECT lpRect, CBrush* pBrush);
    void FrameRect(LPCRECT lpRect, CBrush* pBrush);
    void InvertRect(LPCRECT lpRect);
    void DrawFocusRect(LPCRECT lpRect);
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(LPCRECT lpRect);
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Ellipse(LPCRECT lpRect);
    // Returns the previous current position.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point);
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point);
    BOOL Polyline(const POINT* lpPoints, int nCount);

    // Text.
    BOOL TextOut(int x, int y, LPCTSTR lpszString, int nCount);
    BOOL TextOut(int x, int y, const CString& str);
    // Height of the drawn text (0 on failure).
    int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat);
    CSize GetTextExtent(LPCTSTR lpszString, int nCount) const;
    CSize GetTextExtent(const CString& str) const;
    BOOL GetTextMetrics(LPTEXTMETRIC lpMetrics) const;

    // Printing (each returns what the platform does: > 0 on success).
    int StartDoc(LPDOCINFO lpDocInfo);
    int StartDoc(LPCTSTR lpszDocName);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();

protected:
    // Selects back the objects the DC had before the first SelectObject, and
    // forgets them.
    void RestoreInitialObjects();

private:
    enum InitialSlot { SlotPen, SlotBrush, SlotFont, SlotBitmap, SlotPalette, SlotCount };

    HGDIOBJ SelectHandle(HGDIOBJ hObject);
    void RememberInitial(HGDIOBJ hPrevious);
    void ForgetInitialObjects();

    HGDIOBJ m_hInitial[SlotCount];
};
