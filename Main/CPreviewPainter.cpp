// CPreviewPainter: thumbnail or placeholder onto any DC.
#include "CPreviewPainter.h"

#include <windows.h>
// GDI+ needs the COM declarations that the lean Windows header leaves out.
#include <objidl.h>
#include <gdiplus.h>

HBITMAP CPreviewPainter::LoadPlaceholder(HINSTANCE hInstance, UINT nID)
{
    return static_cast<HBITMAP>(::LoadImageW(hInstance, MAKEINTRESOURCEW(nID), IMAGE_BITMAP, 0, 0,
                                             LR_CREATEDIBSECTION));
}

void CPreviewPainter::Draw(HDC hDC, const CRect& rect, HBITMAP hPlaceholder,
                           Gdiplus::Image* pImage, Gdiplus::Image* pThumb, int x, int y)
{
    if (pImage == nullptr) {
        DrawPlaceholder(hDC, rect, hPlaceholder);
        return;
    }
    Gdiplus::Graphics graphics(hDC);
    if (graphics.GetLastStatus() != Gdiplus::Ok || pThumb == nullptr)
        return;
    CRect frame = rect;
    frame.DeflateRect(1, 1);
    Gdiplus::SolidBrush white(Gdiplus::Color(0xFFFFFFFF));
    graphics.FillRectangle(&white, frame.left, frame.top, frame.Width(), frame.Height());
    graphics.DrawImage(pThumb, x, y, static_cast<INT>(pThumb->GetWidth()), static_cast<INT>(pThumb->GetHeight()));
}

void CPreviewPainter::DrawPlaceholder(HDC hDC, const CRect& rect, HBITMAP hPlaceholder)
{
    BITMAP info = {};
    if (hPlaceholder == nullptr || ::GetObjectW(hPlaceholder, sizeof(info), &info) == 0)
        return;
    HDC hMemDC = ::CreateCompatibleDC(hDC);
    if (hMemDC == nullptr)
        return;
    HGDIOBJ hOld = ::SelectObject(hMemDC, hPlaceholder);
    if (hOld != nullptr) {
        const int nOldMode = ::SetStretchBltMode(hDC, HALFTONE);
        ::SetBrushOrgEx(hDC, 0, 0, nullptr);
        ::StretchBlt(hDC, rect.left, rect.top, rect.Width() + 1, rect.Height() + 1,
                     hMemDC, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        ::SetStretchBltMode(hDC, nOldMode);
        ::SelectObject(hMemDC, hOld);
    }
    ::DeleteDC(hMemDC);
}
