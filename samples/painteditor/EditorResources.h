// Resource and command identifiers of the paint editor (the framework's standard commands,
// such as ID_FILE_OPEN and ID_EDIT_UNDO, come from afxres.h).
#pragma once

#define IDR_MAINFRAME           128

// View: the magnification levels (one per entry of CPntCtrl::MagnificationLevels), fit, grid
#define ID_VIEW_ZOOM_FIRST      32800
#define ID_VIEW_ZOOM_LAST       32807
#define ID_VIEW_FIT             32810
#define ID_VIEW_GRID            32811

// Image
#define ID_IMAGE_RESIZE         32820
#define ID_IMAGE_PALETTE        32821

// Tools: ID_TOOL_BASE plus the tool mode of the paint control (the menu lists the tools of
// the library's tool table); ID_TOOL_BASE itself marks where the list goes
#define ID_TOOL_BASE            32830
#define ID_TOOL_LAST            32859

// Colours (one per entry of CPntCtrl::ms_StdColours) and pen widths, filled in at run time
#define ID_DRAWCOLOUR_FIRST     32860
#define ID_DRAWCOLOUR_LAST      32875
#define ID_FILLCOLOUR_FIRST     32880
#define ID_FILLCOLOUR_LAST      32895
#define ID_PENWIDTH_FIRST       32900
#define ID_PENWIDTH_LAST        32904

// Status bar panes (their strings set the panes' widths)
#define ID_INDICATOR_IMAGE      32950
#define ID_INDICATOR_ZOOM       32951
#define ID_INDICATOR_POINTER    32952
