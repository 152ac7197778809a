// Resource identifiers of the GDI imaging tests: the test picture in each
// file format, stored whole as resources of type "IMAGE".
#pragma once

#define IDR_PATTERN_BMP 101
#define IDR_PATTERN_JPG 102
#define IDR_PATTERN_GIF 103
#define IDR_PATTERN_ICO 104
