// What the scripted session does, in image coordinates: the gestures it draws (in order), the
// size it resizes to. The session and its test both read it from here.
#pragma once
#include <windows.h>
#include "paint/PntToolModes.h"

namespace painteditor
{
// One drag with a tool: button down at the first point, moves through the others, button up
// at the last; a single point is a click. Colours are indexes into CPntCtrl::ms_StdColours.
struct Gesture
{
    LPCTSTR pszName;
    int nTool;
    int nDrawColour;
    int nFillColour;
    int nPenWidth;
    int nPoints;
    POINT points[4];
};

// Indexes of CPntCtrl::ms_StdColours used below.
const int kBlue = 2, kCyan = 4, kRed = 5, kMagenta = 6, kYellow = 7, kDarkGreen = 9;

// A filled rectangle, an ellipse inside it, a flood fill of the ellipse's inside, a line, a
// pen stroke and, last, a rectangle outline (the shape that undo takes away and redo brings back).
const Gesture kGestures[] = {
    { _T("filled rectangle"), TOOL_FILLEDRECT, kYellow, kYellow, 1, 2, { { 20, 20 }, { 120, 100 } } },
    { _T("ellipse"), TOOL_ELLIPSE, kBlue, kYellow, 3, 2, { { 35, 30 }, { 105, 90 } } },
    { _T("flood fill"), TOOL_FLOODFILL, kBlue, kRed, 3, 1, { { 70, 60 } } },
    { _T("line"), TOOL_LINE, kMagenta, kRed, 3, 2, { { 140, 20 }, { 300, 60 } } },
    { _T("pen stroke"), TOOL_PEN, kCyan, kRed, 3, 4, { { 140, 100 }, { 180, 130 }, { 220, 100 }, { 260, 130 } } },
    { _T("rectangle"), TOOL_RECTANGLE, kDarkGreen, kRed, 3, 2, { { 30, 130 }, { 150, 200 } } },
};
const int kGestureCount = (int)(sizeof(kGestures) / sizeof(kGestures[0]));

// The size typed into the dimensions dialog: smaller than the default picture, so the resize
// crops its right and bottom.
const int kResizedWidth = 290;
const int kResizedHeight = 210;
}
