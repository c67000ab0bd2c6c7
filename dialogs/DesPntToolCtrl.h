// CDesPntToolCtrl: a tool palette whose foreground colour picker offers "Clear" (paint with
// the transparent colour) when its control shows the image transparently.
#pragma once
#include "toolpalette/PntToolCtrl.h"

class AFX_EXT_CLASS CDesPntToolCtrl : public CPntToolCtrl
{
public:
    virtual BOOL SetupToolbarControls(UINT nIDBitmap);
};
