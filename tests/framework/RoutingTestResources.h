// Identifiers of the command routing and menu tests.
#pragma once

#define IDR_ROUTING_MENU    500
#define IDD_ROUTING_DIALOG  501
#define ID_ROUTE_VIEW       0x8101   // handled by the view, the frame and the application
#define ID_ROUTE_FRAME      0x8102   // handled by the frame and the application
#define ID_ROUTE_APP        0x8103   // handled by the application only
#define ID_ROUTE_DIALOG     0x8104   // handled by the dialog and its owner
#define ID_ROUTE_NOBODY     0x8105   // handled by nobody
#define ID_MENU_FIRST       0x8110   // radio items
#define ID_MENU_SECOND      0x8111
#define ID_MENU_CHECKED     0x8112
#define ID_MENU_RENAMED     0x8113
