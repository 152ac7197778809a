// ImageBitmapProbe: CImageBitmap with its protected operations opened to the
// tests.
#pragma once

#include "CImageBitmap.h"

class ImageBitmapProbe : public CImageBitmap
{
public:
    explicit ImageBitmapProbe(DWORD clrBackground = 0x00FFFFFF) : CImageBitmap(clrBackground) {}

    using CImageBitmap::ExtractBitmap;
    using CImageBitmap::Fill;
    using CImageBitmap::GetDIBits32;
    using CImageBitmap::GetFileType;
    using CImageBitmap::m_clrBackground;
    using CImageBitmap::PrepareBitmapInfo32;
};
