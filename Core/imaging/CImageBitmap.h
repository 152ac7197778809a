// CImageBitmap: the picture object, a GDI bitmap with a background colour that
// converts to and from 32-bit pixel buffers (RGBX.h), runs processor chains
// and loads BMP, ICO, JPEG and GIF pictures from files and resources.
#pragma once

#include "CBitmap.h"
#include "CProcessorChain.h"
#include "CRect.h"
#include "CSize.h"
#include "RGBX.h"
#include "TesLibApi.h"

#include <ole2.h>
#include <olectl.h>

// Form: every bitmap the object makes itself (CopyImage, ProcessImage,
// CreatePixelSection) is a 32-bit top-down DIB section, whose pixels
// (RGBX.h: rows top first, no gaps) GetPixels reaches without a copy; a bitmap
// attached from elsewhere may have any form and is read through GDI. Pixels
// are copied in one pass, in through GetDIBits (CopyImage) and out through
// SetDIBits (CopyToScreenBitmap).
//
// Ownership: the object owns its bitmap (see CGdiObject). Every operation that
// would replace the bitmap builds the new one completely first and replaces
// the old one only on full success; on failure it returns FALSE (or NULL) and
// the object keeps the bitmap it had. Every DC taken is released and every
// buffer freed on every path.
//
// Naming: <windows.h> defines LoadImage as a macro for LoadImageW (UNICODE) or
// LoadImageA, so the loading members are declared under the name LoadImageW
// itself, which no macro touches: they compile with and without UNICODE, and
// callers name them LoadImageW. Inside the class the system function is
// reached as ::LoadImageW.
class TESLIB_API CImageBitmap : public CBitmap
{
public:
    // No bitmap yet; clrBackground (a COLORREF) fills every pixel a processor
    // leaves unwritten and the area under a loaded picture's transparent parts.
    explicit CImageBitmap(DWORD clrBackground = 0x00FFFFFF);
    ~CImageBitmap() override;

    // Replaces the own bitmap by a copy of hBitmap (any format) as a bitmap
    // compatible with the screen. A null or invalid handle, or a size GDI cannot
    // make, gives FALSE.
    BOOL CopyImage(HBITMAP hBitmap);
    // A null pointer gives FALSE; otherwise the handle form on pBitmap's handle.
    BOOL CopyImage(CBitmap* pBitmap);
    // Replaces the own bitmap by a pixel section holding rect (clipped to
    // source) of source's pixels; FALSE, bitmap kept, when nothing is left.
    BOOL CopyImage(const CImageBitmap& source, CRect rect);
    // A new bitmap compatible with the screen holding a copy of the own
    // pixels, for the clipboard: other programs read a picture put there in
    // that form on every system (Wine's clipboard hands them nothing usable
    // for a DIB section). Null without a bitmap or when GDI refuses.
    HBITMAP CopyToScreenBitmap() const;
    // Draws the picture 1:1 with its top-left corner at (x, y) of hDC; a
    // pixel section straight from its pixels. FALSE without a bitmap or when
    // GDI refuses.
    BOOL Draw(HDC hDC, int x, int y) const;
    // The header of a top-down BI_RGB picture of size with nBitCount bits per
    // pixel, as GetDIBits, SetDIBits and DIB sections take it.
    static BITMAPINFO TopDownHeader(CSize size, WORD nBitCount = 32);

    // Replaces the own bitmap by a new pixel section of size (pixels not set);
    // FALSE, bitmap kept, when GDI cannot make it or size has no pixels.
    BOOL CreatePixelSection(CSize size);
    // The own bitmap's pixels when it is a pixel section this object (or one
    // it took it over from) made, else null. Valid while the object keeps
    // that bitmap.
    RGBX* GetPixels() const;
    // Replaces the own bitmap by other's, which is left empty; a pixel
    // section stays readable through GetPixels.
    void TakeOver(CImageBitmap& other);
    // The own bitmap's size; 0 x 0 without a bitmap.
    CSize GetSize() const;

    // Loads into an empty object (FALSE when the object already holds a
    // bitmap). A colour of 0xFFFFFFFF means this object's background colour.
    BOOL LoadImageW(UINT nIDResource, LPCWSTR lpszResourceType, HINSTANCE hInstance, DWORD clrBackground);
    BOOL LoadImageW(LPCWSTR lpszPath, DWORD clrBackground);

