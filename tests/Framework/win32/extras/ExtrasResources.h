// Resource ids of the framework's sheet, print-dialog, tooltip and link tests.
#pragma once

#define IDD_EXTRA_PAGE 500
#define IDD_EXTRA_SECOND_PAGE 501
#define IDD_LINKS 502
#define IDD_LARGE_FONT_PAGE 503
#define IDD_MISSING 599

#define IDC_PAGE_EDIT 1101
#define IDC_PAGE_COMBO 1102
#define IDC_PAGE_CORNER_BUTTON 1103
#define IDC_LINK_MARKUP 1201
#define IDC_LINK_PLAIN 1202

#define IDC_TIP_FROM_STRING 2101
#define IDC_TIP_FROM_WINDOW 2102
#define IDC_TIP_NONE 2103
#define IDS_TIP_FROM_STRING 2101
