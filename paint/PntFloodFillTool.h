// The flood fill: one click fills the area under it with the fill colour, at the press.
#pragma once
#include "paint/PntTool.h"

class CPntFloodFillTool : public CPntTool
{
public:
    // Fills at once, as one undo step; moves and the release add nothing.
    virtual BOOL OnPress(CPntCtrl& ctrl, CPoint ptClient) const;
    // Fills at ptFrom; ptTo plays no part.
    virtual BOOL Draw(CPntCtrl& ctrl, CPoint ptFrom, CPoint ptTo) const;
};
