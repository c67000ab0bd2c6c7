// The freehand tools: the pen and the eraser paint a line along the pointer's path, the
// airbrush sprays dots around the pointer at every move and every timer tick.
#pragma once
#include "paint/PntTool.h"

class CPntFreehandTool : public CPntTool
{
public:
    enum Kind
    {
        kPen,      // the pen width and the draw colour
        kEraser    // the eraser width and the transparent colour if there is one, else the erase colour
    };
    explicit CPntFreehandTool(Kind kind) : m_kind(kind) {}

    // The press paints a dot, as one undo step that the whole stroke joins.
    virtual BOOL OnPress(CPntCtrl& ctrl, CPoint ptClient) const;
    virtual BOOL FollowsDrag() const { return TRUE; }
    // Each move adds the piece from the last point and tells the owner.
    virtual void OnDrag(CPntCtrl& ctrl, CPoint ptImage) const;
    virtual BOOL Draw(CPntCtrl& ctrl, CPoint ptFrom, CPoint ptTo) const;

protected:
    CPntFreehandTool() : m_kind(kPen) {}
    // The piece of the stroke from the last point to ptImage, added to the stroke's undo step;
    // returns the image area it may have changed.
    virtual CRect Stroke(CPntCtrl& ctrl, CPoint ptImage) const;

private:
    int WidthOf(const CPntCtrl& ctrl) const;

    Kind m_kind;
};

class CPntAirbrushTool : public CPntFreehandTool
{
public:
    CPntAirbrushTool() {}

    // The press starts the timer; nothing is sprayed before the first tick or move.
    virtual BOOL OnPress(CPntCtrl& ctrl, CPoint ptClient) const;
    virtual void OnTick(CPntCtrl& ctrl) const;
    // Escape stops the spray and takes back the stroke in progress, if there is one.
    virtual void OnEscape(CPntCtrl& ctrl, BOOL bButtonDown) const;
    // The airbrush places dots, not a figure from one point to another.
    virtual BOOL Draw(CPntCtrl& /*ctrl*/, CPoint /*ptFrom*/, CPoint /*ptTo*/) const { return FALSE; }

protected:
    virtual CRect Stroke(CPntCtrl& ctrl, CPoint ptImage) const;

private:
    // The image area one spray at ptImage can reach.
    static CRect SprayReach(const CPntCtrl& ctrl, CPoint ptImage);
    // One spray at ptImage, as wide as the radius factor times the pen width, added to the
    // stroke's undo step; returns the area it may have changed.
    static CRect Spray(CPntCtrl& ctrl, CPoint ptImage);
};
