// The magnify tool: a click zooms in one preset level (out with Alt held), a right-click out.
#pragma once
#include "paint/PntTool.h"

class CPntMagnifyTool : public CPntTool
{
public:
    // The magnify tool acts at the release.
    virtual BOOL OnPress(CPntCtrl& ctrl, CPoint ptClient) const;
    virtual void OnRelease(CPntCtrl& ctrl, CPoint ptClient) const;
    virtual void OnRightRelease(CPntCtrl& ctrl) const;
};
