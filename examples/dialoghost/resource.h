// Resource identifiers of the example. The paint library reserves 28000 to 28214
// (PNT_RESOURCE_ID_FIRST, PNT_RESOURCE_ID_LAST): the program's own stay below.
#pragma once

#define IDD_HOST        100
#define IDC_PICTURE     1000
#define IDC_FILENAME    1001
#define IDC_LOAD        1002
#define IDC_SAVE        1003
#define IDC_STATUS      1004
#define IDC_EVENTS      1005
