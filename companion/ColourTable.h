// ColourTableEntry: one named colour of a colour picker's table.
#pragma once
#include "companion/CompanionDefs.h"

// A colour and its zero-terminated name; 68 bytes, the layout of the paint control's
// ColourEntries, so either table can be handed to a picker.
struct ColourTableEntry
{
    COLORREF crColour;
    char szName[64];
};
static_assert(sizeof(ColourTableEntry) == 68, "ColourTableEntry is 68 bytes");
