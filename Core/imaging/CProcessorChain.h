// CProcessorChain: runs an array of processors one after the other over two
// pixel buffers, and fills buffers with a background colour.
#pragma once

#include "CArray.h"
#include "CImage32BitProcessor.h"

#include <memory>

class IRowBandReader;
class IRowBandWriter;

typedef CArray<CImage32BitProcessor*, CImage32BitProcessor*> CProcessorArray;

class TESLIB_API CProcessorChain
{
public:
    // Sets the first size.cx * size.cy pixels of pBuffer to clr. 0xFFFFFFFF and
    // 0x00FFFFFF set every byte, the fourth included, to 0xFF; 0 sets every
    // byte to 0; any other colour sets the first pixel to clr as a pixel
    // (fourth byte 0), completes the first row by doubling copies (s = 1, 2,
    // 4, ... while s <= cx: copy min(cx - s, s) pixels from the start to
    // position s), then copies that row into every other row (the rows and
    // the byte fills split over the worker pool). A null buffer gives FALSE;
    // a size without pixels writes nothing.
    static BOOL Fill(RGBX* pBuffer, CSize size, DWORD clr);

    // Runs the chain over a picture of sizeSource pixels.
    //
    // Ownership: Run takes pSource (a new[]-allocated buffer of exactly
    // sizeSource pixels) and frees it in every case; the caller's picture
    // (the bitmap the pixels were read from) is never touched here. On success
    // pResult receives the buffer holding the result in its first
    // sizeResult.cx * sizeResult.cy pixels (the buffer may be larger) and
    // sizeResult its size. On failure the result is FALSE and pResult and
    // sizeResult keep whatever they held.
    //
    // An empty chain gives TRUE and hands the source back unchanged as the
    // result (pResult = the same buffer, sizeResult = sizeSource): the caller
    // sees its own pixels and size again.
    //
    // Steps: a null source, or a null processor, gives FALSE. Size pass: from
    // sizeSource each processor's CalcDestSize is applied to the previous
    // size; a size with a side above MAX_SIDE or below 0 gives FALSE before
    // anything is allocated. Stage i reads the previous stage's output (stage
    // 0 the source) at its size and writes a destination that holds only
    // clrBackground over its output size. Stages before the last write
    // alternately into two scratch buffers, each allocated once at the
    // largest output it takes; the source is released after stage 0 and a
    // scratch buffer after its last use; the last stage writes the result
    // buffer of exactly its output size. No output is copied between stages.
    // A stage that writes row bands (IRowBandWriter) followed by one that
    // reads them (IRowBandReader) runs with it band by band, so that the
    // first one's output is never held whole (a rotation shrunk next) when
    // that output is large (4 MB and more); the pixels are the same.
    // A stage whose ProcessPixels gives FALSE, or a failed allocation, stops
    // the chain with FALSE.
    //
    // Stages, fills and processors split their rows over CWorkerPool::Shared();
    // the result is the same at every thread count.
    static BOOL Run(const CProcessorArray& chain, std::unique_ptr<RGBX[]> pSource, CSize sizeSource,
                    DWORD clrBackground, std::unique_ptr<RGBX[]>& pResult, CSize& sizeResult);
    // The same over a source the caller keeps: stage 0 reads it in place, so
    // no copy of it is made. An empty chain gives a copy of it as the result.
    static BOOL Run(const CProcessorArray& chain, const RGBX* pSource, CSize sizeSource, DWORD clrBackground,
                    std::unique_ptr<RGBX[]>& pResult, CSize& sizeResult);

private:
    // A stage that writes row bands and the next one, which reads them, run
    // band by band from pSource (sizeSource) through the middle picture
    // (sizeMiddle), of which only one band is held, into pOutput.
    static BOOL RunBands(const IRowBandWriter& writer, const IRowBandReader& reader, const RGBX* pSource,
                         CSize sizeSource, CSize sizeMiddle, RGBX* pOutput, CSize sizeOutput, DWORD clrBackground);
    // The stages over pSource; pOwnedSource, when not null, holds pSource and
    // is released once stage 0 is done.
    static BOOL RunStages(const CProcessorArray& chain, const RGBX* pSource, std::unique_ptr<RGBX[]>* pOwnedSource,
                          CSize sizeSource, DWORD clrBackground, std::unique_ptr<RGBX[]>& pResult, CSize& sizeResult);
};
