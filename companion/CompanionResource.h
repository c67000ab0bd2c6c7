// Resource identifiers of the companion DLL's own resources (outside the paint library's range).
#pragma once

#define IDD_IMAGESETTINGS 29100
#define IDC_IMGSET_SOURCE 29101
#define IDC_IMGSET_TARGET 29102
#define IDC_IMGSET_DITHER 29103
