// The picture that the samples start from when no input file is given. Header only: every
// folder of samples/ with sources becomes a program, so shared code lives in headers here.
#pragma once
#include "image/DIBSection.h"

namespace samples
{
const int kDefaultPictureWidth = 320;
const int kDefaultPictureHeight = 240;

// Draws a 320 x 240, 24-bit picture (sky, sun, hills, a house, a caption) into image.
inline BOOL MakeDefaultPicture(CDIBSection& image, LPCTSTR lpszCaption)
{
    const int cx = kDefaultPictureWidth, cy = kDefaultPictureHeight, nHorizon = 150;
    if (!image.CreateBitmap(cx, cy, 1, 24))
        return FALSE;
    // The sky's gradient is written straight into the 24-bit rows: far faster than a SetPixel
    // per pixel, each of which borrows a memory DC.
    ::GdiFlush();
    for (int y = 0; y < nHorizon; ++y)
    {
        LPBYTE pRow = image.GetDIBitsRow(cy - 1 - y);   // rows are stored bottom-up
        if (pRow == NULL)
            return FALSE;
        BYTE green = (BYTE)(120 + y * 100 / nHorizon);
        BYTE red = (BYTE)(60 + y * 150 / nHorizon);
        for (int x = 0; x < cx; ++x)
        {
            pRow[x * 3 + 0] = 255;
            pRow[x * 3 + 1] = green;
            pRow[x * 3 + 2] = red;
        }
    }
    BOOL bOk = TRUE;
    bOk &= image.DrawEllipse(CPoint(240, 20), CPoint(290, 70), 1, RGB(255, 220, 40), TRUE);
    CRect ground(0, nHorizon, cx, cy);
    bOk &= image.ClearRect(&ground, RGB(70, 160, 60));
    bOk &= image.DrawEllipse(CPoint(-60, 120), CPoint(170, 190), 1, RGB(50, 130, 45), TRUE);
    bOk &= image.DrawRectangle(CPoint(60, 110), CPoint(130, 170), 1, RGB(200, 80, 60), TRUE, FALSE);
    bOk &= image.DrawRectangle(CPoint(60, 110), CPoint(130, 170), 2, RGB(90, 30, 20), FALSE, FALSE);
    bOk &= image.DrawLine(CPoint(55, 112), CPoint(95, 80), 3, RGB(90, 30, 20));
    bOk &= image.DrawLine(CPoint(95, 80), CPoint(135, 112), 3, RGB(90, 30, 20));
    bOk &= image.DrawRectangle(CPoint(85, 135), CPoint(104, 170), 1, RGB(110, 70, 30), TRUE, TRUE);
    bOk &= image.DrawRectangle(CPoint(180, 175), CPoint(300, 225), 1, RGB(255, 255, 255), TRUE, TRUE);
    bOk &= image.DrawText(lpszCaption, CRect(180, 185, 300, 215), DT_CENTER | DT_SINGLELINE | DT_VCENTER,
                          RGB(0, 0, 0));
    return bOk;
}
}
