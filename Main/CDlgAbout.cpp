// CDlgAbout: the about box on template 100.
#include "CDlgAbout.h"

#include "resource.h"

CDlgAbout::CDlgAbout() : CDialog(IDD_ABOUTBOX, nullptr)
{
}
