// The colour samplers: a click takes the colour of the pixel under it as the draw and fill
// colour, or as the transparent colour, tells the owner, and gives the tool used before back.
#pragma once
#include "paint/PntTool.h"

class CPntSamplerTool : public CPntTool
{
public:
    enum Target
    {
        kDrawColour,          // the draw colour, and the fill colour with it
        kTransparentColour
    };
    explicit CPntSamplerTool(Target target) : m_target(target) {}

    // The sampler acts at the release.
    virtual BOOL OnPress(CPntCtrl& ctrl, CPoint ptClient) const;
    virtual void OnRelease(CPntCtrl& ctrl, CPoint ptClient) const;
    // Escape repaints the picture as it was at the press; there is nothing to undo.
    virtual void OnEscape(CPntCtrl& ctrl, BOOL bButtonDown) const;

private:
    Target m_target;
};
