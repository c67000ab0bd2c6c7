// Resource identifiers of the paint library.
//
// Every resource of the library (dialogs, their controls, strings, bitmaps, cursors) has an
// identifier from PNT_RESOURCE_ID_FIRST to PNT_RESOURCE_ID_LAST. The host's own resources are
// searched before the library's, so a host resource with one of these numbers would take the
// library's place: a host keeps its identifiers out of this range.
#pragma once

#define PNT_RESOURCE_ID_FIRST           28000
#define PNT_RESOURCE_ID_LAST            28214

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

// Dimensions dialog
#define IDD_PNT_BITMAPRESIZE            28103
#define IDC_PNT_WIDTH_LABEL             28007
#define IDC_PNT_WIDTH                   28008
#define IDC_PNT_HEIGHT_LABEL            28009
#define IDC_PNT_HEIGHT                  28010
#define IDC_PNT_CROP                    28011
#define IDC_PNT_COLOURDEPTH             28012
// Colour depths offered by the dimensions dialog
#define IDS_PNT_DEPTH_MONOCHROME        28158
#define IDS_PNT_DEPTH_16COLOURS         28159
#define IDS_PNT_DEPTH_256COLOURS        28160
#define IDS_PNT_DEPTH_HIGHCOLOUR        28161
#define IDS_PNT_DEPTH_32BITCOLOUR       28162
#define IDS_PNT_DEPTH_TRUECOLOUR        28168

// Palette view dialog
#define IDD_PNT_PALETTEVIEW             28105
#define IDC_PNT_PALETTE_FRAME           28152
#define IDC_PNT_PALETTE_COUNT           28153
#define IDC_PNT_PALETTE_READOUT         28154

// Text format bar
#define IDD_PNT_TEXTFMTBAR              28104
#define IDC_PNT_TEXT_FONT               28013
#define IDC_PNT_TEXT_EDITLEFT           28014
#define IDC_PNT_TEXT_EDITCENTRE         28015
#define IDC_PNT_TEXT_EDITRIGHT          28016
#define IDC_PNT_TEXT_LEFT               28017
#define IDC_PNT_TEXT_CENTRE             28018
#define IDC_PNT_TEXT_RIGHT              28019
#define IDC_PNT_TEXT_BOLD               28020
#define IDC_PNT_TEXT_ITALIC             28021
#define IDC_PNT_TEXT_UNDERLINE          28022
// Images of its buttons
#define IDB_PNT_TEXT_LEFT               28134
#define IDB_PNT_TEXT_CENTRE             28135
#define IDB_PNT_TEXT_RIGHT              28136
#define IDB_PNT_TEXT_BOLD               28137
#define IDB_PNT_TEXT_ITALIC             28138
#define IDB_PNT_TEXT_UNDERLINE          28139

// Tool palette: its button strip and the drop-down cells of the width combos
#define IDB_PNT_PENWIDTHS               28131
#define IDB_PNT_ERASERWIDTHS            28132
#define IDB_PNT_PALETTE                 28133
// Titles of the palette's drop-downs
#define IDS_PNT_ERASER_WIDTH            28163
#define IDS_PNT_TRANSPARENCY_COLOUR     28164
#define IDS_PNT_NONE                    28165
#define IDS_PNT_FOREGROUND_COLOUR       28166
#define IDS_PNT_LINE_WIDTH              28167
// Tooltips of the palette's slots, in slot order (28204 is the separator's)
#define IDS_PNT_TIP_CUT                 28185
#define IDS_PNT_TIP_COPY                28186
#define IDS_PNT_TIP_PASTE               28187
#define IDS_PNT_TIP_CLEAR               28188
#define IDS_PNT_TIP_UNDO                28189
#define IDS_PNT_TIP_REDO                28190
#define IDS_PNT_TIP_MAGNIFY             28191
#define IDS_PNT_TIP_SIZETOFIT           28192
#define IDS_PNT_TIP_RESIZE              28193
#define IDS_PNT_TIP_SELECTAREA          28194
#define IDS_PNT_TIP_SELECTCOLOUR        28195
#define IDS_PNT_TIP_FLOODFILL           28196
#define IDS_PNT_TIP_TEXT                28197
#define IDS_PNT_TIP_AIRBRUSH            28198
#define IDS_PNT_TIP_ERASER              28199
#define IDS_PNT_TIP_PEN                 28200
#define IDS_PNT_TIP_LINE                28201
#define IDS_PNT_TIP_ERASERWIDTH         28202
#define IDS_PNT_TIP_PENWIDTH            28203
#define IDS_PNT_TIP_SEPARATOR           28204
#define IDS_PNT_TIP_RECTANGLE           28205
#define IDS_PNT_TIP_ROUNDRECT           28206
#define IDS_PNT_TIP_ELLIPSE             28207
#define IDS_PNT_TIP_FILLEDRECT          28208
#define IDS_PNT_TIP_FILLEDROUNDRECT     28209
#define IDS_PNT_TIP_FILLEDELLIPSE       28210
#define IDS_PNT_TIP_FORECOLOUR          28211
#define IDS_PNT_TIP_TRANSCOLOUR         28212
#define IDS_PNT_TIP_SELECTTRANSCOLOUR   28214
// Status bar indicators of the status-reporting bitmap editor
#define IDS_PNT_INDICATOR_TEXT          28155
#define IDS_PNT_INDICATOR_SIZE          28156
#define IDS_PNT_INDICATOR_POSITION      28157

// Bitmap and icon editor dialogs
#define IDD_PNT_BITMAPEDIT              28101
#define IDC_PNT_ZOOMSLIDER              28000
#define IDC_PNT_ZOOM_MIN                28001
#define IDC_PNT_ZOOM_100                28002
#define IDC_PNT_ZOOM_MAX                28003
#define IDC_PNT_PAINTCTRL               28004
#define IDC_PNT_TOOLBAR_PLACEHOLDER     28005
#define IDC_PNT_SIZEGRIP                28023

// Icon editor dialog
#define IDD_PNT_ICONEDIT                28102
#define IDC_PNT_ICON_PREVIEW            28006
