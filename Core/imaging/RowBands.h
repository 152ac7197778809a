// RowBands: what lets a processor chain run two stages without ever holding
// the first one's whole output: the first writes its destination a band of
// rows at a time, the second reads its source a band of rows at a time.
#pragma once

#include "CSize.h"
#include "RGBX.h"
#include "TesLibApi.h"

// A band is rows first ... last - 1 of a picture, stored from its own first
// row on (row first at the band's start), rows of the picture's width.
// Bands give exactly the pixels the whole-picture operation gives.
class TESLIB_API IRowBandWriter
{
public:
    // Destination rows first ... last - 1 of ProcessPixels into pBand, which
    // holds only the background; FALSE as ProcessPixels.
    virtual BOOL ProcessRowBand(const RGBX* pSrc, CSize sizeSrc, RGBX* pBand, CSize sizeDst, int first,
                                int last) const = 0;

protected:
    ~IRowBandWriter() = default;
};

class TESLIB_API IRowBandReader
{
public:
    // Whether this operation, from sizeSrc to sizeDst, can read its source in
    // bands (it reads each destination row from a run of source rows).
    virtual BOOL ReadsRowBands(CSize sizeSrc, CSize sizeDst) const = 0;
    // The source rows srcFirst ... srcLast - 1 that destination rows
    // first ... last - 1 read (srcFirst == srcLast when they read none).
    virtual void SourceRowsOf(CSize sizeSrc, CSize sizeDst, int first, int last, int& srcFirst, int& srcLast) const = 0;
    // Destination rows first ... last - 1 of ProcessPixels from pBand, which
    // holds at least the source rows they read, from source row bandFirst on.
    virtual BOOL ProcessFromRowBand(const RGBX* pBand, int bandFirst, CSize sizeSrc, RGBX* pDst, CSize sizeDst,
                                    int first, int last) const = 0;

protected:
    ~IRowBandReader() = default;
};
