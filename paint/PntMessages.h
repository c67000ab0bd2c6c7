// The window messages that the paint library registers when it is loaded: the paint
// control's four notification codes and the status-bar update of the status-reporting
// variants.
#pragma once
#include <afxwin.h>

extern AFX_EXT_DATA const UINT g_nPntImageChangedMessage;         // "_PAINT_CONTROL_IMAGE_CHANGED_"
extern AFX_EXT_DATA const UINT g_nPntMagnificationChangedMessage; // "_PAINT_CONTROL_MAG_CHANGED_"
extern AFX_EXT_DATA const UINT g_nPntColourSamplerMessage;        // "_PAINT_CONTROL_COLOUR_SAMPLER"
extern AFX_EXT_DATA const UINT g_nPntModeChangeMessage;           // "_PAINT_CONTROL_MODE_CHANGED"
extern AFX_EXT_DATA const UINT g_nPntUpdateStatusBarMessage;      // "UPDATE_PAINT_STATUSBAR"
