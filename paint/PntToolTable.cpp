// The tool table: every tool mode once, with the tool object that handles it.
#include "paint/PntToolTable.h"
#include "paint/PntFloodFillTool.h"
#include "paint/PntFreehandTools.h"
#include "paint/PntMagnifyTool.h"
#include "paint/PntSamplerTools.h"
#include "paint/PntSelectTools.h"
#include "paint/PntShapeTools.h"
#include "paint/PntTextTool.h"
#include "paint/PntToolCommands.h"
#include "resources/resource.h"

namespace
{
const CPntNoTool s_NoTool{};
const CPntSelectTool s_SelectTool{};
const CPntDragMoveTool s_DragMoveTool{};
const CPntMagnifyTool s_MagnifyTool{};
const CPntSamplerTool s_ColourSampler(CPntSamplerTool::kDrawColour);
const CPntSamplerTool s_TransColourSampler(CPntSamplerTool::kTransparentColour);
const CPntFreehandTool s_PenTool(CPntFreehandTool::kPen);
const CPntFreehandTool s_EraserTool(CPntFreehandTool::kEraser);
const CPntAirbrushTool s_AirbrushTool;
const CPntFloodFillTool s_FloodFillTool{};
const CPntTextTool s_TextTool{};
const CPntShapeTool s_LineTool(CPntShapeTool::kLine, FALSE);
const CPntShapeTool s_RectangleTool(CPntShapeTool::kRectangle, FALSE);
const CPntShapeTool s_RoundRectTool(CPntShapeTool::kRoundRect, FALSE);
const CPntShapeTool s_EllipseTool(CPntShapeTool::kEllipse, FALSE);
const CPntShapeTool s_FilledRectTool(CPntShapeTool::kRectangle, TRUE);
const CPntShapeTool s_FilledRoundRectTool(CPntShapeTool::kRoundRect, TRUE);
const CPntShapeTool s_FilledEllipseTool(CPntShapeTool::kEllipse, TRUE);
}

