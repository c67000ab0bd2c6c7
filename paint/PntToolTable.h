// The paint control's tools, each described once: the object that handles its input, its
// cursor, its status text, the palette button that chooses it, its name and what it is like.
// The control, the tool palette and hosts that list the tools (a Tools menu) read it.
#pragma once
#include "paint/PntCtrl.h"

class CPntTool;

// What a tool is like (PntToolEntry::nFlags).
enum PntToolFlag
{
    PNT_TOOLF_ONESHOT = 0x0001,          // acts once per click
    PNT_TOOLF_FREEHAND = 0x0002,         // paints along the pointer's path
    PNT_TOOLF_TIMED = 0x0004,            // keeps painting on a timer while the button is held
    PNT_TOOLF_RUBBERBAND = 0x0008,       // a figure from the press to the pointer, placed at the release
    PNT_TOOLF_SHOWSSELECTION = 0x0010,   // the selection rectangle shows while it is chosen
    PNT_TOOLF_VIEWING = 0x0020,          // changes what is seen or selected, not the pixels:
                                         // offered on a display-only control too
    PNT_TOOLF_TRANSPARENCY = 0x0040,     // picks the transparent colour: offered while the
                                         // control lets the user pick it
    PNT_TOOLF_TRANSIENT = 0x0080         // entered by the control itself, never chosen
};

// Where a list of the tools puts a tool (PntToolEntry::nGroup); a menu separates the groups.
enum PntToolGroup
{
    PNT_TOOLGROUP_NONE = 0,    // not listed
    PNT_TOOLGROUP_PICK,        // selecting, magnifying and picking colours
    PNT_TOOLGROUP_PAINT,       // painting and text
    PNT_TOOLGROUP_SHAPE        // lines, rectangles and ellipses
};

struct PntToolEntry
{
    int nMode;                      // PntToolMode
    const CPntTool* pTool;          // what the tool does with the mouse and keys
    HCURSOR CPntCtrl::*pCursor;     // the control's cursor over the picture; NULL: the window's
    UINT nStatusID;                 // status text while the tool is chosen; 0 for none
    UINT nCommandID;                // the palette button checked while the tool is on; 0 for none
    UINT nNameID;                   // the tool's name: its button's tooltip, a menu item's text
    TCHAR chAccessKey;              // the letter of the name that a menu underlines
    int nGroup;                     // PntToolGroup
    UINT nFlags;                    // PntToolFlag bits
};

class AFX_EXT_CLASS CPntToolTable
{
public:
    // The rows in the order a list of the tools shows them; every mode has one.
    static int GetCount();
    // NULL outside 0..GetCount() - 1.
    static const PntToolEntry* GetEntry(int nIndex);
    // The row of a tool mode, NULL for a number that is no mode.
    static const PntToolEntry* Lookup(int nMode);
    // The tool that a palette command chooses, NULL for a command that chooses none.
    static const PntToolEntry* LookupCommand(UINT nCommandID);

private:
    static const PntToolEntry ms_Entries[];
    static const int ms_nEntries;
};
