// CImageSettingsDlg: the image settings dialog. It shows the size and depth of a pasted picture
// and the depth it will take, lets the user choose dithering, and on OK converts the picture, a
// packed DIB, to that depth and colour table.
#pragma once
#include "companion/CompanionDefs.h"

class COMPANION_CLASS CImageSettingsDlg : public CDialog
{
    DECLARE_DYNAMIC(CImageSettingsDlg)
public:
    // hDIB: the packed DIB to convert; it is only read, and must stay valid while the dialog
    // runs. nTargetBitCount: 1, 4, 8, 16, 24 or 32. The colours of the target: pTable16 (16
    // entries) for 4 bits, or pTable8 (8 entries, the rest black) when pTable16 is NULL;
    // pTable256 (256 entries) for 8 bits; pTable2 (2 entries) for 1 bit; a missing table means
    // a standard one. The tables are copied. pColourNames names the target's colours; it is
    // kept for the caller (GetColourNames) and not shown. pParent NULL: the application's
    // main window.
    CImageSettingsDlg(HGLOBAL hDIB, int nTargetBitCount, COLORREF* pTable16 = NULL, COLORREF* pTable256 = NULL,
                      CStringArray* pColourNames = NULL, COLORREF* pTable2 = NULL, COLORREF* pTable8 = NULL,
                      CWnd* pParent = NULL);
    virtual ~CImageSettingsDlg();

    // IDOK when the user accepted and the picture was converted; IDCANCEL when cancelled;
    // IDABORT when the conversion failed; -1, without showing anything, when hDIB is not a
    // usable packed DIB or the target depth is not one of the above.
    virtual INT_PTR DoModal();

    // The converted packed DIB (bottom-up, BI_RGB, header, full colour table for 1, 4 and 8
    // bits, then the rows), handed over: the caller owns it from then on and frees it with
    // GlobalFree; later calls return NULL. NULL when DoModal did not return IDOK. A result
    // never taken is freed by the destructor.
    HGLOBAL GetDIB();

    CStringArray* GetColourNames() const { return m_pColourNames; }

    // The "Dither" check box: HALFTONE stretching (TRUE) or the nearest colour (FALSE, the
    // initial state).
    BOOL m_bDither;

protected:
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();

    // The target's colour table, as given or standard, and its number of entries.
    int TargetTable(RGBQUAD* pTable) const;

    HGLOBAL m_hSource;
    int m_nTargetBitCount;
    COLORREF m_crTable[256];
    int m_nGivenColours;   // entries of m_crTable given by the caller; 0: a standard table
    CStringArray* m_pColourNames;
    HGLOBAL m_hResult;
    CWnd* m_pOwnerWnd;   // the parent given to the constructor, for InitModalIndirect
};