    // Runs the chain over the bitmap's pixels (CProcessorChain::Run) and
    // replaces the bitmap by the result. No bitmap: FALSE; an empty chain: TRUE
    // with nothing changed. A stage that fails, a size with a side above
    // CImage32BitProcessor::MAX_SIDE (input or any stage's output), a result
    // without pixels, or a result bitmap GDI cannot make: FALSE, bitmap kept.
    BOOL ProcessImage(const CProcessorArray& chain);
    // The one-element chain of pProcessor.
    BOOL ProcessImage(CImage32BitProcessor* pProcessor);
    // Runs the chain over source's pixels (read in place when source is a
    // pixel section) and replaces the own bitmap by the result; an empty
    // chain copies source. FALSE, bitmap kept, as above.
    BOOL ProcessImage(const CProcessorArray& chain, const CImageBitmap& source);

    // Convenience operations: each runs the named processor, built with exactly
    // these arguments, as a one-element chain.
    BOOL RotateImage(int nDegrees, int bSmooth);            // CImageRotator
    BOOL ShearImage(int nShearX, int nShearY, int bSmooth); // CImageShearer
    BOOL GrayImage();                                       // CImageGrayer
    BOOL BlurImage(int nFactor);                            // CImageBlurrer
    BOOL SharpenImage(int nFactor);                         // CImageSharpener
    BOOL ResizeImage(double dFactor);                       // CImageResizer
    BOOL FlipImage(int bHorz, int bVert);                   // CImageFlipper
    BOOL NegateImage();                                     // CImageNegator
    BOOL ReplaceColor(COLORREF clrFrom, COLORREF clrTo);    // CImageColorReplacer

    // A new bitmap from a picture file, or NULL. BMP files are loaded by GDI;
    // ICO, JPEG and GIF files as OLE pictures drawn over clrBackground
    // (0xFFFFFFFF: nothing drawn under them). Other types give NULL.
    static HBITMAP LoadImageFile(LPCWSTR lpszPath, DWORD clrBackground);
    // A new bitmap from resource nIDResource of type lpszResourceType in
    // hInstance, or NULL. The resource holds a whole picture file (of any
    // type OLE pictures read); it always goes through the OLE picture path,
    // so a resource of type RT_BITMAP (which lacks the file header) gives NULL.
    static HBITMAP LoadImageResource(UINT nIDResource, LPCWSTR lpszResourceType, HINSTANCE hInstance,
                                     DWORD clrBackground);
    // An OLE picture from nSize bytes of a picture file in memory, or NULL.
    // The caller releases it.
    static IPicture* LoadFromBuffer(const BYTE* pBuff, int nSize);
    // With a null pResource: stores the resource's size in nBufSize, TRUE.
    // Otherwise copies the resource (exactly its size) into pResource when
    // nBufSize is at least that size, TRUE; a smaller nBufSize gives FALSE and
    // copies nothing. A resource that cannot be found or loaded gives FALSE.
    static BOOL GetResource(LPCWSTR lpName, LPCWSTR lpType, HMODULE hInst, void* pResource, int& nBufSize);

protected:
    // The loader for a path, by the first of ".BMP" (0), ".ICO" (1), ".JPG" or
    // ".JPEG" (2), ".GIF" (3) found anywhere in the upper-cased path after its
    // first character; 4 when none is.
    static int GetFileType(LPCWSTR lpszPath);
    // pPicture drawn upright over clrBackground (0xFFFFFFFF: not filled) into
    // a new bitmap compatible with the desktop, sized from the picture's
    // HIMETRIC size at the desktop's resolution; NULL on failure.
    static HBITMAP ExtractBitmap(IPicture* pPicture, DWORD clrBackground);
    // CProcessorChain::Fill.
    static BOOL Fill(RGBX* pBuffer, CSize size, DWORD clr);

    // Fills bmi's header for a top-down 32-bit BI_RGB copy of hBitmap (the
    // own bitmap when null); returns its number of scan lines, 0 when the
    // handle is no bitmap or the copy would not fit in 4 GiB.
    LONG PrepareBitmapInfo32(BITMAPINFO& bmi, HBITMAP hBitmap = nullptr) const;
    // The own bitmap's pixels in a new buffer (width x height RGBX) that the
    // caller frees with delete[]; NULL without a bitmap or on failure.
    RGBX* GetDIBits32() const;

    DWORD m_clrBackground;

private:
    // Replaces the own bitmap by a new pixel section holding the first
    // size.cx * size.cy pixels of pPixels; FALSE (bitmap kept) when the
    // section cannot be made.
    BOOL AttachPixels(const RGBX* pPixels, CSize size);
    // Replaces the own bitmap by hSection, a new pixel section whose pixels
    // start at pPixels.
    BOOL AdoptSection(HBITMAP hSection, RGBX* pPixels);

    // The pixel section this object made and its pixels. The system does not
    // tell a top-down section from a bottom-up one everywhere (Wine reports
    // both with a positive height), so GetPixels trusts only these, and only
    // while the object still holds that very section.
    HGDIOBJ m_hSection;
    RGBX* m_pSectionPixels;
};
