// The two-point shapes: the line, and the rectangles, rounded rectangles and ellipses, outlined
// or filled. While the button is held the figure follows the pointer over the pixels it covered,
// which the gesture keeps as the figure first reaches them; the release places it as one undo
// step.
#pragma once
#include "paint/PntTool.h"

class CPntShapeTool : public CPntTool
{
public:
    enum Shape
    {
        kLine,
        kRectangle,
        kRoundRect,
        kEllipse
    };
    // Filled shapes use the pen colour for the outline and the inside.
    CPntShapeTool(Shape shape, BOOL bFilled) : m_shape(shape), m_bFilled(bFilled) {}

    virtual BOOL OnPress(CPntCtrl& ctrl, CPoint ptClient) const;
    virtual BOOL FollowsDrag() const { return TRUE; }
    // The last figure's area is put back and the new figure drawn; the owner hears of it only
    // when placed.
    virtual void OnDrag(CPntCtrl& ctrl, CPoint ptImage) const;
    virtual void OnGestureEnd(CPntCtrl& ctrl, CPoint ptImage) const;
    // Takes the rubber-band figure away.
    virtual void OnEscape(CPntCtrl& ctrl, BOOL bButtonDown) const;
    // The figure from ptFrom to ptTo with the pen width and colour.
    virtual BOOL Draw(CPntCtrl& ctrl, CPoint ptFrom, CPoint ptTo) const;

private:
    Shape m_shape;
    BOOL m_bFilled;
};
