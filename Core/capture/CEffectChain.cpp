// CEffectChain: the chain of the switched-on effects (see CEffectChain.h).
#include "CEffectChain.h"

#include "CTesConfig.h"

CEffectChain::CEffectChain(const CTesConfig& config)
    : m_flipper(config.GetFlipHorz(), config.GetFlipVert()),
      m_rotator(config.GetRotateAngle(), config.m_bSmooth),
      m_resizer(config.GetScaleFactor() / 100.0),
      m_shearer(config.GetShearAcross() ? config.GetShearAcrossAmout() : 0,
                config.GetShearDown() ? config.GetShearDownAmout() : 0, config.m_bSmooth),
      m_blurrer(config.GetBlurFactor()), m_sharpener(config.GetSharpenFactor()),
      m_replacer(RGB(0, 0, 0), RGB(255, 0, 0))
{
    if (!config.m_bEffects)
        return;
    const struct
    {
        BOOL bOn;
        CImage32BitProcessor* pProcessor;
    } stages[] = {
        { config.GetGrayScale() != 0, &m_grayer },
        { config.GetNegate() != 0, &m_negator },
        { config.m_bReplaceColor != 0, &m_replacer },
        { config.GetFlipHorz() || config.GetFlipVert(), &m_flipper },
        { config.GetRotate() != 0, &m_rotator },
        { config.GetScale() != 0, &m_resizer },
        { config.GetShearDown() || config.GetShearAcross(), &m_shearer },
        { config.GetBlur() != 0, &m_blurrer },
        { config.GetSharpen() != 0, &m_sharpener },
    };
    for (const auto& stage : stages)
        if (stage.bOn)
            m_chain.Add(stage.pProcessor);
}
