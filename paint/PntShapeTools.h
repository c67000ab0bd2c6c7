// The two-point shapes: the line, and the rectangles, rounded rectangles and ellipses, outlined
// or filled. While the button is held the figure follows the pointer over the pixels it covered,
// which the gesture keeps as the figure first reaches them; the release places it as one undo
// step. With the control's Shift constraint on, Shift held makes the figure regular.
#pragma once
#include "paint/PntTool.h"

// The end point of a figure from ptFrom toward ptTo made regular: for a line (bLine) turned to
// the nearest of 0, 45 and 90 degrees, otherwise the corner of a square (for an ellipse, of the
// square around a circle). A slanted or square result keeps the larger of the two distances,
// so that the figure reaches as far as the pointer does.
CPoint PntConstrainShapeEnd(CPoint ptFrom, CPoint ptTo, BOOL bLine);

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
    // Where the figure ends for the pointer at ptPointer: made regular while the control's
    // Shift constraint is on and Shift is held.
    CPoint EndPoint(CPntCtrl& ctrl, CPoint ptPointer) const;

    Shape m_shape;
    BOOL m_bFilled;
};
