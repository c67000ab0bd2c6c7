// The installed dimensions question of Resize and PromptNewBitmap.
#include "paint/PntDimensionsPrompt.h"

namespace
{
// A plain pointer, constant-initialised, so installing it from another file's static
// initialiser is safe whatever order they run in.
PFN_PNTPROMPTDIMENSIONS s_pfnPrompt = NULL;
}

PFN_PNTPROMPTDIMENSIONS PntSetDimensionsPrompt(PFN_PNTPROMPTDIMENSIONS pfnPrompt)
{
    PFN_PNTPROMPTDIMENSIONS pfnOld = s_pfnPrompt;
    s_pfnPrompt = pfnPrompt;
    return pfnOld;
}

BOOL PntPromptDimensions(PntDimensions& dims, BOOL bOfferCrop)
{
    if (s_pfnPrompt == NULL)
        return FALSE;
    PntDimensions answer = dims;
    if (!s_pfnPrompt(answer, bOfferCrop))
        return FALSE;
    dims = answer;
    return TRUE;
}
