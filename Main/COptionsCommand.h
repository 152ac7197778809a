// COptionsCommand: the options sheet ("参数设置") over the settings: it loads
// the three pages (general, image, hot keys) from a CTesConfig, runs the sheet
// modally on the image page, and only when it is confirmed writes every value
// back and places the parent window topmost or not as keep-on-top says (the
// same placement the main window takes once its settings are loaded).
//
// The caller releases its global hot keys before Run (so that they can be
// typed into the hot-key page) and, whatever Run returns, registers them
// again and refreshes what depends on the settings.
#pragma once

#include "PlatformTypes.h"

class CTesConfig;
class CWnd;
class COptionBasic;
class COptionImage;
class COptionHotkey;

class COptionsCommand
{
public:
    // The page shown first (the image page).
    static const UINT kStartPage = 1;

    // IDOK when the sheet was confirmed (config written back), IDCANCEL when
    // it was cancelled, -1 when it could not be shown (config untouched).
    static INT_PTR Run(CWnd* pParent, CTesConfig& config);

    // Between the settings and the pages (Run's load and write-back steps).
    static void LoadPages(CTesConfig& config, COptionBasic& basic, COptionImage& image, COptionHotkey& hotkey);
    static void StorePages(const COptionBasic& basic, const COptionImage& image, const COptionHotkey& hotkey,
                           CTesConfig& config);
    // Places pWnd topmost when keep-on-top is set, else not topmost, without
    // moving, sizing or activating it.
    static void ApplyKeepOnTop(CWnd* pWnd, const CTesConfig& config);
};
