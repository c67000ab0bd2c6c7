// The question "what size and depth?" that Resize and PromptNewBitmap put to the user. The
// control only asks; the dialog that answers is installed by the dialogs of the library when
// it is loaded, so that the control does not depend on them.
#pragma once
#include <afxwin.h>

// The answer, and the values the question starts from.
struct PntDimensions
{
    int nWidth;
    int nHeight;
    int nBitsPerPixel;
    // Whether the picture is to be cropped to the selection instead (only when offered).
    BOOL bCropToSelection;
};

// Shows the question starting from dims, offering the crop when bOfferCrop; TRUE with the
// answer in dims when the user accepted, FALSE when cancelled.
typedef BOOL (*PFN_PNTPROMPTDIMENSIONS)(PntDimensions& dims, BOOL bOfferCrop);

// Installs the question (NULL removes it); returns the one installed before.
PFN_PNTPROMPTDIMENSIONS PntSetDimensionsPrompt(PFN_PNTPROMPTDIMENSIONS pfnPrompt);
// Asks through the installed question; FALSE, with dims unchanged, when none is installed.
BOOL PntPromptDimensions(PntDimensions& dims, BOOL bOfferCrop);
