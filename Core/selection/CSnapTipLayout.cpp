// CSnapTipLayout: the tip's lengths at a DPI (see CSnapTipLayout.h).
#include "CSnapTipLayout.h"

namespace {

const unsigned int kBaseDpi = 96;

// The lengths at 96 DPI.
const int kTipWidth = 220;
const int kTipHeight = 253;
const int kTextTop = 30;
const int kTextBottom = 80;
const int kTextPixels = 12;
const int kMagnifierLeft = 10;
const int kMagnifierTop = 90;
const int kMagnifierWidth = 200;
const int kMagnifierHeight = 150;
const int kZoom = 5;
const int kMargin = 10;
const int kJumpStrip = 230;

} // namespace

CSnapTipLayout::CSnapTipLayout(unsigned int nDpi)
{
    const unsigned int nAt = nDpi != 0 ? nDpi : kBaseDpi;
    const auto scaled = [nAt](int nLength) {
        return static_cast<int>((static_cast<unsigned int>(nLength) * nAt + kBaseDpi / 2) / kBaseDpi);
    };
    m_tipSize = CSize(scaled(kTipWidth), scaled(kTipHeight));
    m_nTextTop = scaled(kTextTop);
    m_nTextBottom = scaled(kTextBottom);
    m_nTextPixels = scaled(kTextPixels);
    m_nMagnifierLeft = scaled(kMagnifierLeft);
    m_nMagnifierTop = scaled(kMagnifierTop);
    m_nZoom = scaled(kZoom) > 0 ? scaled(kZoom) : 1;
    m_source = CSize(scaled(kMagnifierWidth) / m_nZoom, scaled(kMagnifierHeight) / m_nZoom);
    m_nMargin = scaled(kMargin);
    m_nJumpStrip = scaled(kJumpStrip);
}
