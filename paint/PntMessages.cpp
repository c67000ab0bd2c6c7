// Registered during the DLL's static initialisation, before any window can need them.
#include "paint/PntMessages.h"

const UINT g_nPntImageChangedMessage = ::RegisterWindowMessageA("_PAINT_CONTROL_IMAGE_CHANGED_");
const UINT g_nPntMagnificationChangedMessage = ::RegisterWindowMessageA("_PAINT_CONTROL_MAG_CHANGED_");
const UINT g_nPntColourSamplerMessage = ::RegisterWindowMessageA("_PAINT_CONTROL_COLOUR_SAMPLER");
const UINT g_nPntModeChangeMessage = ::RegisterWindowMessageA("_PAINT_CONTROL_MODE_CHANGED");
const UINT g_nPntUpdateStatusBarMessage = ::RegisterWindowMessageA("UPDATE_PAINT_STATUSBAR");
