#include "DefaultPicture.h"

namespace
{
const int kWidth = 320;
const int kHeight = 240;
const int kHorizon = 150;

// A vertical sky gradient written straight into the 24-bit rows: far faster than
// a SetPixel per pixel, each of which borrows a memory DC.
void PaintSky(CDIBSection& image)
{
    ::GdiFlush();
    for (int y = 0; y < kHorizon; ++y)
    {
        LPBYTE pRow = image.GetDIBitsRow(kHeight - 1 - y);   // rows are stored bottom-up
        BYTE blue = 255;
        BYTE green = (BYTE)(120 + y * 100 / kHorizon);
        BYTE red = (BYTE)(60 + y * 150 / kHorizon);
        for (int x = 0; x < kWidth; ++x)
        {
            pRow[x * 3 + 0] = blue;
            pRow[x * 3 + 1] = green;
            pRow[x * 3 + 2] = red;
        }
    }
}
}

BOOL MakeDefaultPicture(CDIBSection& image)
{
    if (!image.CreateBitmap(kWidth, kHeight, 1, 24))
        return FALSE;
    PaintSky(image);
    BOOL bOk = TRUE;
    bOk &= image.DrawEllipse(CPoint(240, 20), CPoint(290, 70), 1, RGB(255, 220, 40), TRUE);
    CRect ground(0, kHorizon, kWidth, kHeight);
    bOk &= image.ClearRect(&ground, RGB(70, 160, 60));
    bOk &= image.DrawEllipse(CPoint(-60, 120), CPoint(170, 190), 1, RGB(50, 130, 45), TRUE);
    bOk &= image.DrawRectangle(CPoint(60, 110), CPoint(130, 170), 1, RGB(200, 80, 60), TRUE, FALSE);
    bOk &= image.DrawRectangle(CPoint(60, 110), CPoint(130, 170), 2, RGB(90, 30, 20), FALSE, FALSE);
    bOk &= image.DrawLine(CPoint(55, 112), CPoint(95, 80), 3, RGB(90, 30, 20));
    bOk &= image.DrawLine(CPoint(95, 80), CPoint(135, 112), 3, RGB(90, 30, 20));
    bOk &= image.DrawRectangle(CPoint(85, 135), CPoint(104, 170), 1, RGB(110, 70, 30), TRUE, TRUE);
    bOk &= image.DrawRectangle(CPoint(180, 175), CPoint(300, 225), 1, RGB(255, 255, 255), TRUE, TRUE);
    bOk &= image.DrawText("bmpconvert", CRect(180, 185, 300, 215), DT_CENTER | DT_SINGLELINE | DT_VCENTER,
                          RGB(0, 0, 0));
    return bOk;
}
