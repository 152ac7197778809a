// CDlgAbout: the about box (template 100): icon, product and version, the
// banner picture, the maker's links and the OK button. No logic of its own.
#pragma once

#include "CDialog.h"

class CDlgAbout : public CDialog
{
public:
    CDlgAbout();
};