// In the order of a Tools menu: selecting and picking, painting, shapes.
const PntToolEntry CPntToolTable::ms_Entries[] = {
    // mode, tool, cursor, status text, palette command, name, access key, group, flags
    { TOOL_NONE, &s_NoTool, NULL, 0, 0, 0, 0, PNT_TOOLGROUP_NONE, 0 },
    { TOOL_SELECT, &s_SelectTool, &CPntCtrl::m_hcurCross, IDS_PNT_TOOL_SELECT, ID_PNT_SELECTAREA,
      IDS_PNT_TIP_SELECTAREA, _T('S'), PNT_TOOLGROUP_PICK, PNT_TOOLF_SHOWSSELECTION | PNT_TOOLF_VIEWING },
    // The drag-move shows as the selection tool it was entered from.
    { TOOL_DRAG, &s_DragMoveTool, &CPntCtrl::m_hcurCross, IDS_PNT_TOOL_DRAG, ID_PNT_SELECTAREA, 0, 0,
      PNT_TOOLGROUP_NONE, PNT_TOOLF_TRANSIENT },
    { TOOL_MAGNIFY, &s_MagnifyTool, &CPntCtrl::m_hcurMagnify, IDS_PNT_TOOL_MAGNIFY, ID_PNT_MAGNIFY,
      IDS_PNT_TIP_MAGNIFY, _T('M'), PNT_TOOLGROUP_PICK, PNT_TOOLF_VIEWING },
    { TOOL_COLOURSAMPLER, &s_ColourSampler, &CPntCtrl::m_hcurSampler, IDS_PNT_TOOL_COLOURSAMPLER,
      ID_PNT_SELECTCOLOUR, IDS_PNT_TIP_SELECTCOLOUR, _T('C'), PNT_TOOLGROUP_PICK, PNT_TOOLF_ONESHOT },
    { TOOL_TRANSCOLOURSAMPLER, &s_TransColourSampler, &CPntCtrl::m_hcurSampler, IDS_PNT_TOOL_TRANSCOLOURSAMPLER,
      ID_PNT_SELECTTRANSCOLOUR, IDS_PNT_TIP_SELECTTRANSCOLOUR, _T('T'), PNT_TOOLGROUP_PICK,
      PNT_TOOLF_ONESHOT | PNT_TOOLF_TRANSPARENCY },
    { TOOL_PEN, &s_PenTool, &CPntCtrl::m_hcurPen, IDS_PNT_TOOL_PEN, ID_PNT_PEN, IDS_PNT_TIP_PEN, _T('D'),
      PNT_TOOLGROUP_PAINT, PNT_TOOLF_FREEHAND },
    { TOOL_ERASER, &s_EraserTool, &CPntCtrl::m_hcurEraser, IDS_PNT_TOOL_ERASER, ID_PNT_ERASER, IDS_PNT_TIP_ERASER,
      _T('E'), PNT_TOOLGROUP_PAINT, PNT_TOOLF_FREEHAND },
    { TOOL_AIRBRUSH, &s_AirbrushTool, &CPntCtrl::m_hcurAirBrush, IDS_PNT_TOOL_AIRBRUSH, ID_PNT_AIRBRUSH,
      IDS_PNT_TIP_AIRBRUSH, _T('A'), PNT_TOOLGROUP_PAINT, PNT_TOOLF_FREEHAND | PNT_TOOLF_TIMED },
    { TOOL_FLOODFILL, &s_FloodFillTool, &CPntCtrl::m_hcurFloodFill, IDS_PNT_TOOL_FLOODFILL, ID_PNT_FLOODFILL,
      IDS_PNT_TIP_FLOODFILL, _T('F'), PNT_TOOLGROUP_PAINT, PNT_TOOLF_ONESHOT },
    { TOOL_TEXT, &s_TextTool, &CPntCtrl::m_hcurCross, IDS_PNT_TOOL_TEXT, ID_PNT_TEXT, IDS_PNT_TIP_TEXT, _T('x'),
      PNT_TOOLGROUP_PAINT, PNT_TOOLF_SHOWSSELECTION },
    { TOOL_LINE, &s_LineTool, &CPntCtrl::m_hcurCross, IDS_PNT_TOOL_LINE, ID_PNT_LINE, IDS_PNT_TIP_LINE, _T('L'),
      PNT_TOOLGROUP_SHAPE, PNT_TOOLF_RUBBERBAND },
    { TOOL_RECTANGLE, &s_RectangleTool, &CPntCtrl::m_hcurCross, IDS_PNT_TOOL_RECTANGLE, ID_PNT_RECTANGLE,
      IDS_PNT_TIP_RECTANGLE, _T('R'), PNT_TOOLGROUP_SHAPE, PNT_TOOLF_RUBBERBAND },
    { TOOL_ROUNDRECT, &s_RoundRectTool, &CPntCtrl::m_hcurCross, IDS_PNT_TOOL_ROUNDRECT, ID_PNT_ROUNDRECT,
      IDS_PNT_TIP_ROUNDRECT, _T('o'), PNT_TOOLGROUP_SHAPE, PNT_TOOLF_RUBBERBAND },
    { TOOL_ELLIPSE, &s_EllipseTool, &CPntCtrl::m_hcurCross, IDS_PNT_TOOL_ELLIPSE, ID_PNT_ELLIPSE,
      IDS_PNT_TIP_ELLIPSE, _T('i'), PNT_TOOLGROUP_SHAPE, PNT_TOOLF_RUBBERBAND },
    { TOOL_FILLEDRECT, &s_FilledRectTool, &CPntCtrl::m_hcurCross, IDS_PNT_TOOL_FILLEDRECT, ID_PNT_FILLEDRECT,
      IDS_PNT_TIP_FILLEDRECT, _T('c'), PNT_TOOLGROUP_SHAPE, PNT_TOOLF_RUBBERBAND },
    { TOOL_FILLEDROUNDRECT, &s_FilledRoundRectTool, &CPntCtrl::m_hcurCross, IDS_PNT_TOOL_FILLEDROUNDRECT,
      ID_PNT_FILLEDROUNDRECT, IDS_PNT_TIP_FILLEDROUNDRECT, _T('u'), PNT_TOOLGROUP_SHAPE, PNT_TOOLF_RUBBERBAND },
    { TOOL_FILLEDELLIPSE, &s_FilledEllipseTool, &CPntCtrl::m_hcurCross, IDS_PNT_TOOL_FILLEDELLIPSE,
      ID_PNT_FILLEDELLIPSE, IDS_PNT_TIP_FILLEDELLIPSE, _T('p'), PNT_TOOLGROUP_SHAPE, PNT_TOOLF_RUBBERBAND },
};

const int CPntToolTable::ms_nEntries = (int)(sizeof(ms_Entries) / sizeof(ms_Entries[0]));

int CPntToolTable::GetCount()
{
    return ms_nEntries;
}

const PntToolEntry* CPntToolTable::GetEntry(int nIndex)
{
    return nIndex >= 0 && nIndex < ms_nEntries ? &ms_Entries[nIndex] : NULL;
}

const PntToolEntry* CPntToolTable::Lookup(int nMode)
{
    for (const PntToolEntry& entry : ms_Entries)
    {
        if (entry.nMode == nMode)
            return &entry;
    }
    return NULL;
}

const PntToolEntry* CPntToolTable::LookupCommand(UINT nCommandID)
{
    if (nCommandID == 0)
        return NULL;
    for (const PntToolEntry& entry : ms_Entries)
    {
        // A transient mode shows on its button but is never chosen by it.
        if (entry.nCommandID == nCommandID && !(entry.nFlags & PNT_TOOLF_TRANSIENT))
            return &entry;
    }
    return NULL;
}
