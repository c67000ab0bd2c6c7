// Resource identifiers of the paint library.
#pragma once

// Cursors of the tools
#define IDC_PNT_CROSS        28145
#define IDC_PNT_SAMPLER      28146
#define IDC_PNT_PEN          28147
#define IDC_PNT_MAGNIFY      28148
#define IDC_PNT_AIRBRUSH     28149
#define IDC_PNT_FLOODFILL    28150
#define IDC_PNT_ERASER       28151

// Status texts of the tools
#define IDS_PNT_TOOL_SELECT             28169
#define IDS_PNT_TOOL_DRAG               28170
#define IDS_PNT_TOOL_MAGNIFY            28171
#define IDS_PNT_TOOL_FLOODFILL          28172
#define IDS_PNT_TOOL_PEN                28173
#define IDS_PNT_TOOL_ERASER             28174
#define IDS_PNT_TOOL_COLOURSAMPLER      28175
#define IDS_PNT_TOOL_LINE               28176
#define IDS_PNT_TOOL_TEXT               28177
#define IDS_PNT_TOOL_AIRBRUSH           28178
#define IDS_PNT_TOOL_RECTANGLE          28179
#define IDS_PNT_TOOL_ROUNDRECT          28180
#define IDS_PNT_TOOL_ELLIPSE            28181
#define IDS_PNT_TOOL_FILLEDRECT         28182
#define IDS_PNT_TOOL_FILLEDROUNDRECT    28183
#define IDS_PNT_TOOL_FILLEDELLIPSE      28184
#define IDS_PNT_TOOL_TRANSCOLOURSAMPLER 28213
