// CEffectChain: the effects switched on in the settings, as one processor
// chain in their fixed order, built from the settings of the moment.
#pragma once

#include "CImageBlurrer.h"
#include "CImageColorReplacer.h"
#include "CImageFlipper.h"
#include "CImageGrayer.h"
#include "CImageNegator.h"
#include "CImageResizer.h"
#include "CImageRotator.h"
#include "CImageSharpener.h"
#include "CImageShearer.h"
#include "CProcessorChain.h"

class CTesConfig;

// All nine processors are built with the settings' arguments whether switched
// on or not; the chain holds those switched on, in this order whatever order
// the user switched them on in: grey scale, inversion, colour replacement
// (black to pure red), flip, rotation, scaling (the percentage / 100.0),
// shear (an axis switched off shears by 0), blur, sharpen. With the settings'
// effects switch off the chain is empty. It lives for one refresh.
class CEffectChain
{
public:
    explicit CEffectChain(const CTesConfig& config);
    CEffectChain(const CEffectChain&) = delete;
    CEffectChain& operator=(const CEffectChain&) = delete;

    const CProcessorArray& GetChain() const { return m_chain; }

private:
    CImageGrayer m_grayer;
    CImageNegator m_negator;
    CImageFlipper m_flipper;
    CImageRotator m_rotator;
    CImageResizer m_resizer;
    CImageShearer m_shearer;
    CImageBlurrer m_blurrer;
    CImageSharpener m_sharpener;
    CImageColorReplacer m_replacer;
    CProcessorArray m_chain;
};
