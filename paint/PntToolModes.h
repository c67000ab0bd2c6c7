// The tool modes of the paint control (the value of CPntCtrl::GetToolMode). Each is described
// once, with the object that handles it, in paint/PntToolTable.h.
#pragma once

enum PntToolMode
{
    TOOL_NONE = 0,                 // clicks do nothing
    TOOL_SELECT = 1,               // selection rectangle
    TOOL_DRAG = 2,                 // drag-move of the selection, while it runs
    TOOL_MAGNIFY = 3,              // click zoom
    TOOL_FLOODFILL = 4,            // one-shot at button-down
    TOOL_PEN = 5,                  // freehand
    TOOL_ERASER = 6,               // freehand
    TOOL_COLOURSAMPLER = 7,        // one-shot at button-up
    TOOL_TRANSCOLOURSAMPLER = 8,   // one-shot at button-up
    TOOL_LINE = 9,                 // rubber-band shape
    TOOL_TEXT = 10,                // text rectangle
    TOOL_AIRBRUSH = 11,            // timed spray
    TOOL_RECTANGLE = 12,           // rubber-band shapes from here on
    TOOL_ROUNDRECT = 13,
    TOOL_ELLIPSE = 14,
    TOOL_FILLEDRECT = 15,
    TOOL_FILLEDROUNDRECT = 16,
    TOOL_FILLEDELLIPSE = 17
};
