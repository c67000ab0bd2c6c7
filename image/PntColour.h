// The colour value that stands for "no colour": no transparency key set, no colour chosen.
// It is not a valid COLORREF (the high byte of a COLORREF is 0, 1 or 2), so it cannot be
// mistaken for a real colour.
#pragma once
#include <windows.h>

const COLORREF PNT_NO_COLOUR = 0xFFFFFFFF;
