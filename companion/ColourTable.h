// ColourTableEntry: one named colour of a colour picker's table.
#pragma once
#include "companion/CompanionDefs.h"

// A colour and its zero-terminated name of up to 63 TCHARs: 68 bytes in an ANSI build. The
// layout of the paint control's ColourEntries, so either table can be handed to a picker.
struct ColourTableEntry
{
    COLORREF crColour;
    TCHAR szName[64];
};
static_assert(sizeof(ColourTableEntry) == sizeof(COLORREF) + 64 * sizeof(TCHAR),
              "ColourTableEntry is a colour and 64 name characters, packed");
