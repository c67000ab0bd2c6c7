// Installs the dimensions dialog as the paint control's size-and-depth question when the
// library is loaded.
#include "dialogs/PntBitmapResizeDlg.h"
#include "paint/PntDimensionsPrompt.h"

namespace
{
BOOL PromptWithResizeDialog(PntDimensions& dims, BOOL bOfferCrop)
{
    CPntBitmapResizeDlg dlg(NULL);
    dlg.SetAttributes(dims.nWidth, dims.nHeight, dims.nBitsPerPixel);
    dlg.EnableCropButton(bOfferCrop);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    dims.nWidth = dlg.GetWidth();
    dims.nHeight = dlg.GetHeight();
    dims.nBitsPerPixel = dlg.GetBitsPerPixel();
    dims.bCropToSelection = dlg.CropToSelection();
    return TRUE;
}

// Runs with the library's other static initialisers, before any control can ask.
struct CResizePromptRegistrar
{
    CResizePromptRegistrar() { PntSetDimensionsPrompt(PromptWithResizeDialog); }
} s_registrar;
}
