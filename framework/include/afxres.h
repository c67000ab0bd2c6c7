// Identifiers of the framework's standard commands, strings and windows. A resource script
// includes it first, as MFC programs do: it brings the window styles and IDC_STATIC too.
#pragma once

#ifdef RC_INVOKED
#include <winresrc.h>
#endif
#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif

#ifndef APSTUDIO_INVOKED
#define AFX_IDS_APP_TITLE               0xE000
#define AFX_IDS_IDLEMESSAGE             0xE001
#endif

// Standard edit commands
#define ID_EDIT_CLEAR                   0xE120
#define ID_EDIT_CLEAR_ALL               0xE121
#define ID_EDIT_COPY                    0xE122
#define ID_EDIT_CUT                     0xE123
#define ID_EDIT_FIND                    0xE124
#define ID_EDIT_PASTE                   0xE125
#define ID_EDIT_PASTE_LINK              0xE126
#define ID_EDIT_PASTE_SPECIAL           0xE127
#define ID_EDIT_REPEAT                  0xE128
#define ID_EDIT_REPLACE                 0xE129
#define ID_EDIT_SELECT_ALL              0xE12A
#define ID_EDIT_UNDO                    0xE12B
#define ID_EDIT_REDO                    0xE12C

// Standard file commands
#define ID_FILE_NEW                     0xE100
#define ID_FILE_OPEN                    0xE101
#define ID_FILE_CLOSE                   0xE102
#define ID_FILE_SAVE                    0xE103
#define ID_FILE_SAVE_AS                 0xE104
#define ID_FILE_PRINT                   0xE107
#define ID_APP_EXIT                     0xE141
#define ID_HELP                         0xE146

// A status bar pane or tool bar slot without a command
#define ID_SEPARATOR                    0

// Control bar styles (kept by the bar, not given to its window)
#define CBRS_FLOATING                   0x0001L
#define CBRS_SIZE_FIXED                 0x0002L
#define CBRS_SIZE_DYNAMIC               0x0004L
#define CBRS_HIDE_INPLACE               0x0008L
#define CBRS_TOOLTIPS                   0x0010L
#define CBRS_FLYBY                      0x0020L
#define CBRS_FLOAT_MULTI                0x0040L
#define CBRS_BORDER_3D                  0x0080L
#define CBRS_BORDER_ANY                 0x0F00L
#define CBRS_ALIGN_ANY                  0xF000L
#define CBRS_GRIPPER                    0x00400000L
#define CBRS_BORDER_LEFT                0x0100L
#define CBRS_BORDER_TOP                 0x0200L
#define CBRS_BORDER_RIGHT               0x0400L
#define CBRS_BORDER_BOTTOM              0x0800L
#define CBRS_ALIGN_LEFT                 0x1000L
#define CBRS_ALIGN_TOP                  0x2000L
#define CBRS_ALIGN_RIGHT                0x4000L
#define CBRS_ALIGN_BOTTOM               0x8000L
#define CBRS_TOP                        (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_BOTTOM                     (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)
#define CBRS_LEFT                       (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_RIGHT                      (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_NOALIGN                    0x00000000L
#define CBRS_ORIENT_HORZ                (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT                (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY                 (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL                        0x0040FFFFL

// Standard window identifiers
#define AFX_IDW_PANE_FIRST              0xE900
#define AFX_IDW_STATUS_BAR              0xE801
#define AFX_IDW_TOOLBAR                 0xE800
#define AFX_IDW_CONTROLBAR_FIRST        0xE800
#define AFX_IDW_CONTROLBAR_LAST         0xE8FF

// Framework strings (carried by the framework DLL)
#define AFX_IDS_MEMORY_EXCEPTION        0xF003
#define AFX_IDS_RESOURCE_EXCEPTION      0xF004
#define AFX_IDS_USER_EXCEPTION          0xF005
#define AFX_IDS_NOT_SUPPORTED_EXCEPTION 0xF006
#define AFX_IDP_NO_ERROR_AVAILABLE      0xF020
#define AFX_IDP_PARSE_INT               0xF110
#define AFX_IDP_PARSE_UINT              0xF111
#define AFX_IDP_FILE_NONE               0xF1A0
#define AFX_IDP_FILE_GENERIC            0xF1A1
#define AFX_IDP_FILE_NOT_FOUND          0xF1A2
#define AFX_IDP_FILE_BAD_PATH           0xF1A3
#define AFX_IDP_FILE_TOO_MANY_OPEN      0xF1A4
#define AFX_IDP_FILE_ACCESS_DENIED      0xF1A5
#define AFX_IDP_FILE_INVALID_FILE       0xF1A6
#define AFX_IDP_FILE_REMOVE_CURRENT     0xF1A7
#define AFX_IDP_FILE_DIR_FULL           0xF1A8
#define AFX_IDP_FILE_BAD_SEEK           0xF1A9
#define AFX_IDP_FILE_HARD_IO            0xF1AA
#define AFX_IDP_FILE_SHARING            0xF1AB
#define AFX_IDP_FILE_LOCKING            0xF1AC
#define AFX_IDP_FILE_DISKFULL           0xF1AD
#define AFX_IDP_FILE_EOF                0xF1AE
